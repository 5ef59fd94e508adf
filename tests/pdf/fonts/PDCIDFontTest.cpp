// Composite fonts: CMaps, 2-byte codes, W/DW widths, ToUnicode, and the
// fonts Chromium and LuaTeX write.
#include <gtest/gtest.h>

#include <string>

#include "pdf/fonts/FontFixture.h"
#include "pdf/fonts/PDCIDFont.h"
#include "pdf/fonts/PDCMap.h"
#include "pdf/fonts/PDCMapParser.h"

namespace {

using vltest::FontFixture;
using namespace std::string_literals;

std::unique_ptr<TvlPDFont> Make(FontFixture& fx, const std::string& text) {
  return TvlPDFont::CreateFont(nullptr, nullptr, fx.Dict(text), "F1");
}

// A Type0 font with Encoding Enc and descendant entries Desc.
std::string Type0(const std::string& Enc, const std::string& Desc, const std::string& Extra = "") {
  return "<< /Type /Font /Subtype /Type0 /BaseFont /ABCDEF+Noto /Encoding " + Enc + " " + Extra +
         " /DescendantFonts [ << /Type /Font /Subtype /CIDFontType2 /BaseFont /ABCDEF+Noto "
         "/CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> " +
         Desc + " >> ] >>";
}

struct Step {
  std::uint16_t unicode;
  int length;
  double width;
};

// Decodes all of Text, one step per code.
std::vector<Step> DecodeAll(const TvlPDFont& f, const WideString& Text) {
  std::vector<Step> out;
  for (int p = 1; p <= static_cast<int>(Text.size());) {
    int len = 0;
    std::uint16_t u = 0;
    std::string_view g = "x";
    double w = -1, r1 = 1, r2 = 1, r3 = 1;
    EXPECT_TRUE(f.DecodeChar(Text, p, len, u, g, w, r1, r2, r3));
    EXPECT_TRUE(g.empty());
    EXPECT_EQ(r1 + r2 + r3, 0);
    out.push_back({u, len, w});
    p += std::max(len, 1);
  }
  return out;
}

const char* const kToUnicode =
    "/CIDInit /ProcSet findresource begin 12 dict begin begincmap\n"
    "1 begincodespacerange <0000> <FFFF> endcodespacerange\n"
    "1 beginbfrange <0000> <0005> <0041> endbfrange\n"
    "2 beginbfchar <0003> <0058> <0010> <00660069> endbfchar\n"
    "endcmap end end\n";

TEST(PDCIDFont, IdentityCodesWidthsAndUnicode) {
  FontFixture fx;
  fx.Stream(7, "", kToUnicode);
  fx.Stream(8, "", "program");
  auto plain = Make(fx, Type0("/Identity-H", "/DW 250 /W [1 [500 600] 10 20 300 2 2 999]",
                              "/ToUnicode 7 0 R"));
  auto embedded = Make(fx, Type0("/Identity-H", "/W [3 [700]] /FontDescriptor << /FontFile2 8 0 R >>",
                                 "/ToUnicode 7 0 R"));
  auto vertical = Make(fx, Type0("/Identity-V", "/W [0 100 400]"));
  auto noDW = Make(fx, Type0("/Identity", ""));
  ASSERT_TRUE(plain && embedded && vertical && noDW);
  EXPECT_TRUE(plain->IsCIDFont());
  EXPECT_EQ(plain->GetWritingMode(), 0);
  EXPECT_EQ(plain->FontKind(), fkCIDFontType2);
  EXPECT_EQ(plain->EncodingName(), "Identity-H");
  EXPECT_EQ(embedded->EmbedState(), kEmbeddedSubset);

  struct Row {
    const TvlPDFont* font;
    WideString text;
    std::vector<Step> steps;
    const char* what;
  };
  const Row rows[] = {
      {plain.get(), u"\x00\x01\x00\x02"s, {{'B', 2, 0.5}, {'C', 2, 0.6}},
       "literal bytes pair up; array form of W; ToUnicode range"},
      {plain.get(), WideString(u"\x0003", 1), {{'X', 2, 0.25}}, "single mapping beats range; DW"},
      {plain.get(), WideString(1, 0x0010), {{0xFB01, 2, 0.3}},
       "a hex element is one code; range form of W; ligature destination"},
      {plain.get(), WideString(1, 0x0014), {{0xFFFF, 2, 0.3}}, "end of a W range; unmapped"},
      {plain.get(), WideString(1, 0x0015), {{0xFFFF, 2, 0.25}}, "after a W range: DW"},
      {plain.get(), u"\x00\x02\x00\x41"s, {{'C', 2, 0.6}, {0xFFFF, 2, 0.25}},
       "an earlier W record wins over a later one"},
      {embedded.get(), u"\x00\x03\x41"s, {{3, 2, 0.7}, {0x41, 2, 1.0}},
       "embedded program keeps the CID; odd last byte taken whole"},
      {vertical.get(), u"\x00\x05\x01\x00"s, {{5, 2, 0}, {0x100, 2, 0}}, "vertical: no advance"},
      {noDW.get(), WideString(u"\x1234", 1), {{0x1234, 2, 1.0}}, "no DW: 1.0"},
  };
  for (const auto& r : rows) {
    std::vector<Step> got = DecodeAll(*r.font, r.text);
    ASSERT_EQ(got.size(), r.steps.size()) << r.what;
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].unicode, r.steps[i].unicode) << r.what << " #" << i;
      EXPECT_EQ(got[i].length, r.steps[i].length) << r.what << " #" << i;
      EXPECT_DOUBLE_EQ(got[i].width, r.steps[i].width) << r.what << " #" << i;
    }
  }
}

TEST(PDCIDFont, EmbeddedCMapAndCIDToGIDMap) {
  FontFixture fx;
  fx.Stream(5, "",
            "/CIDInit /ProcSet findresource begin 12 dict begin begincmap\n"
            "/CIDSystemInfo << /Registry (Adobe) /Ordering (Japan1) /Supplement 6 >> def\n"
            "/WMode 0 def 1 begincodespacerange <00> <FF> endcodespacerange\n"
            "1 begincidrange <20> <7E> 1 endcidrange\n"
            "1 begincidchar <41> 500 endcidchar endcmap\n");
  fx.Stream(6, "", std::string("\x00\x07\x00\x09\x01", 5));
  auto font = Make(fx, Type0("5 0 R", "/DW 600 /W [500 [400]] /CIDToGIDMap 6 0 R"));
  ASSERT_TRUE(font);
  EXPECT_EQ(font->EncodingName(), "Custom");
  const auto& cid = dynamic_cast<const TvlPDCIDFont&>(*font);
  ASSERT_TRUE(cid.CMap());
  EXPECT_FALSE(cid.CMap()->IsIdentity());
  // Each element is a code of its own; unmapped codes give 0xFFFF.
  std::vector<Step> got = DecodeAll(*font, u" AB\x05");
  const std::vector<Step> want = {{1, 1, 0.6}, {500, 1, 0.4}, {35, 1, 0.6}, {0xFFFF, 1, 0.6}};
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].unicode, want[i].unicode) << i;
    EXPECT_EQ(got[i].length, want[i].length) << i;
    EXPECT_DOUBLE_EQ(got[i].width, want[i].width) << i;
  }
  // The glyph map is read in byte pairs (a trailing byte dropped) and does
  // not change the character: ToUnicode maps are keyed by CID.
  EXPECT_TRUE(cid.HasCIDToGIDMap());
  EXPECT_EQ(cid.GlyphIndex(0), 7);
  EXPECT_EQ(cid.GlyphIndex(1), 9);
  EXPECT_EQ(cid.GlyphIndex(2), 2);
}

TEST(PDCIDFont, UnusableFontsDecodeNothing) {
  FontFixture fx;
  fx.Stream(5, "", "1 begincidrange <00> <FF> 99999999999 endcidrange");
  const std::string noInfo =
      "<< /Subtype /Type0 /Encoding /Identity-H /DescendantFonts [ << /Subtype /CIDFontType0 "
      "/CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) >> >> ] >>";
  const std::string cases[] = {
      "<< /Subtype /Type0 /Encoding /Identity-H >>",
      "<< /Subtype /Type0 /Encoding /Identity-H /DescendantFonts [ << /Subtype /Type1 >> ] >>",
      "<< /Subtype /Type0 /Encoding /Identity-H /DescendantFonts 5 >>",
      noInfo,
      Type0("/UniJIS-UCS2-H", "/W [1 [500]]"),  // predefined, no CMap files
      Type0("5", "")
  };
  for (const auto& text : cases) {
    SCOPED_TRACE(text);
    auto font = Make(fx, text);
    ASSERT_TRUE(font);
    EXPECT_TRUE(font->IsCIDFont());
    int len = 0;
    std::uint16_t u = 7;
    std::string_view g;
    double w = 7, r1, r2, r3;
    EXPECT_FALSE(font->DecodeChar(u"\x00\x01"s, 1, len, u, g, w, r1, r2, r3));
    EXPECT_EQ(len, 1);
    EXPECT_EQ(u, 0);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(font->GetWidth(1), 0);
  }
  // A malformed number in an embedded CMap fails the font.
  EXPECT_THROW(Make(fx, Type0("5 0 R", "")), EConvertError);
}

TEST(PDCIDFont, MalformedWidthsStayBounded) {
  FontFixture fx;
  // Huge and reversed ranges, negative CIDs, non-numbers, a dangling tail,
  // and many overlapping full-range records: the index stays at 64K CIDs
  // and is filled once per CID.
  std::string many;
  for (int i = 0; i < 20000; ++i) many += "0 2000000000 " + std::to_string(100 + i % 7) + " ";
  struct Row {
    std::string w;
    std::vector<std::pair<int, double>> expect;  // CID, width
  } rows[] = {
      {"[0 2147483647 100 5 1 900 -5 [1 2 3] /x (y) 7 [8 /z 9] 65535 [11 12]]",
       {{0, 0.1}, {65535, 0.1}, {7, 0.1}}},
      {"[-10 -1 5 70000 80000 5 40 [100 /z 300] 65535 [11 12] 60000]",
       {{40, 0.1}, {41, 1.0}, {42, 0.3}, {65535, 0.011}, {0, 1.0}, {60000, 1.0}}},
      {"[" + many + "]", {{0, 0.1}, {65535, 0.1}}},
      {"[[1 2] 3 [4] 5 6]", {{3, 0.004}, {5, 1.0}}},
  };
  for (const auto& r : rows) {
    auto font = Make(fx, Type0("/Identity-H", "/W " + r.w));
    ASSERT_TRUE(font) << r.w.substr(0, 60);
    for (auto [c, w] : r.expect) EXPECT_DOUBLE_EQ(font->GetWidth(c), w) << r.w.substr(0, 60) << " " << c;
  }
}

TEST(PDCMap, PredefinedNames) {
  for (const char* name : {"Identity-H", "Identity", "Identity-V"}) {
    auto map = TvlPDCMap::CreatePredefined(name, "", "Adobe-Identity-UCS2");
    ASSERT_TRUE(map) << name;
    EXPECT_TRUE(map->IsIdentity());
    EXPECT_EQ(map->IsVertical(), std::string(name) == "Identity-V");
    EXPECT_EQ(map->CIDToUnicode(), nullptr);
  }
  EXPECT_EQ(TvlPDCMap::CreatePredefined("UniGB-UCS2-H", "", "Adobe-GB1-UCS2"), nullptr);
  EXPECT_EQ(TvlPDCMap::CreatePredefined("UniGB-UCS2-H", "no/such/dir", "Adobe-GB1-UCS2"), nullptr);
}

}  // namespace
