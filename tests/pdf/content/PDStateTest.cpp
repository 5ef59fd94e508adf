#include <gtest/gtest.h>

#include <cmath>

#include "pdf/content/PDState.h"

namespace {

struct TransformCase {
  int Rotate;
  double Dpi;
  TvlPDMatrix CTM;
  double Width, Height;
};

TEST(PDState, PageTransformForEachRotation) {
  const TvlPDRect box(0, 0, 612, 792);
  const TransformCase cases[] = {
      {0, 72, {1, 0, 0, 1, 0, 0}, 612, 792},
      {0, 144, {2, 0, 0, 2, 0, 0}, 1224, 1584},
      {90, 72, {0, -1, 1, 0, 0, 612}, 792, 612},
      {180, 72, {-1, 0, 0, -1, 612, 792}, 612, 792},
      {270, 72, {0, 1, -1, 0, 792, 0}, 792, 612},
      {45, 72, {1, 0, 0, 1, 0, 0}, 612, 792},  // any other angle: unrotated
  };
  for (const auto& c : cases) {
    TvlPDState s(c.Rotate, c.Dpi, c.Dpi, &box);
    EXPECT_EQ(s.CTM, c.CTM) << c.Rotate;
    EXPECT_EQ(s.PageWidth, c.Width) << c.Rotate;
    EXPECT_EQ(s.PageHeight, c.Height) << c.Rotate;
  }
  // The page box corner goes to the origin; no box means a default sheet.
  const TvlPDRect offset(100, 50, 400, 450);
  TvlPDState o(0, 72, 72, &offset);
  EXPECT_EQ(o.CTM, TvlPDMatrix(1, 0, 0, 1, -100, -50));
  TvlPDState none(0, 72, 72, nullptr);
  EXPECT_EQ(none.PageWidth, 850);
  EXPECT_EQ(none.PageHeight, 1191);
}

TEST(PDState, ConcatClampsHugeEntries) {
  TvlPDState s(0, 72, 72, nullptr);
  s.ConcatCTM({2, 0, 0, 3, 10, 20});
  EXPECT_EQ(s.CTM, TvlPDMatrix(2, 0, 0, 3, 10, 20));
  s.ConcatCTM({1e12, 0, 0, -1e12, 0, 0});
  EXPECT_EQ(s.CTM.a, 1e10);
  EXPECT_EQ(s.CTM.d, -1e10);
  s.ConcatCTM({NAN, 0, 0, 1, 0, 0});
  EXPECT_EQ(s.CTM.a, -1e10);
}

TEST(PDState, PathConstruction) {
  TvlPDState s(0, 72, 72, nullptr);
  EXPECT_FALSE(s.HasCurrentPoint());
  s.MoveTo(10, 10);
  s.MoveTo(20, 20);  // replaces the pending point
  EXPECT_TRUE(s.HasCurrentPoint());
  EXPECT_FALSE(s.HasSubpath());
  s.LineTo(30, 30);
  ASSERT_EQ(s.Path->SubpathCount(), 1);
  const TvlPDSubPath* p = s.Path->Subpath(0);
  EXPECT_EQ(p->PointCount(), 2);
  EXPECT_EQ(p->X(0), 20);
  EXPECT_EQ(p->X(1), 30);
  EXPECT_EQ(p->X(99), 30);  // beyond the end reads the last point
  EXPECT_EQ(s.Path->Subpath(1), nullptr);

  // Triangle closed with h gets its first point again; segments count up.
  s.MoveTo(0, 0);
  s.LineTo(10, 0);
  s.CurveTo(10, 5, 5, 10, 0, 10);
  s.ClosePath();
  const TvlPDSubPath* t = s.Path->Subpath(1);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->PointCount(), 6);
  EXPECT_EQ(t->SegmentCount(), 3);
  EXPECT_TRUE(t->IsCurve(2));
  EXPECT_TRUE(t->IsCurve(3));
  EXPECT_FALSE(t->IsCurve(4));
  EXPECT_TRUE(t->Closed());
  EXPECT_EQ(s.CurX, 0);
  EXPECT_EQ(s.CurY, 0);

  // Already closed geometrically: no extra point.
  s.ClearPath();
  s.MoveTo(0, 0);
  s.LineTo(5, 0);
  s.LineTo(0, 0);
  s.ClosePath();
  EXPECT_EQ(s.Path->Subpath(0)->PointCount(), 3);
  EXPECT_EQ(s.Path->Subpath(0)->SegmentCount(), 2);
}

TEST(PDState, SaveRestoreKeepsPathAndTextLine) {
  auto s = std::make_unique<TvlPDState>(0, 72, 72, nullptr);
  TvlPDState* outer = s.get();
  s = TvlPDState::Save(std::move(s));
  EXPECT_EQ(s->Saved(), outer);
  EXPECT_EQ(s->Depth(), 1);
  s->SetLineWidth(5);
  s->MoveTo(1, 2);
  s->LineTo(3, 4);
  s->TextMoveTo(7, 8);
  s->SetFillColorSpace(std::make_unique<TvlPDDeviceRGBColorSpace>());
  s = TvlPDState::Restore(std::move(s));
  EXPECT_EQ(s.get(), outer);
  EXPECT_EQ(s->LineWidth, 1.0);
  EXPECT_EQ(s->Path->SubpathCount(), 1);
  EXPECT_EQ(s->LineX, 7);
  EXPECT_EQ(s->CurX, 7);
  EXPECT_EQ(s->FillColorSpace->Family(), cfDeviceGray);
  // Unmatched restore: unchanged.
  s = TvlPDState::Restore(std::move(s));
  EXPECT_EQ(s.get(), outer);
}

TEST(PDState, DeepStackFreesWithoutRecursion) {
  auto s = std::make_unique<TvlPDState>(0, 72, 72, nullptr);
  for (int i = 0; i < 200000; ++i) s = TvlPDState::Save(std::move(s));
  EXPECT_EQ(s->Depth(), 200000);
  s.reset();
}

TEST(PDState, CloneSharesSpacesWithoutOwning) {
  TvlPDState s(0, 72, 72, nullptr);
  s.MoveTo(1, 1);
  s.LineTo(2, 2);
  auto c = s.Clone();
  EXPECT_EQ(c->FillColorSpace, s.FillColorSpace);
  EXPECT_FALSE(c->OwnsFillColorSpace());
  EXPECT_TRUE(s.OwnsFillColorSpace());
  c->LineTo(3, 3);
  EXPECT_EQ(s.Path->Subpath(0)->PointCount(), 2);  // deep path copy
  c.reset();
  int32_t r, g, b;
  s.FillColor[0] = 32768;
  s.GetFillRGB(r, g, b);  // the source's space is still alive
  EXPECT_EQ(r, 32768);
}

TEST(PDState, TextToUserAndFontSize) {
  TvlPDState s(0, 144, 144, nullptr);
  s.TextMatrix.Set(2, 0, 0, 3, 10, 20);
  s.SetFontSize(12);
  double ux, uy;
  s.TextToUser(5, 1, ux, uy);
  EXPECT_EQ(ux, 20);
  EXPECT_EQ(uy, 23);
  // (0, 12) through the text matrix (0, 36), then the 2x CTM: 72.
  EXPECT_DOUBLE_EQ(s.TransformedFontSize(), 72);
}

}  // namespace
