#include "pdf/pages/PDRect.h"

#include <cmath>

#include "pdf/core/PDBaseObject.h"

TvlPDRect TvlPDRect::FromObject(TvlPDBaseObject* Obj) {
  TvlPDRect r;
  TvlPDArray* a = Obj ? Obj->AsArray() : nullptr;
  if (!a) return r;
  r.Array = a;
  double* fields[4] = {&r.Left, &r.Bottom, &r.Right, &r.Top};
  for (int i = 0; i < 4; ++i) {
    const TvlPDBaseObject* e = a->Get(i);
    if (e && e->IsNumber()) *fields[i] = e->NumberValue();
  }
  return r;
}

void TvlPDRect::Store(int Index, double& Field, double V) {
  Field = V;
  Changed = true;
  if (!Array || Index >= Array->Count()) return;
  // Write through into the mirrored array, keeping each element's kind.
  TvlPDBaseObject* e = Array->GetDirect(Index);
  if (!e) return;
  if (e->IsReal()) {
    static_cast<TvlPDReal*>(e)->Value = V;
  } else if (e->IsInteger()) {
    const double r = std::nearbyint(V);
    static_cast<TvlPDInteger*>(e)->Value =
        r >= 2147483647.0 ? INT32_MAX : (r <= -2147483648.0 ? INT32_MIN : static_cast<int32_t>(r));
  }
  Array->Modified = true;
}

void TvlPDRect::Assign(const TvlPDRect& S) {
  SetLeft(S.Left);
  SetBottom(S.Bottom);
  SetRight(S.Right);
  SetTop(S.Top);
}
