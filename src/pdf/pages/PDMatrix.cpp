#include "pdf/pages/PDMatrix.h"

#include "pdf/core/PDBaseObject.h"

TvlPDMatrix TvlPDMatrix::Inverse() const {
  const double det = a * d - b * c;
  if (det == 0) return {};
  const double k = 1 / det;
  return {d * k, -b * k, -c * k, a * k, (c * f - d * e) * k, (b * e - a * f) * k};
}

TvlPDMatrix TvlPDMatrix::FromObject(const TvlPDBaseObject* Obj) {
  const TvlPDArray* a = Obj ? Obj->AsArray() : nullptr;
  if (!a || a->Count() < 6) return {};
  return {a->GetNumber(0), a->GetNumber(1), a->GetNumber(2),
          a->GetNumber(3), a->GetNumber(4), a->GetNumber(5)};
}
