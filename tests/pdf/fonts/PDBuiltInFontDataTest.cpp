// Built-in font data: glyph lists, Symbol reverse map, standard-font
// metrics, encodings, the alias table and the font-program holder.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "pdf/fonts/FontProcessor.h"
#include "pdf/fonts/PDAdobeGlyphList.h"
#include "pdf/fonts/PDBuiltInFontMap.h"
#include "pdf/fonts/PDEncoding.h"
#include "pdf/fonts/PDStdFontMap.h"

namespace {

double WidthIn(const char* font, const char* glyph) {
  auto f = TvlBuiltInFont::CreateStandard(font);
  return f ? f->GetGlyphWidth(glyph) : -999;
}

struct DataCase {
  const char* what;
  std::function<double()> actual;
  double expected;
};

TEST(PDBuiltInFontData, LookupEdgeCases) {
  const DataCase cases[] = {
      {"Euro in the glyph list", [] { return vl::GlyphNameToUnicode("Euro", false); }, 0x20AC},
      {"Omega is the ohm sign", [] { return vl::GlyphNameToUnicode("Omega", false); }, 0x2126},
      {"Delta is the increment sign", [] { return vl::GlyphNameToUnicode("Delta", false); }, 0x2206},
      {"mu is the micro sign", [] { return vl::GlyphNameToUnicode("mu", false); }, 0x00B5},
      {"multi-value name takes the first", [] { return vl::GlyphNameToUnicode("dalethatafpatah", false); }, 0x05D3},
      {"a1 in the dingbats list", [] { return vl::GlyphNameToUnicode("a1", true); }, 0x2701},
      {"a1 is not in the glyph list", [] { return vl::GlyphNameToUnicode("a1", false); }, 0},
      {"Euro is not a dingbat", [] { return vl::GlyphNameToUnicode("Euro", true); }, 0},
      {"lookup is case-sensitive", [] { return vl::GlyphNameToUnicode("EURO", false); }, 0},
      {"uniXXXX is not interpreted", [] { return vl::GlyphNameToUnicode("uni20AC", false); }, 0},
      {"uXXXX is not interpreted", [] { return vl::GlyphNameToUnicode("u20AC", false); }, 0},
      {"empty name", [] { return vl::GlyphNameToUnicode("", false); }, 0},
      {"first name of the list", [] { return vl::GlyphNameToUnicode("A", false); }, 0x0041},
      {"last name of the list", [] { return vl::GlyphNameToUnicode("zukatakana", false); }, 0x30BA},
      {"Symbol alpha", [] { return vl::UnicodeToSymbolCode(0x03B1); }, 0x61},
      {"Symbol Alpha", [] { return vl::UnicodeToSymbolCode(0x0391); }, 0x41},
      {"Symbol increment sign", [] { return vl::UnicodeToSymbolCode(0x2206); }, 0x44},
      {"Symbol Greek Delta", [] { return vl::UnicodeToSymbolCode(0x0394); }, 0x44},
      {"Symbol Greek Omega", [] { return vl::UnicodeToSymbolCode(0x03A9); }, 87},
      {"Symbol ohm sign", [] { return vl::UnicodeToSymbolCode(0x2126); }, 87},
      {"Symbol Greek mu", [] { return vl::UnicodeToSymbolCode(0x03BC); }, 109},
      {"Symbol euro", [] { return vl::UnicodeToSymbolCode(0x20AC); }, 0xA0},
      {"Symbol no-break space", [] { return vl::UnicodeToSymbolCode(0x00A0); }, 32},
      {"Symbol division slash", [] { return vl::UnicodeToSymbolCode(0x2215); }, 164},
      {"Symbol has no Latin A", [] { return vl::UnicodeToSymbolCode(0x0041); }, 0},
      {"Symbol has no code for 0", [] { return vl::UnicodeToSymbolCode(0); }, 0},
      {"Times-Roman a", [] { return WidthIn("Times-Roman", "a"); }, 444},
      {"Times-Roman unknown glyph", [] { return WidthIn("Times-Roman", "foo"); }, -1},
      {"empty glyph name", [] { return WidthIn("Times-Roman", ""); }, -1},
      {"Helvetica A", [] { return WidthIn("Helvetica", "A"); }, 667},
      {"Helvetica-Bold A", [] { return WidthIn("Helvetica-Bold", "A"); }, 722},
      {"Courier-BoldOblique Euro", [] { return WidthIn("Courier-BoldOblique", "Euro"); }, 600},
      {"Symbol alpha width", [] { return WidthIn("Symbol", "alpha"); }, 631},
      {"ZapfDingbats a1 width", [] { return WidthIn("ZapfDingbats", "a1"); }, 974},
      {"aliases are not standard names", [] { return TvlBuiltInFont::CreateStandard("Arial") ? 1 : 0; }, 0},
      {"names compare exactly", [] { return TvlBuiltInFont::CreateStandard("helvetica") ? 1 : 0; }, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual(), c.expected) << c.what;
}

TEST(PDBuiltInFontData, StandardFontMetrics) {
  struct Row {
    const char* name;
    std::size_t glyphs;
    double ascender, descender;
    const char* encoding;
    double bboxTop;
  };
  const Row rows[] = {
      {"Courier", 315, 629, -157, "StandardEncoding", 805},
      {"Courier-Bold", 315, 629, -157, "StandardEncoding", 801},
      {"Courier-BoldOblique", 315, 629, -157, "StandardEncoding", 801},
      {"Courier-Oblique", 315, 629, -157, "StandardEncoding", 805},
      {"Helvetica", 315, 718, -207, "StandardEncoding", 931},
      {"Helvetica-Bold", 315, 718, -207, "StandardEncoding", 962},
      {"Helvetica-BoldOblique", 315, 718, -207, "StandardEncoding", 962},
      {"Helvetica-Oblique", 315, 718, -207, "StandardEncoding", 931},
      {"Symbol", 190, 1010, -293, "CustomEncoding", 1010},
      {"Times-Bold", 315, 683, -217, "StandardEncoding", 935},
      {"Times-BoldItalic", 315, 683, -217, "StandardEncoding", 921},
      {"Times-Italic", 315, 683, -217, "StandardEncoding", 883},
      {"Times-Roman", 315, 683, -217, "StandardEncoding", 898},
      {"ZapfDingbats", 202, 820, -143, "CustomEncoding", 820},
  };
  for (const auto& r : rows) {
    auto f = TvlBuiltInFont::CreateStandard(r.name);
    ASSERT_TRUE(f) << r.name;
    EXPECT_EQ(f->FontName(), r.name);
    EXPECT_EQ(f->GlyphCount(), r.glyphs) << r.name;
    EXPECT_EQ(f->Ascender(), r.ascender) << r.name;
    EXPECT_EQ(f->Descender(), r.descender) << r.name;
    EXPECT_EQ(f->EncodingName(), r.encoding) << r.name;
    EXPECT_EQ(f->FontBBox()[3], r.bboxTop) << r.name;
  }
  // The Latin fonts' built-in encoding is StandardEncoding itself; the two
  // symbolic fonts carry their own.
  EXPECT_EQ(TvlBuiltInFont::CreateStandard("Times-Roman")->Encoding(), vl::StandardEncoding());
  EXPECT_EQ(TvlBuiltInFont::CreateStandard("Symbol")->Encoding(), vl::SymbolEncoding());
  EXPECT_EQ(TvlBuiltInFont::CreateStandard("ZapfDingbats")->Encoding(), vl::ZapfDingbatsEncoding());
  // Every Courier glyph is 600 wide.
  auto courier = TvlBuiltInFont::CreateStandard("Courier");
  for (int c = 0; c < 256; ++c) {
    const char* g = vl::StandardEncoding()[c];
    if (*g) {
      EXPECT_EQ(courier->GetGlyphWidth(g), 600) << g;
    }
  }
}

// Spot codes of each encoding, as published in the PDF Reference tables.
TEST(PDBuiltInFontData, EncodingsMatchPublishedTables) {
  struct Row {
    vl::TvlEncodingTable table;
    const char* what;
    int code;
    const char* glyph;
  };
  const Row rows[] = {
      {vl::StandardEncoding(), "Standard", 0x27, "quoteright"},
      {vl::StandardEncoding(), "Standard", 0x60, "quoteleft"},
      {vl::StandardEncoding(), "Standard", 0xA4, "fraction"},
      {vl::StandardEncoding(), "Standard", 0xB1, "endash"},
      {vl::StandardEncoding(), "Standard", 0xE1, "AE"},
      {vl::StandardEncoding(), "Standard", 0xF5, "dotlessi"},
      {vl::StandardEncoding(), "Standard", 0x80, ""},
      {vl::WinAnsiEncoding(), "WinAnsi", 0x41, "A"},
      {vl::WinAnsiEncoding(), "WinAnsi", 0x80, "Euro"},
      {vl::WinAnsiEncoding(), "WinAnsi", 0x92, "quoteright"},
      {vl::WinAnsiEncoding(), "WinAnsi", 0x96, "endash"},
      {vl::WinAnsiEncoding(), "WinAnsi", 0x7F, "bullet"},
      {vl::WinAnsiEncoding(), "WinAnsi", 0x81, "bullet"},
      {vl::WinAnsiEncoding(), "WinAnsi", 0x9D, "bullet"},
      {vl::WinAnsiEncoding(), "WinAnsi", 0xA0, "space"},
      {vl::WinAnsiEncoding(), "WinAnsi", 0xAD, "hyphen"},
      {vl::WinAnsiEncoding(), "WinAnsi", 0xFF, "ydieresis"},
      {vl::WinAnsiEncoding(), "WinAnsi", 0x1F, ""},
      {vl::MacRomanEncoding(), "MacRoman", 0x80, "Adieresis"},
      {vl::MacRomanEncoding(), "MacRoman", 0xA5, "bullet"},
      {vl::MacRomanEncoding(), "MacRoman", 0xAD, "notequal"},
      {vl::MacRomanEncoding(), "MacRoman", 0xCA, "space"},
      {vl::MacRomanEncoding(), "MacRoman", 0xDB, "currency"},
      {vl::MacRomanEncoding(), "MacRoman", 0xF0, "apple"},
      {vl::MacRomanEncoding(), "MacRoman", 0x7F, ""},
      {vl::MacExpertEncoding(), "MacExpert", 0x21, "exclamsmall"},
      {vl::MacExpertEncoding(), "MacExpert", 0x24, "dollaroldstyle"},
      {vl::MacExpertEncoding(), "MacExpert", 0x31, "oneoldstyle"},
      {vl::MacExpertEncoding(), "MacExpert", 0x56, "ff"},
      {vl::SymbolEncoding(), "Symbol", 0x61, "alpha"},
      {vl::SymbolEncoding(), "Symbol", 0x44, "Delta"},
      {vl::SymbolEncoding(), "Symbol", 0xA0, "Euro"},
      {vl::SymbolEncoding(), "Symbol", 0xF0, ""},
      {vl::ZapfDingbatsEncoding(), "ZapfDingbats", 0x20, "space"},
      {vl::ZapfDingbatsEncoding(), "ZapfDingbats", 0x21, "a1"},
      {vl::ZapfDingbatsEncoding(), "ZapfDingbats", 0x80, "a89"},
      {vl::ZapfDingbatsEncoding(), "ZapfDingbats", 0xFE, "a191"},
      {vl::PDFDocEncoding(), "PDFDoc", 0x18, "breve"},
      {vl::PDFDocEncoding(), "PDFDoc", 0xA0, "Euro"},
  };
  for (const auto& r : rows)
    EXPECT_STREQ(r.table[r.code], r.glyph) << r.what << " " << r.code;
  EXPECT_EQ(vl::FindBaseEncoding("WinAnsiEncoding"), vl::WinAnsiEncoding());
  EXPECT_EQ(vl::FindBaseEncoding("MacRomanEncoding"), vl::MacRomanEncoding());
  EXPECT_EQ(vl::FindBaseEncoding("MacExpertEncoding"), vl::MacExpertEncoding());
  EXPECT_EQ(vl::FindBaseEncoding("StandardEncoding"), nullptr);
}

TEST(PDBuiltInFontData, AliasAndFamilyTables) {
  struct Row {
    const char* name;
    const char* alias;     // nullptr: no row
    const char* standard;
  };
  const Row rows[] = {
      {"Helvetica", "Arial", "Helvetica"},
      {"Arial", "Arial", "Helvetica"},
      {"Arial,Bold", "Arial,Bold", "Helvetica-Bold"},
      {"Arial-BoldMT", "Arial-BoldMT", "Helvetica-Bold"},
      {"Helvetica-Bold", "Arial,Bold", "Helvetica-Bold"},
      {"Courier", "CourierNew", "Courier"},
      {"Courier-Oblique", "CourierNew,Italic", "Courier-Oblique"},
      {"Times-Roman", "TimesNewRoman", "Times-Roman"},
      {"TimesNewRomanPSMT,Italic", "TimesNewRomanPSMT,Italic", "Times-Italic"},
      {"Symbol", "Symbol,Bold", "Symbol"},
      {"ZapfDingbats", nullptr, nullptr},
      {"Verdana", nullptr, nullptr},
      {"arial", nullptr, nullptr},
  };
  for (const auto& r : rows) {
    const vl::TvlFontAlias* row = vl::FindFontAlias(r.name);
    if (!r.alias) {
      EXPECT_EQ(row, nullptr) << r.name;
      continue;
    }
    ASSERT_NE(row, nullptr) << r.name;
    EXPECT_STREQ(row->Alias, r.alias) << r.name;
    EXPECT_STREQ(row->StandardName, r.standard) << r.name;
  }
  for (const auto& row : vl::kFontAliases) EXPECT_GE(vl::StandardFontIndex(row.StandardName), 0) << row.Alias;
  EXPECT_EQ(vl::WindowsFamilyName("Helvetica"), "Arial");
  EXPECT_EQ(vl::WindowsFamilyName("Courier"), "CourierNew");
  EXPECT_EQ(vl::WindowsFamilyName("Symbol"), "Symbol");
  EXPECT_EQ(vl::WindowsFamilyName("ZapfDingbats"), "ArialUnicodeMS");
  EXPECT_EQ(vl::WindowsFamilyName("Times"), "");
}

TEST(PDBuiltInFontData, FontProcessorCopiesProgram) {
  const std::uint8_t program[] = {0x00, 0x01, 0x00, 0x00, 0x42};
  std::uint8_t error = 99;
  TvlFontProcessor p(program, error, 96, 96, 12);
  EXPECT_EQ(error, 0);
  EXPECT_TRUE(p.HasLibrary());
  EXPECT_EQ(p.Program(), std::vector<std::uint8_t>(std::begin(program), std::end(program)));
  EXPECT_EQ(p.FontSize(), 12);
}

}  // namespace
