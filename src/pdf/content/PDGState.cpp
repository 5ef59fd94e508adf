#include "pdf/content/PDGState.h"

#include "pdf/core/PDBaseObject.h"

namespace {
long double Read(TvlPDDictionary* D, const char* Key, long double& Cache) {
  if (Cache != -1) return Cache;
  TvlPDBaseObject* v = D ? D->Get(Key) : nullptr;
  if (!v || !v->IsNumber()) return -1;
  Cache = v->IsReal() ? static_cast<TvlPDReal*>(v)->Value : v->IntegerValue();
  return Cache;
}
}  // namespace

long double TvlPDGState::GetStrokeAlpha() { return Read(Dictionary, "CA", CachedStrokeAlpha); }
long double TvlPDGState::GetFillAlpha() { return Read(Dictionary, "ca", CachedFillAlpha); }
