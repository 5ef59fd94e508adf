#include <gtest/gtest.h>

#include "platform/vlGeometry.h"

using namespace vl;

TEST(Geometry, MatrixOrder) {
  TvlMatrix m = TvlMatrix::Scaling(2, 3);
  m.Prepend(TvlMatrix::Translation(1, 1));  // translate first, then scale
  EXPECT_EQ(m.Apply({0, 0}), (TvlPointF{2, 3}));
  TvlMatrix a = TvlMatrix::Scaling(2, 3);
  a.Append(TvlMatrix::Translation(1, 1));  // scale first, then translate
  EXPECT_EQ(a.Apply({0, 0}), (TvlPointF{1, 1}));
}

TEST(Geometry, FillRulesAndRegions) {
  // Two nested squares drawn the same direction: nonzero fills the hole,
  // even-odd leaves it empty.
  TvlPath p;
  p.AddRectangle({0, 0, 10, 10});
  p.AddRectangle({3, 3, 7, 7});
  p.SetFillMode(TvlFillMode::Winding);
  EXPECT_TRUE(TvlRegion(p).IsVisible(5, 5));
  p.SetFillMode(TvlFillMode::Alternate);
  EXPECT_FALSE(TvlRegion(p).IsVisible(5, 5));
  EXPECT_TRUE(TvlRegion(p).IsVisible(1, 5));

  TvlRegion r(TvlRectF{0, 0, 100, 100});
  EXPECT_TRUE(r.IsVisible(50, 50));
  TvlPath clip(TvlFillMode::Winding);
  clip.AddRectangle({0, 0, 20, 20});
  r.Intersect(clip);
  EXPECT_TRUE(r.IsVisible(10, 10));
  EXPECT_FALSE(r.IsVisible(50, 50));
  EXPECT_FALSE(r.IsVisible(200, 200));
  EXPECT_TRUE(TvlRegion().IsVisible(1e6, -1e6));
}

TEST(Geometry, BezierBoundsAndTransform) {
  TvlPath p;
  p.MoveTo(0, 0);
  p.BezierTo(0, 10, 10, 10, 10, 0);  // peaks at y = 7.5
  p.CloseFigure();
  TvlRectF b = p.Bounds();
  EXPECT_NEAR(b.Bottom, 7.5, 0.01);
  EXPECT_EQ(p.IntegerBounds(), (TRect{0, 0, 10, 8}));
  EXPECT_TRUE(p.Contains(5, 3));
  p.Transform({2, 0, 0, 2, 5, 5});
  EXPECT_EQ(p.IntegerBounds(), (TRect{5, 5, 25, 20}));
  EXPECT_EQ(TvlPath().IntegerBounds(), (TRect{}));
}
