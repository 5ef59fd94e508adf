// The path under construction: a pending move point and a list of subpaths.
// A move alone creates no subpath; the first segment after it does.
#pragma once

#include <memory>
#include <vector>

#include "pdf/content/PDSubPath.h"

class TvlPDPath {
public:
  bool JustMoved = false;
  double FirstX = 0, FirstY = 0;

  void MoveTo(double X, double Y);
  void LineTo(double X, double Y);
  void CurveTo(double X1, double Y1, double X2, double Y2, double X3, double Y3);
  // Closes the last subpath with a line back to its first point when needed;
  // reports the subpath's last point.
  void ClosePath(double& LastX, double& LastY);

  std::unique_ptr<TvlPDPath> Clone() const { return std::make_unique<TvlPDPath>(*this); }
  int SubpathCount() const { return Used; }
  // Null beyond the end.
  const TvlPDSubPath* Subpath(int I) const {
    return I >= 0 && I < SubpathCount() ? &Subpaths[I] : nullptr;
  }
  bool Empty() const { return Used == 0 && !JustMoved; }
  // Back to an empty path; the storage stays for the next path.
  void Clear() {
    for (int i = 0; i < Used; ++i) Subpaths[i].Reset();
    Used = 0;
    JustMoved = false;
    FirstX = FirstY = 0;
  }

private:
  TvlPDSubPath& Current();
  std::vector<TvlPDSubPath> Subpaths;  // the first Used are the path's
  int Used = 0;
};
