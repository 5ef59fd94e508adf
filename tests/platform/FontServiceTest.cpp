#include "platform/vlFontService.h"

#include <gtest/gtest.h>

#include <strings.h>

#include <algorithm>

#include "platform/vlGeometry.h"
#include "writer/vlConvUtils.h"

using namespace vl;

// The suite runs with the fonts.conf of tests/fonts: Liberation and DejaVu only.
TEST(FontService, ReportsInstalledAndMetricCompatibleNames) {
  TvlFontService& fs = TvlFontService::Instance();
  const auto& names = fs.FamilyNames();
  for (const char* n : {"Liberation Sans", "Liberation Serif", "Liberation Mono", "DejaVu Sans", "Arial", "Helvetica",
                        "Times New Roman", "Times", "Courier New", "Courier", "Arial Narrow"})
    EXPECT_TRUE(fs.HasFamily(n)) << n;
  // No metric-compatible font for these in the test set.
  for (const char* n : {"Symbol", "Tahoma", "Calibri", "Arial Unicode MS"}) EXPECT_FALSE(fs.HasFamily(n)) << n;
  EXPECT_TRUE(fs.HasFamily("arial"));
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const AnsiString& a, const AnsiString& b) {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
  }));
  EXPECT_EQ(fs.ResolvedFamily("Arial", {}), "Liberation Sans");
  EXPECT_EQ(fs.ResolvedFamily("Times New Roman", {fsBold}), "Liberation Serif");
  EXPECT_NE(fs.ResolvedFile("Courier New", {fsItalic}).find("LiberationMono-Italic"), AnsiString::npos);
  EXPECT_EQ(fs.ResolvedFamily("NoSuchFamily", {}), "DejaVu Sans");
}

TEST(FontService, TextExtentUsesTheCompatibleFont) {
  TFont f;
  f.Name = "Arial";
  f.Size = 12;  // 16 pixels per em
  // Liberation Sans advances (units of 2048): H 1479, e 1139, l 455, o 1139,
  // each rounded to whole pixels: 12 + 9 + 4 + 4 + 9.
  TSize s = TextExtent(AnsiString("Hello"), f);
  EXPECT_EQ(s.cx, 38);
  EXPECT_EQ(s.cy, 17);  // win ascent 1854 + descent 434, each rounded
  TFont lib = f;
  lib.Name = "Liberation Sans";
  EXPECT_EQ(TextExtent(AnsiString("Hello"), lib), s);
  // Courier New: every character 1229/2048 of the em.
  f.Name = "Courier New";
  EXPECT_EQ(TextExtent(WideString(u"iiiii"), f).cx, 5 * 10);
  // Bold is wider than regular for the same text.
  TFont bold = lib;
  bold.Style = {fsBold};
  EXPECT_GT(TextExtent(AnsiString("Hello world"), bold).cx, TextExtent(AnsiString("Hello world"), lib).cx);
  EXPECT_EQ(TextExtent(AnsiString(""), f).cx, 0);
  // A character the font lacks is measured with a font that has it.
  EXPECT_GT(TvlFontService::Instance().CharAdvance(lib, u'\u2200'), 0);
}

TEST(FontService, MetricsAndOutlines) {
  TvlFontService& fs = TvlFontService::Instance();
  TvlFamilyMetrics m;
  ASSERT_TRUE(fs.FamilyMetrics("Arial", {}, m));
  EXPECT_EQ(m.EmHeight, 2048);
  EXPECT_EQ(m.CellAscent, 1854);
  EXPECT_EQ(m.CellDescent, 434);

  // "H" at 2048 pixels per em: the outline spans the cap height above the
  // baseline, which lies at the cell ascent below the origin.
  TvlPath p;
  ASSERT_TRUE(fs.AddCharOutline(p, "Arial", {}, 2048, u'H', 0, 0));
  TRect b = p.IntegerBounds();
  EXPECT_EQ(b.Bottom, 1854);
  EXPECT_NEAR(1854 - b.Top, 1409, 2);  // cap height
  EXPECT_GT(b.Left, 0);
  EXPECT_LT(b.Right, 1479);

  // Scaled and moved by a transform, as the glyph box is measured.
  p.Transform({0.01, 0, 0, 0.01, 100, 50});
  TRect t = p.IntegerBounds();
  EXPECT_EQ(t.Bottom, 50 + 19);
  EXPECT_GE(t.Left, 100);

  TvlPath space;
  EXPECT_TRUE(fs.AddCharOutline(space, "Arial", {}, 12, u' ', 0, 0));
  EXPECT_TRUE(space.Empty());
}
