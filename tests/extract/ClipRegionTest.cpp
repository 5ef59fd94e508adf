#include <gtest/gtest.h>

#include "extract/vlClipRegion.h"

using Contour = TvlClipRegion::Contour;

TEST(ClipRegion, IntersectsRectanglesAndShapes) {
  TvlClipRegion r;
  r.SetRect(0, 0, 612, 792);
  EXPECT_TRUE(r.Contains(200, 200));
  r.Intersect({{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}}, false);
  EXPECT_FALSE(r.Contains(200, 200));
  EXPECT_TRUE(r.Contains(50, 50));
  // A triangle inside the square: only its inside stays visible.
  r.Intersect({{{0, 0}, {100, 0}, {0, 100}}}, false);
  EXPECT_TRUE(r.Contains(20, 20));
  EXPECT_FALSE(r.Contains(80, 80));
  r.SetRect(0, 0, 612, 792);
  EXPECT_TRUE(r.Contains(80, 80));
  // An empty path hides everything.
  r.Intersect({}, false);
  EXPECT_FALSE(r.Contains(0, 0));
}

TEST(ClipRegion, FillRulesDecideAboutHoles) {
  // Two squares wound the same way, one inside the other.
  const std::vector<Contour> ring = {{{0, 0}, {100, 0}, {100, 100}, {0, 100}},
                                     {{25, 25}, {75, 25}, {75, 75}, {25, 75}}};
  for (bool evenOdd : {false, true}) {
    TvlClipRegion r;
    r.SetRect(0, 0, 612, 792);
    r.Intersect(ring, evenOdd);
    EXPECT_TRUE(r.Contains(10, 10));
    EXPECT_EQ(r.Contains(50, 50), !evenOdd) << evenOdd;
  }
}

TEST(ClipRegion, FlattensCurves) {
  // A circle of radius 100 around (200, 200) from four Beziers.
  const double k = 55.228;
  Contour c = {{300, 200}};
  TvlClipRegion::AddBezier(c, {300, 200 + k}, {200 + k, 300}, {200, 300});
  TvlClipRegion::AddBezier(c, {200 - k, 300}, {100, 200 + k}, {100, 200});
  TvlClipRegion::AddBezier(c, {100, 200 - k}, {200 - k, 100}, {200, 100});
  TvlClipRegion::AddBezier(c, {200 + k, 100}, {300, 200 - k}, {300, 200});
  TvlClipRegion r;
  r.SetRect(0, 0, 612, 792);
  r.Intersect({c}, false);
  EXPECT_TRUE(r.Contains(200, 200));
  EXPECT_TRUE(r.Contains(200 + 69, 200 + 69));   // just inside the circle
  EXPECT_FALSE(r.Contains(200 + 72, 200 + 72));  // inside the square, outside the circle
  Contour empty;
  TvlClipRegion::AddBezier(empty, {1, 1}, {2, 2}, {3, 3});
  EXPECT_TRUE(empty.empty());
}
