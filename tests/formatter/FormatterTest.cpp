// Pages of recorded glyph calls through the formatter, checked on the calls
// it replays on the writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "formatter/FormatterTestSupport.h"

using namespace fmtest;

namespace {

const TFont kBody = MakeFont("Times New Roman", 11);

const char* kLines[] = {
    "The quick brown fox jumps over the lazy dog while the farmer watches from the porch and",
    "the sun sets slowly behind the hills, painting the sky in shades of orange and purple as",
    "the evening falls over the quiet valley and the birds return to their nests in the old oak",
    "trees by the river.",
};

// A justified paragraph of four lines from x = 72 to 540 (last line ragged).
void JustifiedParagraph(GlyphScript& s, double Top, double Step = 13) {
  for (int i = 0; i < 4; ++i) s.Words(72, Top + i * Step, kLines[i], kBody, i < 3 ? 540 : 0);
}

std::string Joined(int From, int To) {
  std::string t;
  for (int i = From; i < To; ++i) t += std::string(i > From ? " " : "") + kLines[i];
  return t;
}

}  // namespace

TEST(Formatter, JustifiedParagraphIsOneJustifiedParagraph) {
  GlyphScript s;
  JustifiedParagraph(s, 130);
  auto rec = Convert(s);
  ASSERT_EQ(rec->Texts(), std::vector<std::string>{Joined(0, 4)});
  const Para& p = rec->Paras.back();
  EXPECT_EQ(p.Alignment, 3);
  EXPECT_NEAR(p.LineSpacing, 13, 0.01);
  EXPECT_NEAR(p.LeftIndent, 0, 0.01);
  EXPECT_EQ(rec->CountCalls("BeginSection"), 0);
}

TEST(Formatter, CenteredTitleAndBodyAreSeparateParagraphs) {
  GlyphScript s;
  const TFont title = MakeFont("Arial", 16, true);
  double w = GlyphScript::Width("Annual Report", title);
  s.Words((612 - w) / 2, 120, "Annual Report", title);
  JustifiedParagraph(s, 150);
  auto rec = Convert(s);
  ASSERT_EQ(rec->Texts(), (std::vector<std::string>{"Annual Report", Joined(0, 4)}));
}

TEST(Formatter, ListWithBulletsAndNumbers) {
  GlyphScript s;
  const char* bullets[] = {"apples and pears", "oranges", "plums"};
  double y = 130;
  for (const char* b : bullets) {
    s.Show(72, y, "\u2022", kBody);
    s.Words(90, y, b, kBody);
    y += 14;
  }
  y += 20;
  const char* steps[] = {"1. Open the lid", "2. Pour the water", "3. Close the lid"};
  for (const char* t : steps) {
    s.Words(72, y, t, kBody);
    y += 14;
  }
  auto rec = Convert(s);
  EXPECT_EQ(rec->CountCalls("AddBulletList \u2022"), 1) << rec->Joined();
  EXPECT_EQ(rec->CountCalls("AddNumberedList 0 0 0 1"), 1) << rec->Joined();
  EXPECT_EQ(rec->CountCalls("AddNumberedList"), 1);
  std::vector<std::string> texts = rec->Texts();
  for (auto& t : texts) t.erase(std::remove(t.begin(), t.end(), '\t'), t.end());
  EXPECT_EQ(texts, (std::vector<std::string>{"apples and pears", "oranges", "plums", "Open the lid",
                                             "Pour the water", "Close the lid"}))
      << rec->Joined();
  // Each list is closed before the next opens and at the end.
  EXPECT_EQ(rec->CountCalls("EndList"), 2);
}

TEST(Formatter, NumberSequencesSplitIntoListsWhereNumbersJump) {
  struct Case {
    std::vector<const char*> Items;
    std::vector<std::string> Lists;
  } cases[] = {
      {{"1. alpha beta", "2. gamma delta", "3. epsilon zeta"}, {"AddNumberedList 0 0 0 1"}},
      {{"1. alpha beta", "3. gamma delta"}, {"AddNumberedList 0 0 0 1", "AddNumberedList 0 0 0 3"}},
      {{"a) alpha beta", "b) gamma delta"}, {"AddNumberedList 4 0 0 1"}},
  };
  for (auto& c : cases) {
    GlyphScript s;
    double y = 130;
    for (const char* t : c.Items) {
      s.Words(72, y, t, kBody);
      y += 14;
    }
    auto rec = Convert(s);
    std::vector<std::string> lists;
    for (auto& call : rec->Calls)
      if (call.rfind("AddNumberedList", 0) == 0) lists.push_back(call);
    EXPECT_EQ(lists, c.Lists) << rec->Joined();
    EXPECT_EQ(rec->Texts().front(), "alpha beta");
  }
}

namespace {

// Two columns of Rows lines each: left from 72 to 290, right from 322 to 540.
void TwoColumns(GlyphScript& s, double Top, int Rows) {
  for (int i = 0; i < Rows; ++i) {
    s.Words(72, Top + 13 * i, "left column text line " + std::to_string(i + 1), kBody);
    s.Words(322, Top + 13 * i, "right column text line " + std::to_string(i + 1), kBody);
  }
}

}  // namespace

TEST(Formatter, TwoColumnPageIsWrittenAsColumnSection) {
  GlyphScript s;
  TwoColumns(s, 130, 5);
  auto rec = Convert(s);
  ASSERT_EQ(rec->CountCalls("BeginSection 3 40"), 1) << rec->Joined();
  EXPECT_EQ(rec->CountCalls("ColumnBreak"), 1);
  std::string all = rec->Joined();
  size_t sec = all.find("BeginSection"), brk = all.find("ColumnBreak");
  size_t left = all.find("left column text line 1"), right = all.find("right column text line 1");
  EXPECT_LT(sec, left);
  EXPECT_LT(left, brk);
  EXPECT_LT(brk, right);
  EXPECT_NE(all.find("left column text line 5"), std::string::npos);
  // The first column starts at the margin; the second keeps its gap and width.
  std::string call = *std::find_if(rec->Calls.begin(), rec->Calls.end(),
                                   [](auto& c) { return c.rfind("BeginSection", 0) == 0; });
  double lw = GlyphScript::Width("left column text line 1", kBody);
  double rw = GlyphScript::Width("right column text line 1", kBody);
  std::ostringstream want;
  want << "BeginSection 3 40 " << std::lround(322 - (72 + lw)) << ":" << std::lround(lw) << " 0:" << std::lround(rw)
       << " 0:0";
  EXPECT_EQ(call, want.str());
}

TEST(Formatter, HeadingAboveTwoColumns) {
  GlyphScript s;
  const TFont head = MakeFont("Arial", 14, true);
  s.Words(72, 120, "Chapter One: Where It Begins", head);
  TwoColumns(s, 150, 4);
  auto rec = Convert(s);
  std::string all = rec->Joined();
  size_t heading = all.find("Chapter One: Where It Begins");
  size_t sec = all.find("BeginSection 3 40");
  ASSERT_NE(heading, std::string::npos) << all;
  ASSERT_NE(sec, std::string::npos) << all;
  EXPECT_LT(heading, sec);
  EXPECT_EQ(rec->CountCalls("ColumnBreak"), 1);
}

TEST(Formatter, ColumnsFollowedByFullWidthTextReturnToOneColumn) {
  GlyphScript s;
  s.Words(72, 120, "Heading", MakeFont("Arial", 14, true));
  TwoColumns(s, 150, 4);
  JustifiedParagraph(s, 230);
  auto rec = Convert(s);
  std::string all = rec->Joined();
  size_t one = all.find("BeginSection 1 100");
  ASSERT_NE(one, std::string::npos) << all;
  EXPECT_LT(all.find("right column text line 4"), one);
  EXPECT_LT(one, all.find(kLines[0]));
}

TEST(Formatter, LargeVerticalGapBecomesFillerParagraphs) {
  GlyphScript s;
  s.Words(72, 130, "Before the gap.", kBody);
  s.Words(72, 330, "After the gap.", kBody);
  auto rec = Convert(s);
  ASSERT_EQ(rec->Texts(), (std::vector<std::string>{"Before the gap.", "After the gap."}));
  // Blank paragraphs between them reproduce the distance in steps of 10.
  double filled = 0;
  int blanks = 0;
  bool between = false;
  for (auto& p : rec->Paras) {
    if (p.Text == "Before the gap.") between = true;
    else if (p.Text == "After the gap.") between = false;
    else if (between && p.Text == " ") {
      ++blanks;
      filled += p.LineSpacing;
    }
  }
  EXPECT_GE(blanks, 15);
  double h = TextExtent(u"A", kBody).cy / PixelsPerPoint;
  EXPECT_NEAR(filled, 200 - h - 1, 1.0);
}

TEST(Formatter, FirstLineFarBelowTopMarginGetsFillersAtColumnHead) {
  struct Case {
    double Below;
    bool Fillers;
  } cases[] = {{60, true}, {10, false}};
  for (auto& c : cases) {
    GlyphScript s;
    double h = TextExtent(u"A", kBody).cy / PixelsPerPoint;
    // The top margin stays at 110 - 3 when the first line sits below it.
    s.Words(72, 107 + h + c.Below, "Only line.", kBody);
    auto rec = Convert(s);
    bool blankFirst = !rec->Paras.empty() && rec->Paras.front().Text == " ";
    EXPECT_EQ(blankFirst, c.Fillers) << c.Below;
  }
}

TEST(Formatter, SuperscriptStaysInline) {
  GlyphScript s;
  double x = s.Words(72, 130, "E = mc", kBody);
  x = s.Show(x + 0.3, 126, "2", MakeFont("Times New Roman", 7));
  s.Words(x, 130, " is famous.", kBody);
  auto rec = Convert(s);
  ASSERT_EQ(rec->Texts().size(), 1u) << rec->Joined();
  EXPECT_EQ(rec->Texts()[0], "E = mc2 is famous.");
}

TEST(Formatter, CopyrightSignJoinsItsLine) {
  GlyphScript s;
  const TFont big = MakeFont("Times New Roman", 16);
  double x = s.Show(72, 132, "\u00A9", big);
  s.Words(x + 2, 130, "2024 Velmora Industries", kBody);
  JustifiedParagraph(s, 160);
  auto rec = Convert(s);
  std::vector<std::string> texts = rec->Texts();
  ASSERT_EQ(texts.size(), 2u) << rec->Joined();
  std::string t = texts[0];
  t.erase(std::remove(t.begin(), t.end(), '\t'), t.end());
  EXPECT_EQ(t, "\u00A92024 Velmora Industries");
}

TEST(Formatter, TabsModeKeepsPiecesInOneLineWithTabs) {
  GlyphScript s;
  TwoColumns(s, 130, 3);
  auto rec = Convert(s, fmFormattedWithTabs);
  EXPECT_EQ(rec->CountCalls("BeginSection"), 0);
  std::vector<std::string> texts = rec->Texts();
  ASSERT_FALSE(texts.empty());
  EXPECT_NE(texts[0].find("left column text line 1\tright column text line 1"), std::string::npos) << rec->Joined();
  const Para& p = rec->Paras.front();
  ASSERT_EQ(p.Tabs.size(), 1u);
  // The tab stop sits at the piece's left edge, measured from the column.
  EXPECT_NEAR(p.Tabs[0], 322 - 72 + 2, 0.5);
}

TEST(Formatter, WideGapOnOneLineStartsSeparatePieceWrittenWithTab) {
  GlyphScript s;
  JustifiedParagraph(s, 130);
  s.Words(72, 200, "Name", kBody);
  s.Words(300, 200, "Value", kBody);
  auto rec = Convert(s);
  std::vector<std::string> texts = rec->Texts();
  ASSERT_EQ(texts.size(), 2u) << rec->Joined();
  EXPECT_EQ(texts[1], "Name\tValue");
  ASSERT_EQ(rec->Paras.back().Tabs.size(), 1u);
  EXPECT_NEAR(rec->Paras.back().Tabs[0], 300 - 72 + 2, 0.5);
}

TEST(Formatter, PageEventsAndElementEventsInOrder) {
  RecordingWriter rec;
  TvlFormatter f(&rec);
  std::vector<std::string> events;
  f.SetOnPageFormatted([&](TObject*, int n) { events.push_back("formatted " + std::to_string(n)); });
  f.SetOnPageWritten([&](TObject*, int n) { events.push_back("written " + std::to_string(n)); });
  f.SetOnElementDetected([&](TObject*, TvlFormatterElement* e, TvlAction& a) {
    events.push_back("element " + std::to_string(e->Kind));
    if (e->Kind == ekTextLine) a = acDelete;
  });
  GlyphScript s;
  JustifiedParagraph(s, 130);
  s.RunPage(f, true);
  s.RunPage(f, false);
  f.EndDoc();
  ASSERT_GE(events.size(), 4u);
  EXPECT_EQ(events.front(), "formatted 1");
  auto w1 = std::find(events.begin(), events.end(), "written 1");
  auto f2 = std::find(events.begin(), events.end(), "formatted 2");
  ASSERT_NE(w1, events.end());
  EXPECT_EQ(w1 + 1, f2);
  EXPECT_EQ(events.back(), "written 2");
  // Every line was offered on each page and, deleted, writes no text.
  EXPECT_EQ(std::count(events.begin(), w1, "element 4"), 4);
  EXPECT_TRUE(rec.Texts().empty()) << rec.Joined();
}

TEST(Formatter, MarginsFollowGlyphs) {
  {
    auto rec = Convert(GlyphScript());
    EXPECT_EQ(rec->CountCalls("PageSettings 72 107 36 33"), 1) << rec->Joined();
  }
  {
    GlyphScript s;
    s.Words(0, 300, "e", kBody);
    s.Words(50, 400, "inner", kBody);
    auto rec = Convert(s);
    EXPECT_EQ(rec->CountCalls("PageSettings 50 107 36 33"), 1) << rec->Joined();
  }
}

TEST(Formatter, BeginPageFailureKeepsPageCount) {
  RecordingWriter rec;
  TvlFormatter f(&rec);
  EXPECT_EQ(f.BeginPage(), 1);
  rec.FailBeginPage = true;
  EXPECT_EQ(f.BeginPage(), 1);
}

TEST(Formatter, TwoConversionsInOneProcessGiveTheSameCalls) {
  GlyphScript s;
  s.Words(72, 120, "Heading", MakeFont("Arial Unicode MS", 14));
  TwoColumns(s, 150, 3);
  JustifiedParagraph(s, 220);
  auto a = Convert(s);
  auto b = Convert(s, fmFormattedWithTabs);
  auto c = Convert(s);
  EXPECT_EQ(a->Calls, c->Calls);
  EXPECT_NE(a->Calls, b->Calls);
}

TEST(Formatter, TooWideUnicodeFontIsReducedThroughSubstitutionEvent) {
  GlyphScript s;
  s.WidthScale = 0.75;
  const TFont uni = MakeFont("Arial Unicode MS", 12);
  s.Words(72, 130, "Wide unicode text that runs on over two lines of", uni);
  s.Words(72, 145, "the same paragraph.", uni);
  struct Case {
    bool Handler;
    int FirstLineSize;  // 0: the fitted size
  } cases[] = {{false, 12}, {true, 7}};
  for (auto& c : cases) {
    RecordingWriter rec;
    TvlFormatter f(&rec);
    int original = 0, substitute = 0;
    if (c.Handler)
      f.SetOnFontSubstituting([&](TObject* sender, TvlFontSubstitutionEventArgs& a) {
        EXPECT_EQ(sender, &f);
        EXPECT_EQ(a.Element->Kind, ekParagraph);
        original = a.OriginalFont.Size;
        substitute = a.SubstituteFont.Size;
        a.SubstituteFont.Size = 7;
      });
    s.RunPage(f);
    ASSERT_EQ(rec.Texts().size(), 1u) << rec.Joined();
    const Para& p = rec.Paras.back();
    ASSERT_GE(p.Fonts.size(), 2u);
    if (c.Handler) {
      EXPECT_EQ(original, 12);
      EXPECT_LT(substitute, 12);
      EXPECT_GT(substitute, 5);
    }
    EXPECT_EQ(p.Fonts.front(), "Arial Unicode MS " + std::to_string(c.FirstLineSize));
    // The later line takes the fitted size whether or not a host changed it.
    EXPECT_LT(std::stoi(p.Fonts.back().substr(17)), 12);
  }
}

TEST(Formatter, MalformedGlyphStreamsLayOutWithoutFaults) {
  // Deterministic noise: positions inside, outside and on the page edges,
  // non-finite values, zero and negative widths, many glyphs on one baseline.
  uint32_t seed = 12345;
  auto next = [&]() {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) & 0xFFFF;
  };
  const double specials[] = {0, -5, 1e12, -1e12, std::nan(""), INFINITY, 792, 612};
  const char* names[] = {"Times New Roman", "Arial Unicode MS", "Wingdings", "Symbol"};
  RecordingWriter rec;
  TvlFormatter f(&rec);
  f.SetOnElementDetected([](TObject*, TvlFormatterElement*, TvlAction& a) { a = acRetain; });
  GlyphScript page;
  for (int p = 0; p < 3; ++p) {
    page.Glyphs.clear();
    for (int i = 0; i < 4000; ++i) {
      TFont font = MakeFont(names[next() % 4], 1 + next() % 30, next() % 2);
      double x = next() % 10 == 0 ? specials[next() % 8] : (next() % 700) - 20.0;
      double y = next() % 10 == 0 ? specials[next() % 8] : (p == 2 ? 400.0 : (next() % 820) - 10.0);
      double w = next() % 10 == 0 ? specials[next() % 8] : (next() % 20) / 2.0;
      WideChar ch = static_cast<WideChar>(next() % 3 == 0 ? u"\u2022\u00A9\u00AE. 1a"[next() % 8] : 0x20 + next() % 200);
      TvlDoubleRect r{x * PixelsPerPoint, (792 - y - 10) * PixelsPerPoint, (x + w) * PixelsPerPoint,
                      (792 - y + 2) * PixelsPerPoint};
      page.Glyphs.push_back({font, r, x, y, w, next() % 2 == 0, next() % 2 == 0, ch});
    }
    page.RunPage(f, p == 0);
  }
  f.EndDoc();
  EXPECT_EQ(rec.CountCalls("EndPage"), 3);
  EXPECT_EQ(rec.CountCalls("BeginParagraph"), rec.CountCalls("EndParagraph"));
}
