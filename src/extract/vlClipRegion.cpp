#include "extract/vlClipRegion.h"

#include <algorithm>
#include <cmath>

namespace {

// An axis-aligned rectangle given as one closed contour (4 or 5 points with
// the closing point repeated); fills the bounds when it is one.
bool IsRectangle(const TvlClipRegion::Contour& C, double& L, double& B, double& R, double& T) {
  size_t n = C.size();
  if (n == 5 && C[4].X == C[0].X && C[4].Y == C[0].Y) n = 4;
  if (n != 4) return false;
  for (size_t i = 0; i < 4; ++i) {
    const auto& p = C[i];
    const auto& q = C[(i + 1) % 4];
    if (p.X != q.X && p.Y != q.Y) return false;
  }
  L = std::min({C[0].X, C[1].X, C[2].X, C[3].X});
  R = std::max({C[0].X, C[1].X, C[2].X, C[3].X});
  B = std::min({C[0].Y, C[1].Y, C[2].Y, C[3].Y});
  T = std::max({C[0].Y, C[1].Y, C[2].Y, C[3].Y});
  return true;
}

}  // namespace

void TvlClipRegion::SetRect(double Left, double Bottom, double Right, double Top) {
  Left_ = std::min(Left, Right);
  Right_ = std::max(Left, Right);
  Bottom_ = std::min(Bottom, Top);
  Top_ = std::max(Bottom, Top);
  Areas_.clear();
}

void TvlClipRegion::Intersect(std::vector<Contour> Contours, bool EvenOdd) {
  Contours.erase(std::remove_if(Contours.begin(), Contours.end(),
                                [](const Contour& c) { return c.size() < 3; }),
                 Contours.end());
  double l, b, r, t;
  if (Contours.empty()) {
    // An empty path clips everything away.
    SetRect(0, 0, 0, 0);
    Right_ = Left_ - 1;
    return;
  }
  if (Contours.size() == 1 && IsRectangle(Contours[0], l, b, r, t)) {
    Left_ = std::max(Left_, l);
    Bottom_ = std::max(Bottom_, b);
    Right_ = std::min(Right_, r);
    Top_ = std::min(Top_, t);
    return;
  }
  Area a{std::move(Contours), EvenOdd, 1e300, 1e300, -1e300, -1e300};
  for (const Contour& c : a.Contours)
    for (const Point& p : c) {
      a.MinX = std::min(a.MinX, p.X);
      a.MinY = std::min(a.MinY, p.Y);
      a.MaxX = std::max(a.MaxX, p.X);
      a.MaxY = std::max(a.MaxY, p.Y);
    }
  // Narrow the rectangle too, so later points outside it fail fast.
  Left_ = std::max(Left_, a.MinX);
  Bottom_ = std::max(Bottom_, a.MinY);
  Right_ = std::min(Right_, a.MaxX);
  Top_ = std::min(Top_, a.MaxY);
  // Pages that clip again and again without restoring would otherwise grow
  // this list without bound; a region that no point can pass needs no areas.
  if (Left_ > Right_ || Bottom_ > Top_) {
    Areas_.clear();
    return;
  }
  Areas_.push_back(std::move(a));
}

bool TvlClipRegion::Contains(double X, double Y) const {
  if (X < Left_ || X > Right_ || Y < Bottom_ || Y > Top_) return false;
  for (const Area& a : Areas_)
    if (!AreaContains(a, X, Y)) return false;
  return true;
}

bool TvlClipRegion::AreaContains(const Area& A, double X, double Y) {
  if (X < A.MinX || X > A.MaxX || Y < A.MinY || Y > A.MaxY) return false;
  int winding = 0, crossings = 0;
  for (const Contour& c : A.Contours) {
    const size_t n = c.size();
    for (size_t i = 0; i < n; ++i) {
      const Point& p = c[i];
      const Point& q = c[(i + 1) % n];
      if ((p.Y <= Y) != (q.Y <= Y)) {
        const double x = p.X + (Y - p.Y) * (q.X - p.X) / (q.Y - p.Y);
        if (x > X) {
          ++crossings;
          winding += q.Y > p.Y ? 1 : -1;
        }
      }
    }
  }
  return A.EvenOdd ? (crossings & 1) != 0 : winding != 0;
}

void TvlClipRegion::AddBezier(Contour& C, Point P1, Point P2, Point P3) {
  if (C.empty()) return;  // a curve needs a start point
  const Point P0 = C.back();
  // Enough segments that a flattened page-sized curve is off by well under
  // a point; the count follows the control polygon's length.
  const double len = std::hypot(P1.X - P0.X, P1.Y - P0.Y) + std::hypot(P2.X - P1.X, P2.Y - P1.Y) +
                     std::hypot(P3.X - P2.X, P3.Y - P2.Y);
  const int steps = std::clamp(static_cast<int>(len / 4), 4, 64);
  for (int i = 1; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps, u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    C.push_back({a * P0.X + b * P1.X + c * P2.X + d * P3.X, a * P0.Y + b * P1.Y + c * P2.Y + d * P3.Y});
  }
}
