// The clip of a page as the extractor needs it: an intersection of filled
// paths in page points, asked only whether a point lies inside. Curves are
// flattened when a path is added, so the test is a polygon test.
#pragma once

#include <vector>

class TvlClipRegion {
public:
  struct Point {
    double X, Y;
  };
  // One closed polygon per subpath.
  using Contour = std::vector<Point>;

  // The whole rectangle (Left, Bottom) to (Right, Top) is visible.
  void SetRect(double Left, double Bottom, double Right, double Top);
  // Intersects the region with the filled area of Contours (EvenOdd: the
  // even-odd rule, else nonzero winding).
  void Intersect(std::vector<Contour> Contours, bool EvenOdd);
  bool Contains(double X, double Y) const;

  // Appends a cubic Bezier from the contour's last point, flattened (nothing
  // for an empty contour).
  static void AddBezier(Contour& C, Point P1, Point P2, Point P3);

private:
  struct Area {
    std::vector<Contour> Contours;
    bool EvenOdd;
    double MinX, MinY, MaxX, MaxY;  // bounds, for a quick rejection
  };
  static bool AreaContains(const Area& A, double X, double Y);

  // The rectangles of the clip collapse into one bound; only other shapes
  // are kept as areas.
  double Left_ = 0, Bottom_ = 0, Right_ = 0, Top_ = 0;
  std::vector<Area> Areas_;
};
