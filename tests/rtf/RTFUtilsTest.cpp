#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "rtf/vlRTFUtils.h"

using namespace vl::rtf;

TEST(RTFUtils, EncodeText) {
  struct Case {
    std::u16string in;
    std::string out;
  } cases[] = {
      {u"a{b}\\c\u0416", "a\\{b\\}\\\\c\\u1046?"},
      {u"\uFFFD", "\\u-3?"},
      {u"\u00E9\u00FF", "\xE9\xFF"},
      {u"\u0100\u7FFF\u8000", "\\u256?\\u32767?\\u-32768?"},
      {u"\U0001F600", "\\u-10179?\\u-8704?"},  // surrogate pair, unit by unit
      {u"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeText(c.in), c.out);
}

TEST(RTFUtils, RoundHalfEvenAndTwips) {
  struct Case {
    double in;
    int64_t out;
  } cases[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {2.4999, 2}, {2.5001, 3},
      {std::numeric_limits<double>::quiet_NaN(), 0},
      {std::numeric_limits<double>::infinity(), 0}, {3e12, 2147483647},
      {-1e300, -2147483647},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
  // 14 pt at 96 pixels per inch is 18.67 pixels; at 15 twips a pixel that
  // must come back as exactly 280 twips.
  EXPECT_EQ(Twips(14 * 96.0 / 72.0, 15.0), 280);
  EXPECT_EQ(Twips(96, 15.0), 1440);
}
