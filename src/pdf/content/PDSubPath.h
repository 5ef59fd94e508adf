// One subpath of the path under construction: points with a curve flag each
// (True for the two control points of a cubic Bezier).
#pragma once

#include <cstddef>
#include <vector>

class TvlPDSubPath {
public:
  int PointCount() const { return static_cast<int>(Xs.size()); }
  // An index at or beyond the end reads the last point (0 when empty).
  double X(int I) const { return Xs.empty() ? 0.0 : Xs[Clamp(I)]; }
  double Y(int I) const { return Ys.empty() ? 0.0 : Ys[Clamp(I)]; }
  bool IsCurve(int I) const {
    return I >= 0 && static_cast<size_t>(I) < CurveFlags.size() && CurveFlags[I];
  }
  int SegmentCount() const { return Segments; }
  bool Closed() const { return IsClosed; }

  // Construction, used by TvlPDPath.
  void AddPoint(double X, double Y, bool Curve) {
    Xs.push_back(X);
    Ys.push_back(Y);
    CurveFlags.push_back(Curve);
  }
  void CountSegment() {
    if (HasSegment) ++Segments;
    HasSegment = true;
  }
  void SetClosed() { IsClosed = true; }

private:
  size_t Clamp(int I) const {
    return I < 0 ? 0 : (static_cast<size_t>(I) >= Xs.size() ? Xs.size() - 1 : static_cast<size_t>(I));
  }
  std::vector<double> Xs, Ys;
  std::vector<bool> CurveFlags;
  bool IsClosed = false;
  int Segments = 1;
  bool HasSegment = false;
};
