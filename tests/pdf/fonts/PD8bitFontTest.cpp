// Simple fonts built from font dictionaries of the kinds producers write.
#include <gtest/gtest.h>

#include "pdf/fonts/PD8bitFont.h"
#include "pdf/fonts/PDCMapParser.h"
#include "pdf/fonts/FontFixture.h"

namespace {

using vltest::FontFixture;

std::unique_ptr<TvlPDFont> Make(FontFixture& fx, std::string_view text) {
  return TvlPDFont::CreateFont(nullptr, nullptr, fx.Dict(text), "F1");
}

const TvlPD8bitFont& Simple(const std::unique_ptr<TvlPDFont>& f) {
  return dynamic_cast<const TvlPD8bitFont&>(*f);
}

struct Decoded {
  std::uint16_t unicode;
  double width;
  std::string glyph;
};

Decoded Decode(const TvlPDFont& f, int code) {
  WideString text(1, static_cast<char16_t>(code));
  int len = 0;
  std::uint16_t u = 0xFFFF;
  std::string_view g;
  double w = -99, r1 = 1, r2 = 1, r3 = 1;
  EXPECT_TRUE(f.DecodeChar(text, 1, len, u, g, w, r1, r2, r3));
  EXPECT_EQ(len, 1);
  EXPECT_EQ(r1 + r2 + r3, 0);
  return {u, w, std::string(g)};
}

const char* const kHelvetica = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
const char* const kSymbol = "<< /Type /Font /Subtype /Type1 /BaseFont /Symbol >>";
// Widths from 32 to 128: space 352, exclam 394, A 684, Euro 636, others 0.
const std::string kWinAnsiTrueType = [] {
  std::string widths;
  for (int c = 32; c <= 128; ++c)
    widths += c == 32 ? "352 " : c == 33 ? "394 " : c == 65 ? "684 " : c == 128 ? "636 " : "0 ";
  return "<< /Type /Font /Subtype /TrueType /BaseFont /Verdana /Encoding /WinAnsiEncoding"
         " /FirstChar 32 /LastChar 128 /Widths [" + widths + "]"
         " /FontDescriptor << /Type /FontDescriptor /FontName /Verdana /Flags 32 /Ascent 1005"
         " /Descent -210 /FontBBox [-49 -206 1446 1000] >> >>";
}();
const char* const kSubsetType1 =
    "<< /Type /Font /Subtype /Type1 /BaseFont /ABCDEF+CMR10 /FirstChar 65 /LastChar 67"
    " /Widths [750 708.3 722.2]"
    " /Encoding << /Type /Encoding /Differences [65 /A /B 68 /fi /uni20AC /quoteright] >>"
    " /FontDescriptor << /FontName /ABCDEF+CMR10 /Flags 4 /FontFile 9 0 R /Ascent 694"
    " /Descent 194 /MissingWidth 333 >> >>";

// Decoding per code: a table of font, code, character, width, glyph name.
TEST(PD8bitFont, DecodesProducerFonts) {
  FontFixture fx;
  fx.Stream(9, "/Length1 5", "%!PS-AdobeFont");
  auto helvetica = Make(fx, kHelvetica);
  auto symbol = Make(fx, kSymbol);
  auto symbolDiff = Make(fx,
      "<< /Subtype /Type1 /BaseFont /Symbol /Encoding << /Differences [97 /alpha 65 /Delta /Euro] >> >>");
  auto winAnsi = Make(fx, kWinAnsiTrueType);
  auto subset = Make(fx, kSubsetType1);
  auto arialTT = Make(fx, "<< /Subtype /TrueType /BaseFont /Arial >>");
  auto embeddedTT = Make(fx,
      "<< /Subtype /TrueType /BaseFont /ABCDEF+Calibri /Encoding /WinAnsiEncoding"
      " /FontDescriptor << /Flags 32 /FontFile2 9 0 R >> >>");
  auto zapf = Make(fx, "<< /Subtype /Type1 /BaseFont /ZapfDingbats >>");
  auto type3 = Make(fx,
      "<< /Subtype /Type3 /FontMatrix [0.01 0 0 0.01 0 0] /FirstChar 1 /LastChar 2"
      " /Widths [50 75] /Encoding << /Differences [1 /a /uni20AC] >> >>");
  auto macRoman = Make(fx, "<< /Subtype /Type1 /BaseFont /Times-Roman /Encoding /MacRomanEncoding >>");
  auto verdanaMono = Make(fx,
      "<< /Subtype /TrueType /BaseFont /Verdana /FontDescriptor << /Flags 1 >> >>");
  auto verdanaSerif = Make(fx, "<< /Subtype /TrueType /BaseFont /Verdana >>");
  auto boldByName = Make(fx, "<< /Subtype /TrueType /BaseFont /Arial,Bold >>");

  struct Row {
    const TvlPDFont* font;
    int code;
    std::uint16_t unicode;
    double width;
    const char* glyph;
    const char* what;
  };
  const Row rows[] = {
      {helvetica.get(), 0x41, 'A', 0.667, "A", "standard 14 without Widths: AFM widths"},
      {helvetica.get(), 0x27, 0x2019, 0.222, "quoteright", "StandardEncoding quote"},
      {helvetica.get(), 0x80, 0, -0.001, "", "code without glyph"},
      {symbol.get(), 0x61, 0x61, 0.631, "alpha", "Symbol keeps its codes"},
      {symbolDiff.get(), 0x61, 0x61, 0.631, "alpha", "Symbol Differences map back to Symbol codes"},
      {symbolDiff.get(), 0x41, 0x44, 0.612, "Delta", "Delta to the Symbol code of Delta"},
      {symbolDiff.get(), 0x42, 0xA0, 0.75, "Euro", "Euro to the Symbol code of Euro"},
      {winAnsi.get(), 0x80, 0x20AC, 0.636, "", "WinAnsi Euro through its glyph name"},
      {winAnsi.get(), 0x20, ' ', 0.352, "", "first width"},
      {winAnsi.get(), 0x41, 'A', 0.684, "", "Widths entry"},
      {winAnsi.get(), 0x81, 0x2022, 0, "", "beyond LastChar: MissingWidth"},
      {subset.get(), 0x41, 'A', 0.75, "A", "subset Differences"},
      {subset.get(), 0x42, 'B', 0.7083, "B", "real width"},
      {subset.get(), 0x44, 0xFB01, 0.333, "fi", "ligature name, MissingWidth"},
      {subset.get(), 0x45, 0, 0.333, "uni20AC", "uniXXXX names give 0"},
      {subset.get(), 0x43, 0x43, 0.7222, "", "symbolic without a name keeps the code"},
      {arialTT.get(), 0x27, 0x2019, 0.222, "", "non-embedded Arial uses Helvetica's StandardEncoding"},
      {embeddedTT.get(), 0x80, 0x80, 0.556, "", "embedded TrueType keeps every code"},
      {embeddedTT.get(), 0x41, 0x41, 0.667, "", "no Widths: sans-serif substitute widths"},
      {zapf.get(), 0x21, 0x2701, 0.974, "a1", "ZapfDingbats names through the dingbats list"},
      {type3.get(), 1, 'a', 0.5, "", "Type3 widths scaled by FontMatrix"},
      {type3.get(), 2, 0, 0.75, "", "Type3 uniXXXX name"},
      {macRoman.get(), 0xDB, 0x00A4, 0.5, "currency", "MacRoman currency"},
      {macRoman.get(), 0x80, 0x00C4, 0.722, "Adieresis", "MacRoman Adieresis"},
      {verdanaMono.get(), 0x41, 0x41, 0.6, "", "fixed-pitch substitute: Courier widths"},
      {verdanaSerif.get(), 0x61, 0x61, 0.444, "", "serif substitute: Times widths"},
      {boldByName.get(), 0x41, 'A', 0.722, "", "Arial,Bold: Helvetica-Bold metrics"},
  };
  for (const auto& r : rows) {
    ASSERT_TRUE(r.font) << r.what;
    Decoded d = Decode(*r.font, r.code);
    EXPECT_EQ(d.unicode, r.unicode) << r.what;
    EXPECT_DOUBLE_EQ(d.width, r.width) << r.what;
    EXPECT_EQ(d.glyph, r.glyph) << r.what;
    EXPECT_DOUBLE_EQ(r.font->GetWidth(r.code), r.width) << r.what;
  }
}

TEST(PD8bitFont, Properties) {
  FontFixture fx;
  fx.Stream(9, "", "program");
  fx.Stream(10, "/Subtype /Type1C", "cff");
  fx.Stream(11, "/Subtype /OpenType", "otf");
  fx.Stream(12, "", "no subtype");

  auto helvetica = Make(fx, kHelvetica);
  EXPECT_EQ(helvetica->BaseFont(), "Arial");
  EXPECT_EQ(helvetica->FontKind(), fkType1);
  EXPECT_EQ(helvetica->EncodingName(), "StandardEncoding");
  EXPECT_TRUE(helvetica->HasEncoding());
  EXPECT_FALSE(helvetica->HasDifferences());
  EXPECT_EQ(helvetica->EmbedState(), kNotEmbedded);
  EXPECT_DOUBLE_EQ(helvetica->Ascent(), 0.718);
  EXPECT_DOUBLE_EQ(helvetica->Descent(), -0.207);
  EXPECT_DOUBLE_EQ(helvetica->FontBBox().Top, 0.931);
  EXPECT_EQ(helvetica->FontMatrix(), nullptr);
  EXPECT_EQ(helvetica->GetFontFileStream(), nullptr);
  EXPECT_EQ(helvetica->ResourceName(), "F1");
  EXPECT_FALSE(helvetica->IsCIDFont());
  EXPECT_EQ(helvetica->GetWritingMode(), 0);

  auto subset = Make(fx, kSubsetType1);
  EXPECT_EQ(subset->BaseFont(), "ABCDEF+CMR10");
  EXPECT_EQ(subset->EmbedState(), kEmbeddedSubset);
  EXPECT_EQ(subset->EncodingName(), "CustomEncoding");
  EXPECT_TRUE(subset->HasDifferences());
  EXPECT_TRUE(subset->IsSymbolic());
  EXPECT_FALSE(subset->IsSerif());
  EXPECT_FALSE(subset->IsFixedPitch());  // widths differ
  EXPECT_DOUBLE_EQ(subset->Ascent(), 0.694);
  EXPECT_DOUBLE_EQ(subset->Descent(), -0.194);  // a positive Descent is negated
  EXPECT_EQ(subset->MissingWidth(), 333);
  ASSERT_NE(subset->FontMatrix(), nullptr);  // no built-in metrics: identity
  EXPECT_EQ(*subset->FontMatrix(), TvlPDMatrix());
  const std::vector<std::uint8_t>* program = subset->GetFontFileStream();
  ASSERT_NE(program, nullptr);
  EXPECT_EQ(std::string(program->begin(), program->end()), "program");
  EXPECT_EQ(subset->GetFontFileStream(), program);  // loaded once

  auto winAnsi = Make(fx, kWinAnsiTrueType);
  EXPECT_EQ(winAnsi->FontKind(), fkTrueType);
  EXPECT_EQ(winAnsi->EncodingName(), "WinAnsiEncoding");
  EXPECT_TRUE(winAnsi->HasEncoding());
  EXPECT_TRUE(winAnsi->IsItalic() == false && winAnsi->IsBold() == false);
  EXPECT_DOUBLE_EQ(winAnsi->Ascent(), 1.005);
  EXPECT_DOUBLE_EQ(winAnsi->FontBBox().Left, -49);  // descriptor box as given
  EXPECT_EQ(Simple(winAnsi).FirstChar(), 32);
  EXPECT_EQ(Simple(winAnsi).LastChar(), 128);

  // TrueType without Encoding: WinAnsi names either way, but an embedded
  // subset (as LibreOffice writes them, codes from 0) names no encoding, so
  // its ToUnicode map is what gives its text.
  auto subsetTT = Make(fx, "<< /Subtype /TrueType /BaseFont /BAAAAA+LiberationSans /FirstChar 0 /LastChar 1"
                           " /Widths [0 610] /FontDescriptor << /Flags 4 /FontFile2 9 0 R >> >>");
  EXPECT_EQ(subsetTT->EncodingName(), "");
  EXPECT_FALSE(subsetTT->HasEncoding());
  EXPECT_EQ(subsetTT->EmbedState(), kEmbeddedSubset);
  EXPECT_EQ(Make(fx, "<< /Subtype /TrueType /BaseFont /Verdana >>")->EncodingName(), "WinAnsiEncoding");

  // Kinds from the font program entries.
  struct KindRow {
    const char* dict;
    TvlFontKind kind;
    std::uint8_t embed;
    bool program;
  };
  const KindRow kinds[] = {
      {"<< /Subtype /Type1 /BaseFont /X /FontDescriptor << /FontFile3 10 0 R >> >>", fkType1C, kEmbedded, true},
      {"<< /Subtype /TrueType /BaseFont /X /FontDescriptor << /FontFile3 11 0 R >> >>", fkTrueTypeOT, kEmbedded, true},
      {"<< /Subtype /Type1 /BaseFont /X /FontDescriptor << /FontFile3 11 0 R >> >>", fkType1COT, kEmbedded, true},
      {"<< /Subtype /Type1 /BaseFont /X /FontDescriptor << /FontFile2 9 0 R >> >>", fkTrueType, kEmbedded, true},
      {"<< /Subtype /Type1 /BaseFont /ABCDEF+X /FontDescriptor << /FontFile3 12 0 R >> >>", fkType1, kEmbeddedSubset, false},
      {"<< /Subtype /Type1 /BaseFont /X /FontDescriptor << /FontFile 9 0 R >> >>", fkType1, kEmbedded, true},
      {"<< /Subtype /Type1 /BaseFont /X /FontDescriptor << /FontFile 77 0 R >> >>", fkType1, kEmbedded, false},
      {"<< /Subtype /Type1 /BaseFont /X /FontDescriptor << /FontFile 9 >> >>", fkType1, kNotEmbedded, false},
      {"<< /Subtype /MMType1 /BaseFont /X >>", fkType1, kNotEmbedded, false},
      {"<< /Subtype /Type1C /BaseFont /X >>", fkType1C, kNotEmbedded, false},
      {"<< /Subtype /Type3 >>", fkType3, kNotEmbedded, false},
      {"<< /Subtype /Unknown >>", fkUnknown, kNotEmbedded, false},
  };
  for (const auto& k : kinds) {
    auto f = Make(fx, k.dict);
    ASSERT_TRUE(f) << k.dict;
    EXPECT_EQ(f->FontKind(), k.kind) << k.dict;
    EXPECT_EQ(f->EmbedState(), k.embed) << k.dict;
    EXPECT_EQ(f->GetFontFileStream() != nullptr, k.program) << k.dict;
  }
  EXPECT_EQ(TvlPDFont::CreateFont(nullptr, nullptr, nullptr, "F1"), nullptr);
  EXPECT_EQ(Make(fx, "<< /Type /Font /BaseFont /Helvetica >>"), nullptr);
}

TEST(PD8bitFont, DescriptorAndNames) {
  FontFixture fx;
  struct Row {
    const char* dict;
    const char* fontName;
    bool bold, italic;
    int missingWidth;
  };
  const Row rows[] = {
      {"<< /Subtype /TrueType /BaseFont /X /FontDescriptor << /FontName /Helvetica >> >>", "Arial", false, false, 0},
      {"<< /Subtype /TrueType /BaseFont /X /FontDescriptor << /FontName /Courier >> >>", "CourierNew", false, false, 0},
      {"<< /Subtype /TrueType /BaseFont /X /FontDescriptor << /FontName /Arial-BoldItalicMT >> >>",
       "Arial-BoldItalicMT", true, true, 0},
      {"<< /Subtype /TrueType /BaseFont /X /FontDescriptor << /Flags 262144 /MissingWidth 250.5 >> >>", "", true,
       false, 250},
      {"<< /Subtype /TrueType /BaseFont /X /FontDescriptor << /Flags 64 /MissingWidth 251.5 >> >>", "", false, true,
       252},
      {"<< /Subtype /TrueType /BaseFont /X /FontDescriptor << /MissingWidth 300 >> >>", "", false, false, 300},
  };
  for (const auto& r : rows) {
    auto f = Make(fx, r.dict);
    EXPECT_EQ(f->FontName(), r.fontName) << r.dict;
    EXPECT_EQ(f->IsBold(), r.bold) << r.dict;
    EXPECT_EQ(f->IsItalic(), r.italic) << r.dict;
    EXPECT_EQ(f->MissingWidth(), r.missingWidth) << r.dict;
  }
  // An embedded program keeps the descriptor's name as it is.
  fx.Stream(9, "", "x");
  auto embedded = Make(fx, "<< /Subtype /TrueType /BaseFont /X /FontDescriptor << /FontName /Helvetica-Bold"
                           " /FontFile2 9 0 R >> >>");
  EXPECT_EQ(embedded->FontName(), "Helvetica-Bold");
  EXPECT_FALSE(embedded->IsBold());
}

TEST(PD8bitFont, WidthsAndDifferencesEdges) {
  FontFixture fx;
  auto widths = [&](const char* entries) {
    return Make(fx, (std::string("<< /Subtype /TrueType /BaseFont /X ") + entries + " >>").c_str());
  };
  EXPECT_TRUE(widths("/FirstChar 32 /LastChar 34 /Widths [500 500 500]")->IsFixedPitch());
  EXPECT_FALSE(widths("/FirstChar 32 /LastChar 33 /Widths [500 600]")->IsFixedPitch());
  // LastChar absent: no widths are read.
  auto noLast = widths("/FirstChar 32 /Widths [500] /FontDescriptor << /MissingWidth 100 >>");
  EXPECT_DOUBLE_EQ(noLast->GetWidth(32), 0.1);
  // A short array shortens LastChar; out-of-range FirstChar/LastChar fall back.
  auto shortArray = widths("/FirstChar 65 /LastChar 90 /Widths [700 (x) 650]");
  EXPECT_EQ(Simple(shortArray).LastChar(), 67);
  EXPECT_DOUBLE_EQ(shortArray->GetWidth(65), 0.7);
  EXPECT_DOUBLE_EQ(shortArray->GetWidth(66), 0);  // not a number
  EXPECT_DOUBLE_EQ(shortArray->GetWidth(67), 0.65);
  auto badRange = widths("/FirstChar 300 /LastChar -5 /Widths [1 2 3]");
  EXPECT_EQ(Simple(badRange).FirstChar(), 0);
  EXPECT_EQ(Simple(badRange).LastChar(), 2);
  EXPECT_DOUBLE_EQ(badRange->GetWidth(2), 0.003);
  EXPECT_DOUBLE_EQ(badRange->GetWidth(300), 0);

  auto diff = Make(fx, "<< /Subtype /Type1 /BaseFont /X /Encoding << /BaseEncoding /WinAnsiEncoding"
                       " /Differences [32 /space /a 65 /B 254 /y /z /ignored -3 /neg (s) /c 0 /zero] >> >>");
  struct NameRow {
    int code;
    const char* name;
  };
  const NameRow names[] = {{32, "space"}, {33, "a"}, {65, "B"}, {66, "B"}, {254, "y"}, {255, "z"},
                           {0, "zero"}, {1, ""}, {128, "Euro"}, {-1, ""}, {256, ""}};
  for (const auto& n : names) {
    std::string name = "unset";
    Simple(diff).GetGlyphName(n.code, name);
    EXPECT_EQ(name, n.name) << n.code;
  }
  EXPECT_EQ(diff->EncodingName(), "CustomEncoding");
  // Index outside the string decodes nothing.
  int len = 0;
  std::uint16_t u = 7;
  std::string_view g;
  double w = 1, r1, r2, r3;
  EXPECT_FALSE(diff->DecodeChar(u"", 1, len, u, g, w, r1, r2, r3));
  EXPECT_EQ(len, 1);
  // A code above 255 in the string is read as its low byte.
  EXPECT_EQ(Decode(*diff, 0x121).glyph, "a");
}

TEST(PD8bitFont, ToUnicodeMap) {
  FontFixture fx;
  fx.Stream(20, "", "1 beginbfchar <41> <0391> endbfchar");
  fx.Stream(21, "", "1 beginbfchar <41> /bad endbfchar");
  auto good = Make(fx, "<< /Subtype /TrueType /BaseFont /X /ToUnicode 20 0 R >>");
  ASSERT_NE(good->ToUnicode(), nullptr);
  EXPECT_EQ(good->ToUnicode()->MapCode(0x41), 0x391);
  // DecodeChar leaves the map to its caller.
  EXPECT_EQ(Decode(*good, 0x41).unicode, 0x41);
  // A malformed map is dropped; the font still decodes.
  auto bad = Make(fx, "<< /Subtype /TrueType /BaseFont /X /ToUnicode 21 0 R >>");
  ASSERT_TRUE(bad);
  EXPECT_EQ(bad->ToUnicode(), nullptr);
}

}  // namespace

namespace {

// Every entry a simple font reads, given values of every wrong kind: the
// font is still built and decodes all 256 codes.
TEST(PD8bitFont, WrongKindsOfEntriesFallBack) {
  FontFixture fx;
  fx.Stream(9, "/Subtype 5", "x");
  const char* const keys[] = {"BaseFont", "Encoding", "FirstChar", "LastChar", "Widths", "FontMatrix",
                              "ToUnicode", "FontDescriptor"};
  const char* const values[] = {"(s)", "1", "-1", "2147483647", "-2147483648", "1.5", "[]", "[1 (x) /n]",
                                "<< >>", "<< /Differences 5 /BaseEncoding 3 >>", "<< /Differences [-5 /a 999999 /b] >>",
                                "/Name", "null", "true", "9 0 R", "77 0 R"};
  const char* const descriptorValues[] = {
      "<< /Flags (x) /FontName 3 /MissingWidth 1e308 /Ascent /x /Descent [] /FontBBox [1 2] >>",
      "<< /FontFile 9 0 R /FontFile2 9 0 R >>", "<< /FontFile3 9 0 R >>", "<< /FontFile3 77 0 R >>",
      "<< /FontFile -1 0 R >>", "<< /MissingWidth 3000000000.0 /FontBBox [(a) 1 2 3] >>"};
  auto check = [&](const std::string& dict) {
    auto f = Make(fx, dict);
    ASSERT_TRUE(f) << dict;
    for (int c = 0; c < 256; ++c) {
      WideString text(1, static_cast<char16_t>(c));
      int len;
      std::uint16_t u;
      std::string_view g;
      double w, r1, r2, r3;
      EXPECT_TRUE(f->DecodeChar(text, 1, len, u, g, w, r1, r2, r3)) << dict;
    }
    (void)f->GetFontFileStream();
  };
  for (const char* subtype : {"Type1", "TrueType", "Type3"}) {
    for (const char* key : keys)
      for (const char* value : values)
        check(std::string("<< /Subtype /") + subtype + " /BaseFont /Helvetica /" + key + " " + value + " >>");
    for (const char* value : descriptorValues)
      check(std::string("<< /Subtype /") + subtype + " /BaseFont /X /FontDescriptor " + value + " >>");
  }
}

}  // namespace
