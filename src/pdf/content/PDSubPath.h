// One subpath of the path under construction: points with a curve flag each
// (True for the two control points of a cubic Bezier).
#pragma once

#include <cstddef>
#include <vector>

class TvlPDSubPath {
public:
  int PointCount() const { return static_cast<int>(Points.size()); }
  // An index at or beyond the point count reads the last point (0 when empty).
  double X(int I) const { return Points.empty() ? 0.0 : Points[Clamp(I)].X; }
  double Y(int I) const { return Points.empty() ? 0.0 : Points[Clamp(I)].Y; }
  bool IsCurve(int I) const {
    return I >= 0 && static_cast<size_t>(I) < Points.size() && Points[I].Curve;
  }
  int SegmentCount() const { return Segments; }
  bool Closed() const { return IsClosed; }

  // Construction, used by TvlPDPath.
  void AddPoint(double X, double Y, bool Curve) { Points.push_back({X, Y, Curve}); }
  void CountSegment() {
    if (HasSegment) ++Segments;
    HasSegment = true;
  }
  void SetClosed() { IsClosed = true; }
  // Empties the subpath, keeping its storage for reuse.
  void Reset() {
    Points.clear();
    IsClosed = false;
    Segments = 1;
    HasSegment = false;
  }

private:
  struct TvlPoint {
    double X, Y;
    bool Curve;
  };
  size_t Clamp(int I) const {
    return I < 0 ? 0 : (static_cast<size_t>(I) >= Points.size() ? Points.size() - 1 : static_cast<size_t>(I));
  }
  std::vector<TvlPoint> Points;
  bool IsClosed = false;
  int Segments = 1;
  bool HasSegment = false;
};
