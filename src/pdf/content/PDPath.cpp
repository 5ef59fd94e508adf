#include "pdf/content/PDPath.h"

void TvlPDPath::MoveTo(double X, double Y) {
  JustMoved = true;
  FirstX = X;
  FirstY = Y;
}

TvlPDSubPath& TvlPDPath::Current() {
  // A segment without any move starts from the pending point (0, 0 at first),
  // which keeps a lone "l" harmless.
  if (JustMoved || Used == 0) {
    if (Used == static_cast<int>(Subpaths.size())) Subpaths.emplace_back();
    Subpaths[Used].Reset();
    Subpaths[Used].AddPoint(FirstX, FirstY, false);
    ++Used;
    JustMoved = false;
  }
  return Subpaths[Used - 1];
}

void TvlPDPath::LineTo(double X, double Y) {
  TvlPDSubPath& s = Current();
  s.AddPoint(X, Y, false);
  s.CountSegment();
}

void TvlPDPath::CurveTo(double X1, double Y1, double X2, double Y2, double X3, double Y3) {
  TvlPDSubPath& s = Current();
  s.AddPoint(X1, Y1, true);
  s.AddPoint(X2, Y2, true);
  s.AddPoint(X3, Y3, false);
  s.CountSegment();
}

void TvlPDPath::ClosePath(double& LastX, double& LastY) {
  TvlPDSubPath& s = Current();
  const int last = s.PointCount() - 1;
  if (s.X(last) != s.X(0) || s.Y(last) != s.Y(0)) {
    s.AddPoint(s.X(0), s.Y(0), false);
    s.CountSegment();
  }
  s.SetClosed();
  LastX = s.X(s.PointCount() - 1);
  LastY = s.Y(s.PointCount() - 1);
}
