// The formatter's small geometric and text tests, and glyph collection.
#include <gtest/gtest.h>

#include "formatter/FormatterTestSupport.h"
#include "formatter/vlFormatterLines.h"

using namespace vlfmt;
using namespace fmtest;

TEST(FormatterElements, RectExtendTreatsZeroLeftAndTopAsUnset) {
  TvlFormatterRect r;
  r.Extend(40, 30, 20, 10);
  EXPECT_EQ(std::vector<double>({r.Left, r.Top, r.Right, r.Bottom}), std::vector<double>({10, 20, 30, 40}));
  r.Extend(35, 25, 25, 5);
  EXPECT_EQ(std::vector<double>({r.Left, r.Top, r.Right, r.Bottom}), std::vector<double>({5, 20, 30, 40}));
}

TEST(FormatterElements, FillerParagraphsReproduceGap) {
  struct Case {
    double Gap;
    std::vector<double> Spacings;
  } cases[] = {{25, {10, 10, 5}}, {30, {10, 10, 10}}, {8, {8}}, {0, {}}, {-4, {}}};
  for (auto& c : cases) {
    std::vector<std::unique_ptr<TvlFormatterParagraph>> list;
    MakeFillerParagraphs(list, nullptr, c.Gap);
    std::vector<double> got;
    for (auto& p : list) {
      got.push_back(p->LineSpacing);
      EXPECT_TRUE(p->IsFiller);
      ASSERT_EQ(p->Count(), 1);
      EXPECT_EQ(p->Lines[0]->GetLineText(), " ");
      EXPECT_EQ(p->Lines[0]->Texts[0]->Font.Name, "Times New Roman");
    }
    EXPECT_EQ(got, c.Spacings) << c.Gap;
  }
}

TEST(FormatterElements, LineTextAccessAndDuplicates) {
  TvlFormatterTextLine line;
  auto add = [&](const char16_t* t, double left) {
    auto r = std::make_unique<TvlFormatterText>();
    r->Text = t;
    r->Left = left;
    line.AddText(std::move(r));
  };
  add(u"Bold", 10);
  add(u"Bo", 10);
  add(u" text", 40);
  EXPECT_EQ(line.GetText(line.Count()), nullptr);
  EXPECT_EQ(line.GetLineText(), "BoldBo text");
  line.RemoveDuplicates();
  EXPECT_EQ(line.GetLineText(), "Bold text");
}

TEST(FormatterLines, MarkerTests) {
  struct Case {
    const char16_t* Text;
    bool ListNumber;  // while collecting, on the first run
    int Column;       // column list test on the first word
  } cases[] = {
      {u"\u2022", true, 1}, {u"1.", true, 2},     {u"a)", true, 2},   {u"10.", false, 2},
      {u"1. Intro", false, 0}, {u"-", true, 1},   {u"ab", false, 0},  {u"x", false, 0},
      {u"0.", false, 0},    {u"Z.", true, 2},     {u"word", false, 0},
  };
  TFont plain = MakeFont("Times New Roman", 11);
  for (auto& c : cases) {
    EXPECT_EQ(ListNumberTest(c.Text), c.ListNumber) << vl::WideToUtf8(c.Text);
    EXPECT_EQ(ColumnListTest(u"", c.Text, plain), c.Column) << vl::WideToUtf8(c.Text);
  }
  TFont symbol = MakeFont("Symbol", 11);
  EXPECT_EQ(ColumnListTest(u"", u"x", symbol), 1);
}

TEST(FormatterLines, FindColumnAmongRanges) {
  std::vector<TvlFormatterRect> two = {{72, 0, 290, 0}, {322, 0, 540, 0}};
  std::vector<TvlFormatterRect> three = {{72, 0, 200, 0}, {220, 0, 380, 0}, {400, 0, 540, 0}};
  struct Case {
    const std::vector<TvlFormatterRect>* Ranges;
    double L, R;
    int Want;
  } cases[] = {
      {&two, 72, 250, 0},    {&two, 330, 500, 1}, {&two, 72, 540, -1}, {&two, 100, 330, -1},
      {&two, 600, 650, -1},  {&three, 230, 370, 1}, {&three, 205, 215, 0}, {&three, 410, 560, 2},
  };
  std::vector<TvlFormatterRect> one = {{72, 0, 290, 0}};
  EXPECT_EQ(FindColumn({}, 10, 20), -1);
  EXPECT_EQ(FindColumn(one, 72.4, 289.6), 0);
  EXPECT_EQ(FindColumn(one, 72, 300), -1);
  for (auto& c : cases) EXPECT_EQ(FindColumn(*c.Ranges, c.L, c.R), c.Want) << c.L << " " << c.R;
}

TEST(FormatterLines, SideBySide) {
  auto line = [](double left, double right, double top, double height) {
    auto l = std::make_unique<TvlFormatterTextLine>();
    l->Left = left;
    l->Top = top;
    l->SetHeight(height);
    l->SetRight(right);
    return l;
  };
  auto a = line(72, 290, 100, 12);
  EXPECT_TRUE(SideBySide(*a, *line(72, 290, 100, 12), 2));    // same baseline
  EXPECT_TRUE(SideBySide(*a, *line(322, 540, 104, 12), 2));   // overlapping bands, apart
  EXPECT_FALSE(SideBySide(*a, *line(100, 540, 104, 12), 2));  // overlapping horizontally
  EXPECT_FALSE(SideBySide(*a, *line(322, 540, 114, 12), 2));  // next line down
}

namespace {

struct Collected {
  std::unique_ptr<TvlFormatterPage> Page = std::make_unique<TvlFormatterPage>();
  TvlGlyphCollector C;
  Collected() { C.StartPage(Page.get(), 792); }
  void Play(const GlyphScript& s) {
    for (auto& g : s.Glyphs) C.Collect(g.Font, g.Rect, g.X, g.Y, g.Width, g.ContinuesString, g.ContinuesShow, g.Ch, 0);
  }
  std::vector<std::string> Runs() const {
    std::vector<std::string> out;
    for (auto& l : Page->Lines) {
      std::string s;
      for (auto& r : l->Texts) {
        if (!s.empty()) s += '|';
        s += vl::WideToUtf8(r->Text);
      }
      out.push_back(s);
    }
    return out;
  }
};

}  // namespace

TEST(FormatterLines, GlyphsJoinIntoRunsAndLines) {
  const TFont f = MakeFont("Times New Roman", 11);
  const TFont b = MakeFont("Times New Roman", 11, true);
  struct Step {
    double Dx;  // distance from the previous piece's end
    double Baseline;
    const char* Text;
    TFont Font;
  };
  struct Case {
    std::vector<Step> Steps;
    std::vector<std::string> Lines;
  } cases[] = {
      {{{0, 100, "ab", f}, {1, 100, "cd", f}}, {"abcd"}},          // 1 pt apart: no space
      {{{0, 100, "ab", f}, {5, 100, "cd", f}}, {"ab cd"}},         // wider than a space: one space
      {{{0, 100, "ab", f}, {1, 100, "cd", b}}, {"ab|cd"}},         // font change: new run
      {{{0, 100, "ab", f}, {60, 100, "cd", f}}, {"ab", "cd"}},     // big gap: new line, same baseline
      {{{0, 100, "ab", f}, {1, 97, "2", f}}, {"ab2"}},             // raised glyph near the end
      {{{0, 100, "ab", f}, {0, 120, "cd", f}}, {"ab", "cd"}},      // next line
  };
  for (auto& c : cases) {
    GlyphScript s;
    double x = 72;
    for (auto& st : c.Steps) {
      if (st.Baseline != c.Steps[0].Baseline && st.Baseline > 110) x = 72;
      x = s.Show(x + st.Dx, st.Baseline, st.Text, st.Font);
    }
    Collected col;
    col.Play(s);
    EXPECT_EQ(col.Runs(), c.Lines) << c.Steps[1].Text;
  }
}

TEST(FormatterLines, GlyphsOutsideThePageAreDropped) {
  Collected col;
  TFont f = MakeFont("Times New Roman", 11);
  EXPECT_FALSE(col.C.Collect(f, {}, -1, 100, 5, false, false, u'a', 0));
  EXPECT_FALSE(col.C.Collect(f, {}, 10, 800, 5, false, false, u'a', 0));
  EXPECT_TRUE(col.C.Collect(f, {}, 10, 100, 5, false, false, u'a', 0));
  EXPECT_EQ(col.Page->Lines.size(), 1u);
}
