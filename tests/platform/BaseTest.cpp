#include <gtest/gtest.h>

#include "platform/vlBase.h"

TEST(Base, Utf8RoundTrip) {
  const std::string s = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // A é € 😀
  const WideString w = vl::Utf8ToWide(s);
  ASSERT_EQ(w.size(), 5u);
  EXPECT_EQ(w[1], u'\u00E9');
  EXPECT_EQ(w[2], u'\u20AC');
  EXPECT_EQ(w[3], 0xD83D);
  EXPECT_EQ(vl::WideToUtf8(w), s);
}
