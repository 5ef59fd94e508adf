#include "pdf/pages/PDMatrix.h"

TvlPDMatrix TvlPDMatrix::Inverse() const {
  const double det = a * d - b * c;
  if (det == 0) return {};
  const double k = 1 / det;
  return {d * k, -b * k, -c * k, a * k, (c * f - d * e) * k, (b * e - a * f) * k};
}
