#include <gtest/gtest.h>

#include "rtf/vlRTFColumnBreak.h"
#include "rtf/vlRTFDocArea.h"

namespace {

// 96 pixels per inch: one point is 4/3 pixels, one pixel 15 twips.
constexpr double kTwipsPerPixel = 15.0;
double Pt(double points) { return points * 96.0 / 72.0; }

TvlRTFPageSetup Letter() {
  TvlRTFPageSetup p;
  p.Width = Pt(612);
  p.Height = Pt(792);
  p.LeftMargin = Pt(36);
  p.RightMargin = Pt(36.5);
  p.TopMargin = Pt(72);
  p.BottomMargin = Pt(18);
  p.HeaderHeight = Pt(10);
  p.FooterHeight = Pt(12);
  return p;
}

std::string Render(const TvlRTFElement& e) {
  AnsiString s;
  e.Render(s);
  return s;
}

}  // namespace

TEST(RTFSection, Kinds) {
  struct Case {
    const char* name;
    uint8_t kind;
    bool landscape;
    int bin;
    std::vector<TvlRTFColumn> columns;
    std::string expected;
  } cases[] = {
      {"page", vlskPage, false, 0, {},
       "\r\n \\sectd{\\dntblnsbdb\\pgwsxn12240\\pghsxn15840\\marglsxn720\\margrsxn730"
       "\\margtsxn1440\\margbsxn360\\headery200\\footery240\\sectdefaultcl\r\n\\sect\r\n}"},
      {"landscape page with bin", vlskPage, true, 7, {},
       "\r\n \\sectd{\\lndscpsxn\\dntblnsbdb\\pgwsxn12240\\pghsxn15840\\marglsxn720\\margrsxn730"
       "\\margtsxn1440\\margbsxn360\\binfsxn7\\binsxn7\\headery200\\footery240\\sectdefaultcl\r\n"
       "\\sect\r\n}"},
      {"columns", vlskColumns, false, 0, {{Pt(20), Pt(200)}, {0, Pt(150.5)}},
       "\\sectd\\sbknone{\\cols2\\colno1\\colsr400\\colw4000\\marglsxn720\\margrsxn730"
       "\\colno2\\colsr0\\colw3010\\marglsxn720\\margrsxn730\\sect\r\n}"},
      {"continuous", vlskContinuous, false, 0, {}, "\\sectd\\sbknone\\cols1{\\sect\r\n}"},
  };
  for (const auto& c : cases) {
    TvlRTFSection s(c.kind, kTwipsPerPixel);
    s.PageSettings = Letter();
    s.PageSettings.Landscape = c.landscape;
    s.PageSettings.BinNumber = c.bin;
    s.Columns = c.columns;
    s.ColumnCount = c.columns.empty() ? 1 : static_cast<int>(c.columns.size());
    EXPECT_EQ(Render(s), c.expected) << c.name;
  }
}

TEST(RTFSection, HeaderBodyFooterOrder) {
  TvlRTFSection s(vlskContinuous, kTwipsPerPixel);
  s.Footer().Add(std::make_unique<TvlRTFColumnBreak>());
  EXPECT_FALSE(s.HasHeader());
  s.Header();  // created but empty: no header group
  s.Body.Add(std::make_unique<TvlRTFColumnBreak>());
  EXPECT_EQ(Render(s), "\\sectd\\sbknone\\cols1{\\column \r\n{\\footer\\column \r\n}\r\n\\sect\r\n}");
  s.Header().Add(std::make_unique<TvlRTFColumnBreak>());
  EXPECT_EQ(Render(s).find("{\\header\\column \r\n}\r\n\\column "), 21u);
}

TEST(RTFDocArea, PageSetupThenSections) {
  TvlRTFDocArea area(kTwipsPerPixel);
  area.PageSettings = Letter();
  TvlRTFSection* first = area.AddSection(vlskPage);
  first->PageSettings = Letter();
  TvlRTFSection* second = area.AddSection(vlskContinuous);
  second->PageSettings.Width = Pt(100);
  second->PageSettings.Height = Pt(50);
  const std::string text = Render(area);
  EXPECT_EQ(text.substr(0, text.find(" \\sectd")),
            "\r\n\\paperw12240\\paperh15840\\margl720\\margr730\\margt1440\\margb360\\headery200"
            "\\footery240\\nouicompat\\lnbrkrule\\paperw12240\\paperh15840\r\n");
  EXPECT_NE(text.find("\\sect\r\n}\\paperw2000\\paperh1000\\sectd\\sbknone\\cols1{"), std::string::npos);
}
