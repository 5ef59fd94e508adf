// 2D geometry for clipping and glyph boxes: affine matrices, paths of lines
// and cubic Béziers with a fill rule, and regions with intersection and
// point-in-region tests.
#pragma once

#include <vector>

#include "platform/vlGraphics.h"

namespace vl {

struct TvlPointF {
  double X = 0, Y = 0;
  bool operator==(const TvlPointF&) const = default;
};

struct TvlRectF {
  double Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool IsEmpty() const { return !(Right > Left && Bottom > Top); }
  bool operator==(const TvlRectF&) const = default;
};

// An affine map (x, y) -> (M11*x + M21*y + DX, M12*x + M22*y + DY).
struct TvlMatrix {
  double M11 = 1, M12 = 0, M21 = 0, M22 = 1, DX = 0, DY = 0;

  static TvlMatrix Translation(double X, double Y) { return {1, 0, 0, 1, X, Y}; }
  static TvlMatrix Scaling(double SX, double SY) { return {SX, 0, 0, SY, 0, 0}; }
  TvlPointF Apply(TvlPointF P) const { return {M11 * P.X + M21 * P.Y + DX, M12 * P.X + M22 * P.Y + DY}; }
  // this then Other: the result maps p to Other(this(p)).
  TvlMatrix Then(const TvlMatrix& Other) const;
  // Other applied before this (prepending): maps p to this(Other(p)).
  void Prepend(const TvlMatrix& Other) { *this = Other.Then(*this); }
  void Append(const TvlMatrix& Other) { *this = Then(Other); }
  bool IsIdentity() const { return M11 == 1 && M12 == 0 && M21 == 0 && M22 == 1 && DX == 0 && DY == 0; }
  bool operator==(const TvlMatrix&) const = default;
};

enum class TvlFillMode { Alternate, Winding };  // even-odd, nonzero

// A path of figures made of lines and cubic Béziers.
class TvlPath {
public:
  explicit TvlPath(TvlFillMode Mode = TvlFillMode::Alternate) : FMode(Mode) {}
  TvlFillMode FillMode() const { return FMode; }
  void SetFillMode(TvlFillMode Mode) { FMode = Mode; }

  void MoveTo(double X, double Y);
  void LineTo(double X, double Y);
  void BezierTo(double X1, double Y1, double X2, double Y2, double X3, double Y3);
  void CloseFigure();
  void AddRectangle(const TvlRectF& R);
  void Transform(const TvlMatrix& M);
  // Appends Other's figures mapped through M.
  void AddPath(const TvlPath& Other, const TvlMatrix& M);
  bool Empty() const { return FPoints.empty(); }
  void Clear() {
    FPoints.clear();
    FTypes.clear();
  }

  // Bounds of the curve (control points of Béziers are flattened first);
  // empty rect for an empty path.
  TvlRectF Bounds() const;
  // Bounds rounded outward to whole pixels (floor of left/top, ceiling of right/bottom).
  TRect IntegerBounds() const;
  // Figures flattened to closed polygons (every figure counts as closed for filling).
  std::vector<std::vector<TvlPointF>> Flatten() const;
  bool Contains(double X, double Y) const;

private:
  enum : uint8_t { kStart, kLine, kBezier, kClose };
  TvlFillMode FMode;
  std::vector<TvlPointF> FPoints;
  std::vector<uint8_t> FTypes;  // per point; a Bézier adds three kBezier points
  bool FOpen = false;
};

// A region: the intersection of a rectangle (or everything) with any number
// of filled paths.
class TvlRegion {
public:
  // The infinite region.
  TvlRegion() = default;
  explicit TvlRegion(const TvlRectF& R);
  explicit TvlRegion(const TvlPath& Path);

  void Intersect(const TvlRectF& R);
  void Intersect(const TvlPath& Path);
  void Intersect(const TvlRegion& Other);
  bool IsVisible(double X, double Y) const;
  bool IsInfinite() const { return !FHasRect && FShapes.empty(); }
  // A bounding rectangle (not necessarily tight); only meaningful if not infinite.
  TvlRectF Bounds() const;

private:
  struct Shape {
    TvlFillMode Mode;
    std::vector<std::vector<TvlPointF>> Polygons;
    TvlRectF Box;
  };
  bool FHasRect = false;
  TvlRectF FRect;
  std::vector<Shape> FShapes;
};

}  // namespace vl
