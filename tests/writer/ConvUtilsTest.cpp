#include "writer/vlConvUtils.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

TEST(ConvUtils, FactorPerUnit) {
  EXPECT_DOUBLE_EQ(ScreenPixelsPerInch, 96);
  EXPECT_DOUBLE_EQ(PixelsPerPoint, 96.0 / 72.0);
  struct Case {
    int unit;
    double factor;
  } cases[] = {{muPixel, 1}, {muInch, 96}, {muMillimetre, 2.83464 * 4 / 3}, {muPoint, 4.0 / 3}, {muTwip, 0.05 * 4 / 3},
               {7, 1},       {255, 1}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(Factor(static_cast<TvlMeasurementUnit>(c.unit)), c.factor) << c.unit;
  // 72 points and 1 inch are the same 96 pixels, written to RTF as 1440 twips.
  EXPECT_DOUBLE_EQ(72 * Factor(muPoint), 96);
  EXPECT_DOUBLE_EQ(1 * Factor(muInch), 96);
  EXPECT_DOUBLE_EQ(96 / Factor(muTwip), 1440);
}

// A range, then for pages 1..6 whether each is selected; an entry of nullopt
// means testing that page raises the integer conversion error.
TEST(ConvUtils, PageRangeTable) {
  using R = std::optional<bool>;
  const R T = true, F = false, E = std::nullopt;
  struct Case {
    const char* range;
    std::vector<R> pages;  // pages 1..6
  } cases[] = {
      {"", {T, T, T, T, T, T}},
      {"  \t ", {T, T, T, T, T, T}},
      {"1,3-5", {T, F, T, T, T, F}},
      {"5-3", {F, F, F, F, F, F}},
      {"2 4", {F, T, F, T, F, F}},
      {"1-3x", {F, F, F, F, F, F}},
      {"3-", {E, E, E, E, E, E}},
      {"-3", {E, E, E, E, E, E}},
      {"1,,2", {T, E, E, E, E, E}},
      {"1 - 3", {T, E, E, E, E, E}},
      {"3,1", {T, F, T, F, F, F}},
      {"2,2", {F, T, F, F, F, F}},
      {"\"2-3\",6", {F, T, T, F, F, T}},
      {"4,", {E, E, E, T, E, E}},
      {"1-2-3", {E, E, E, E, E, E}},
      {"1,99999999999", {T, E, E, E, E, E}},
      {"a,5", {F, F, F, F, T, F}},
  };
  for (const Case& c : cases) {
    for (int page = 1; page <= 6; ++page) {
      const R& want = c.pages[page - 1];
      if (want) {
        EXPECT_EQ(IsPageInRange(c.range, page), *want) << "range '" << c.range << "' page " << page;
      } else {
        EXPECT_THROW(IsPageInRange(c.range, page), EConvertError) << "range '" << c.range << "' page " << page;
      }
    }
  }
}

TEST(ConvUtils, PageRangeErrorsAndCounting) {
  try {
    IsPageInRange("3-", 1);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'' is not a valid integer value");
  }
  try {
    IsPageInRange("1-2-3", 5);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'2-3' is not a valid integer value");
  }
  EXPECT_EQ(CountPagesInRange("", 3), 3);
  EXPECT_EQ(CountPagesInRange("2", 3), 1);
  EXPECT_EQ(CountPagesInRange("1,3-5,2-3", 4), 4);
  EXPECT_EQ(CountPagesInRange("7-9", 3), 0);
  EXPECT_EQ(CountPagesInRange("1", 0), 0);
  // The range is only examined for pages that exist.
  EXPECT_EQ(CountPagesInRange("1,,2", 1), 1);
  EXPECT_THROW(CountPagesInRange("1,,2", 2), EConvertError);
}

TEST(ConvUtils, StringHelpers) {
  EXPECT_EQ(LeftStr(AnsiString("abc"), 2), "ab");
  EXPECT_EQ(RightStr(AnsiString("abc"), 5), "abc");
  EXPECT_EQ(RightStr(u"x\u20ACy", 2), u"\u20ACy");
  EXPECT_EQ(PosFrom("b", "abcab", 3), 5);
  EXPECT_EQ(PosFrom("z", "abc", 1), 0);
  EXPECT_EQ(ReplaceAllIgnoreCase("Bold boLD x", "bold", "-"), "- - x");
  EXPECT_TRUE(ContainsIgnoreCase("Arial Unicode MS", "ARIAL"));
  EXPECT_EQ(BytesToHex(std::vector<uint8_t>{0x00, 0xAB, 0x0F}), "00AB0F");
  EXPECT_EQ(ReverseBytePairs("abcdef"), "efcdab");
  EXPECT_EQ(ReverseBytePairs("abcde"), "debc");
}
