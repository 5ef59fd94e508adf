#include "platform/vlGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vl {

TvlMatrix TvlMatrix::Then(const TvlMatrix& O) const {
  return {M11 * O.M11 + M12 * O.M21,        M11 * O.M12 + M12 * O.M22,        M21 * O.M11 + M22 * O.M21,
          M21 * O.M12 + M22 * O.M22,        DX * O.M11 + DY * O.M21 + O.DX, DX * O.M12 + DY * O.M22 + O.DY};
}

void TvlPath::MoveTo(double X, double Y) {
  FPoints.push_back({X, Y});
  FTypes.push_back(kStart);
  FOpen = true;
}

void TvlPath::LineTo(double X, double Y) {
  if (!FOpen) {
    // A figure may begin with a line: it starts at the previous point.
    TvlPointF start = FPoints.empty() ? TvlPointF{X, Y} : FPoints.back();
    MoveTo(start.X, start.Y);
  }
  FPoints.push_back({X, Y});
  FTypes.push_back(kLine);
}

void TvlPath::BezierTo(double X1, double Y1, double X2, double Y2, double X3, double Y3) {
  if (!FOpen) {
    TvlPointF start = FPoints.empty() ? TvlPointF{X1, Y1} : FPoints.back();
    MoveTo(start.X, start.Y);
  }
  FPoints.push_back({X1, Y1});
  FPoints.push_back({X2, Y2});
  FPoints.push_back({X3, Y3});
  FTypes.insert(FTypes.end(), 3, kBezier);
}

void TvlPath::CloseFigure() {
  if (!FOpen) return;
  FTypes.push_back(kClose);
  FPoints.push_back(FPoints.back());
  FOpen = false;
}

void TvlPath::AddRectangle(const TvlRectF& R) {
  MoveTo(R.Left, R.Top);
  LineTo(R.Right, R.Top);
  LineTo(R.Right, R.Bottom);
  LineTo(R.Left, R.Bottom);
  CloseFigure();
}

void TvlPath::Transform(const TvlMatrix& M) {
  for (TvlPointF& p : FPoints) p = M.Apply(p);
}

void TvlPath::AddPath(const TvlPath& Other, const TvlMatrix& M) {
  if (Other.FPoints.empty()) return;
  CloseFigure();
  FPoints.reserve(FPoints.size() + Other.FPoints.size());
  for (const TvlPointF& p : Other.FPoints) FPoints.push_back(M.Apply(p));
  FTypes.insert(FTypes.end(), Other.FTypes.begin(), Other.FTypes.end());
  FOpen = Other.FOpen;
}

std::vector<std::vector<TvlPointF>> TvlPath::Flatten() const {
  std::vector<std::vector<TvlPointF>> out;
  for (size_t i = 0; i < FPoints.size();) {
    switch (FTypes[i]) {
      case kStart:
        out.emplace_back();
        out.back().push_back(FPoints[i]);
        ++i;
        break;
      case kLine:
        out.back().push_back(FPoints[i]);
        ++i;
        break;
      case kBezier: {
        if (i + 2 >= FPoints.size()) {
          i = FPoints.size();
          break;
        }
        TvlPointF p0 = out.back().back(), p1 = FPoints[i], p2 = FPoints[i + 1], p3 = FPoints[i + 2];
        // Enough segments that each is about a pixel or less.
        double len = std::hypot(p1.X - p0.X, p1.Y - p0.Y) + std::hypot(p2.X - p1.X, p2.Y - p1.Y) +
                     std::hypot(p3.X - p2.X, p3.Y - p2.Y);
        int n = std::clamp(static_cast<int>(std::isfinite(len) ? len / 2 : 1), 4, 64);
        for (int k = 1; k <= n; ++k) {
          double t = static_cast<double>(k) / n, u = 1 - t;
          double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
          out.back().push_back({a * p0.X + b * p1.X + c * p2.X + d * p3.X, a * p0.Y + b * p1.Y + c * p2.Y + d * p3.Y});
        }
        i += 3;
        break;
      }
      default:
        ++i;
        break;
    }
  }
  return out;
}

namespace {
// Extend [lo, hi] by the extrema of the cubic with coordinates a, b, c, d.
void CubicExtent(double a, double b, double c, double d, double& lo, double& hi) {
  auto at = [&](double t) {
    double u = 1 - t;
    return u * u * u * a + 3 * u * u * t * b + 3 * u * t * t * c + t * t * t * d;
  };
  // Derivative / 3: qa t^2 + qb t + qc.
  double qa = -a + 3 * b - 3 * c + d, qb = 2 * (a - 2 * b + c), qc = b - a;
  double roots[2];
  int n = 0;
  if (std::abs(qa) < 1e-12) {
    if (std::abs(qb) > 1e-12) roots[n++] = -qc / qb;
  } else {
    double disc = qb * qb - 4 * qa * qc;
    if (disc >= 0) {
      double r = std::sqrt(disc);
      roots[n++] = (-qb + r) / (2 * qa);
      roots[n++] = (-qb - r) / (2 * qa);
    }
  }
  for (int i = 0; i < n; ++i)
    if (roots[i] > 0 && roots[i] < 1) {
      double v = at(roots[i]);
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
}
}  // namespace

TvlRectF TvlPath::Bounds() const {
  double l = std::numeric_limits<double>::infinity(), t = l, r = -l, b = -l;
  auto add = [&](const TvlPointF& p) {
    l = std::min(l, p.X);
    t = std::min(t, p.Y);
    r = std::max(r, p.X);
    b = std::max(b, p.Y);
  };
  for (size_t i = 0; i < FPoints.size(); ++i) {
    if (FTypes[i] == kBezier && i > 0 && i + 2 < FPoints.size()) {
      const TvlPointF &p0 = FPoints[i - 1], &p1 = FPoints[i], &p2 = FPoints[i + 1], &p3 = FPoints[i + 2];
      add(p3);
      CubicExtent(p0.X, p1.X, p2.X, p3.X, l, r);
      CubicExtent(p0.Y, p1.Y, p2.Y, p3.Y, t, b);
      i += 2;
    } else {
      add(FPoints[i]);
    }
  }
  if (l > r) return {};
  return {l, t, r, b};
}

TRect TvlPath::IntegerBounds() const {
  if (FPoints.empty()) return {};
  TvlRectF f = Bounds();
  auto clampInt = [](double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::clamp(v, -1e9, 1e9));
  };
  return {clampInt(std::floor(f.Left)), clampInt(std::floor(f.Top)), clampInt(std::ceil(f.Right)),
          clampInt(std::ceil(f.Bottom))};
}

namespace {

// Winding number and crossing parity of a point against closed polygons.
bool Inside(const std::vector<std::vector<TvlPointF>>& polys, TvlFillMode mode, double x, double y) {
  int winding = 0;
  for (const auto& poly : polys) {
    size_t n = poly.size();
    if (n < 2) continue;
    for (size_t i = 0; i < n; ++i) {
      const TvlPointF& a = poly[i];
      const TvlPointF& b = poly[(i + 1) % n];
      if ((a.Y <= y) != (b.Y <= y)) {
        double xi = a.X + (y - a.Y) * (b.X - a.X) / (b.Y - a.Y);
        if (xi > x) winding += b.Y > a.Y ? 1 : -1;
      }
    }
  }
  return mode == TvlFillMode::Winding ? winding != 0 : (winding & 1) != 0;
}

// Points on an edge count as inside, as a pixel-centre test on a boundary would.
bool OnEdge(const std::vector<std::vector<TvlPointF>>& polys, double x, double y) {
  for (const auto& poly : polys) {
    size_t n = poly.size();
    for (size_t i = 0; i < n; ++i) {
      const TvlPointF& a = poly[i];
      const TvlPointF& b = poly[(i + 1) % n];
      double cross = (b.X - a.X) * (y - a.Y) - (b.Y - a.Y) * (x - a.X);
      if (std::abs(cross) > 1e-9 * (std::abs(b.X - a.X) + std::abs(b.Y - a.Y) + 1)) continue;
      if (x >= std::min(a.X, b.X) && x <= std::max(a.X, b.X) && y >= std::min(a.Y, b.Y) && y <= std::max(a.Y, b.Y))
        return true;
    }
  }
  return false;
}

}  // namespace

bool TvlPath::Contains(double X, double Y) const {
  auto polys = Flatten();
  return Inside(polys, FMode, X, Y) || OnEdge(polys, X, Y);
}

TvlRegion::TvlRegion(const TvlRectF& R) : FHasRect(true), FRect(R) {}

TvlRegion::TvlRegion(const TvlPath& Path) { Intersect(Path); }

void TvlRegion::Intersect(const TvlRectF& R) {
  if (!FHasRect) {
    FHasRect = true;
    FRect = R;
    return;
  }
  FRect = {std::max(FRect.Left, R.Left), std::max(FRect.Top, R.Top), std::min(FRect.Right, R.Right),
           std::min(FRect.Bottom, R.Bottom)};
}

void TvlRegion::Intersect(const TvlPath& Path) {
  Shape s{Path.FillMode(), Path.Flatten(), Path.Bounds()};
  FShapes.push_back(std::move(s));
}

void TvlRegion::Intersect(const TvlRegion& Other) {
  if (Other.FHasRect) Intersect(Other.FRect);
  FShapes.insert(FShapes.end(), Other.FShapes.begin(), Other.FShapes.end());
}

bool TvlRegion::IsVisible(double X, double Y) const {
  if (FHasRect && !(X >= FRect.Left && X <= FRect.Right && Y >= FRect.Top && Y <= FRect.Bottom)) return false;
  for (const Shape& s : FShapes) {
    if (X < s.Box.Left || X > s.Box.Right || Y < s.Box.Top || Y > s.Box.Bottom) return false;
    if (!Inside(s.Polygons, s.Mode, X, Y) && !OnEdge(s.Polygons, X, Y)) return false;
  }
  return true;
}

TvlRectF TvlRegion::Bounds() const {
  double inf = std::numeric_limits<double>::infinity();
  TvlRectF r = FHasRect ? FRect : TvlRectF{-inf, -inf, inf, inf};
  for (const Shape& s : FShapes)
    r = {std::max(r.Left, s.Box.Left), std::max(r.Top, s.Box.Top), std::min(r.Right, s.Box.Right),
         std::min(r.Bottom, s.Box.Bottom)};
  return r;
}

}  // namespace vl
