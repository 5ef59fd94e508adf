#include "pdf/content/PDFunction.h"

#include <algorithm>
#include <cmath>

#include "pdf/core/BaseStream.h"
#include "pdf/core/PDBaseObject.h"

namespace {

TvlPDDictionary* DictOf(TvlPDBaseObject* Obj) {
  if (!Obj) return nullptr;
  if (TvlPDStream* s = Obj->AsStream()) return s->Dictionary();
  return Obj->AsDictionary();
}

// Reads an array of numbers; false when absent, not an array, or holding a
// non-number. At most Max values are stored; Count receives the length.
bool ReadArray(TvlPDBaseObject* Obj, double* Out, int Max, int& Count) {
  TvlPDArray* a = Obj ? Obj->AsArray() : nullptr;
  Count = 0;
  if (!a) return false;
  for (int i = 0; i < a->Count(); ++i) {
    TvlPDBaseObject* e = a->Get(i);
    if (!e || !e->IsNumber()) return false;
  }
  Count = a->Count();
  for (int i = 0; i < std::min(Count, Max); ++i) Out[i] = a->GetNumber(i);
  return true;
}

// Sampled tables larger than this are refused (a hostile Size would
// otherwise allocate without bound).
constexpr size_t kMaxSamples = size_t(1) << 24;

}  // namespace

void TvlPDFunction::ReadCommon(TvlPDBaseObject* Obj) {
  TvlPDDictionary* d = DictOf(Obj);
  if (!d) {
    Valid = false;
    return;
  }
  double v[2 * kMaxFunctionArity];
  int n = 0;
  if (!ReadArray(d->Get("Domain"), v, 2 * kMaxFunctionArity, n) || n < 2) {
    Valid = false;
    return;
  }
  InputCount = std::min(n / 2, kMaxFunctionArity);
  for (int i = 0; i < InputCount; ++i) {
    Domain[i][0] = v[2 * i];
    Domain[i][1] = v[2 * i + 1];
  }
  if (TvlPDBaseObject* r = d->Get("Range")) {
    if (!ReadArray(r, v, 2 * kMaxFunctionArity, n)) {
      Valid = false;
      return;
    }
    HasRange = true;
    OutputCount = std::min(n / 2, kMaxFunctionArity);
    for (int i = 0; i < OutputCount; ++i) {
      Range[i][0] = v[2 * i];
      Range[i][1] = v[2 * i + 1];
    }
  }
}

double TvlPDFunction::ClipToDomain(int I, double X) const {
  const double lo = std::min(Domain[I][0], Domain[I][1]), hi = std::max(Domain[I][0], Domain[I][1]);
  return std::isnan(X) ? lo : std::clamp(X, lo, hi);
}

double TvlPDFunction::ClipToRange(int J, double Y) const {
  if (!HasRange || J >= OutputCount) return Y;
  const double lo = std::min(Range[J][0], Range[J][1]), hi = std::max(Range[J][0], Range[J][1]);
  return std::isnan(Y) ? lo : std::clamp(Y, lo, hi);
}

// ---- identity

TvlPDIdentityFunction::TvlPDIdentityFunction() {
  InputCount = OutputCount = kMaxFunctionArity;
  for (auto& d : Domain) {
    d[0] = 0;
    d[1] = 1;
  }
}
std::unique_ptr<TvlPDFunction> TvlPDIdentityFunction::Copy() const {
  return std::make_unique<TvlPDIdentityFunction>(*this);
}
void TvlPDIdentityFunction::Evaluate(const double* In, double* Out) const {
  std::copy(In, In + kMaxFunctionArity, Out);
}

// ---- sampled

TvlPDSampledFunction::TvlPDSampledFunction(TvlPDBaseObject* Obj) {
  ReadCommon(Obj);
  TvlPDStream* s = Obj ? Obj->AsStream() : nullptr;
  if (!Valid || !s || !HasRange || InputCount > 16 || OutputCount < 1) {
    Valid = false;
    return;
  }
  TvlPDDictionary* d = s->Dictionary();
  double v[2 * kMaxFunctionArity];
  int n = 0;
  TvlPDArray* size = d->GetArray("Size");
  if (!size || size->Count() < InputCount) {
    Valid = false;
    return;
  }
  size_t total = 1;
  for (int i = 0; i < InputCount; ++i) {
    TvlPDBaseObject* e = size->Get(i);
    if (!e || !e->IsInteger() || e->IntegerValue() < 1) {
      Valid = false;
      return;
    }
    Size[i] = e->IntegerValue();
    total *= static_cast<size_t>(Size[i]);
    if (total > kMaxSamples) {
      Valid = false;
      return;
    }
  }
  TvlPDBaseObject* bps = d->Get("BitsPerSample");
  if (!bps || !bps->IsInteger() || bps->IntegerValue() < 1 || bps->IntegerValue() > 32) {
    Valid = false;
    return;
  }
  BitsPerSample = bps->IntegerValue();
  if (ReadArray(d->Get("Encode"), v, 2 * kMaxFunctionArity, n) && n >= 2 * InputCount) {
    for (int i = 0; i < InputCount; ++i) {
      Encode[i][0] = v[2 * i];
      Encode[i][1] = v[2 * i + 1];
    }
  } else {
    for (int i = 0; i < InputCount; ++i) {
      Encode[i][0] = 0;
      Encode[i][1] = Size[i] - 1;
    }
  }
  if (ReadArray(d->Get("Decode"), v, 2 * kMaxFunctionArity, n) && n >= 2 * OutputCount) {
    for (int j = 0; j < OutputCount; ++j) {
      Decode[j][0] = v[2 * j];
      Decode[j][1] = v[2 * j + 1];
    }
  } else {
    for (int j = 0; j < OutputCount; ++j) {
      Decode[j][0] = Range[j][0];
      Decode[j][1] = Range[j][1];
    }
  }
  // Read the samples: n per grid point, packed most significant bit first.
  const size_t count = total * OutputCount;
  const size_t bytes = (count * BitsPerSample + 7) / 8;
  const AnsiString data = s->ReadAll(bytes);
  Samples.assign(count, 0.0);
  const double maxValue = std::ldexp(1.0, BitsPerSample) - 1;
  uint64_t acc = 0;
  int bits = 0;
  size_t pos = 0;
  for (size_t k = 0; k < count; ++k) {
    while (bits < BitsPerSample) {
      const uint8_t byte = pos < data.size() ? static_cast<uint8_t>(data[pos]) : 0;
      ++pos;
      acc = (acc << 8) | byte;
      bits += 8;
    }
    const uint64_t sample = (acc >> (bits - BitsPerSample)) & ((uint64_t(1) << BitsPerSample) - 1);
    bits -= BitsPerSample;
    Samples[k] = static_cast<double>(sample) / maxValue;
  }
}

std::unique_ptr<TvlPDFunction> TvlPDSampledFunction::Copy() const {
  return std::make_unique<TvlPDSampledFunction>(*this);
}

void TvlPDSampledFunction::Evaluate(const double* In, double* Out) const {
  const int m = InputCount, n = OutputCount;
  int e0[16], e1[16];
  double t[16];
  for (int i = 0; i < m; ++i) {
    const double x = ClipToDomain(i, In[i]);
    const double span = Domain[i][1] - Domain[i][0];
    double e = Encode[i][0] + (span != 0 ? (x - Domain[i][0]) * (Encode[i][1] - Encode[i][0]) / span : 0);
    e = std::clamp(std::isnan(e) ? 0.0 : e, 0.0, double(Size[i] - 1));
    e0[i] = static_cast<int>(e);
    e1[i] = e0[i] + 1 < Size[i] ? e0[i] + 1 : e0[i];
    t[i] = e - e0[i];
  }
  for (int j = 0; j < n; ++j) {
    double s = 0;
    for (int corner = 0; corner < (1 << m); ++corner) {
      double w = 1;
      size_t index = 0, stride = 1;
      for (int i = 0; i < m; ++i) {
        const bool hi = (corner >> i) & 1;
        w *= hi ? t[i] : 1 - t[i];
        index += stride * static_cast<size_t>(hi ? e1[i] : e0[i]);
        stride *= static_cast<size_t>(Size[i]);
      }
      if (w != 0) s += w * Samples[index * n + j];
    }
    Out[j] = ClipToRange(j, Decode[j][0] + (Decode[j][1] - Decode[j][0]) * s);
  }
}

// ---- exponential

TvlPDExponentialFunction::TvlPDExponentialFunction(TvlPDBaseObject* Obj) {
  ReadCommon(Obj);
  TvlPDDictionary* d = DictOf(Obj);
  if (!Valid || InputCount != 1) {
    Valid = false;
    return;
  }
  int n0 = 1, n1 = 1;
  C0[0] = 0;
  C1[0] = 1;
  if (TvlPDBaseObject* c = d->Get("C0")) {
    if (!ReadArray(c, C0, kMaxFunctionArity, n0)) Valid = false;
  }
  if (TvlPDBaseObject* c = d->Get("C1")) {
    if (!ReadArray(c, C1, kMaxFunctionArity, n1)) Valid = false;
  }
  TvlPDBaseObject* nObj = d->Get("N");
  if (!Valid || n0 != n1 || n0 > kMaxFunctionArity || (HasRange && n0 != OutputCount) ||
      !nObj || !nObj->IsNumber()) {
    Valid = false;
    return;
  }
  OutputCount = n0;
  N = nObj->NumberValue();
}

std::unique_ptr<TvlPDFunction> TvlPDExponentialFunction::Copy() const {
  return std::make_unique<TvlPDExponentialFunction>(*this);
}

void TvlPDExponentialFunction::Evaluate(const double* In, double* Out) const {
  const double x = ClipToDomain(0, In[0]);
  const double p = std::pow(x, N);
  for (int j = 0; j < OutputCount; ++j) Out[j] = ClipToRange(j, C0[j] + p * (C1[j] - C0[j]));
}

// ---- stitching

TvlPDStitchingFunction::TvlPDStitchingFunction(TvlPDBaseObject* Obj, int Depth) {
  ReadCommon(Obj);
  TvlPDDictionary* d = DictOf(Obj);
  if (!Valid || InputCount != 1) {
    Valid = false;
    return;
  }
  TvlPDArray* fns = d->GetArray("Functions");
  if (!fns || fns->Count() < 1 || fns->Count() > 256) {
    Valid = false;
    return;
  }
  const int k = fns->Count();
  for (int i = 0; i < k; ++i) {
    auto f = FunctionFromObject(fns->Get(i), Depth + 1);
    if (!f || f->InputCount != 1 || (i > 0 && f->OutputCount != Functions[0]->OutputCount)) {
      Valid = false;
      return;
    }
    Functions.push_back(std::move(f));
  }
  std::vector<double> inner(k + 1);
  int nb = 0;
  if (!ReadArray(d->Get("Bounds"), inner.data(), k, nb) || nb != k - 1) {
    Valid = false;
    return;
  }
  Bounds.push_back(Domain[0][0]);
  Bounds.insert(Bounds.end(), inner.begin(), inner.begin() + nb);
  Bounds.push_back(Domain[0][1]);
  Encode.resize(2 * k);
  int ne = 0;
  if (!ReadArray(d->Get("Encode"), Encode.data(), 2 * k, ne) || ne != 2 * k) {
    Valid = false;
    return;
  }
  if (!HasRange) OutputCount = Functions[0]->OutputCount;
}

TvlPDStitchingFunction::TvlPDStitchingFunction(const TvlPDStitchingFunction& O)
    : TvlPDFunction(O), Bounds(O.Bounds), Encode(O.Encode) {
  for (const auto& f : O.Functions) Functions.push_back(f->Copy());
}

std::unique_ptr<TvlPDFunction> TvlPDStitchingFunction::Copy() const {
  return std::make_unique<TvlPDStitchingFunction>(*this);
}

void TvlPDStitchingFunction::Evaluate(const double* In, double* Out) const {
  const double x = ClipToDomain(0, In[0]);
  const int k = static_cast<int>(Functions.size());
  int i = 0;
  for (int b = 1; b < k; ++b)
    if (Bounds[b] <= x) i = b;
  const double lo = Bounds[i], hi = Bounds[i + 1];
  const double factor = hi != lo ? (Encode[2 * i + 1] - Encode[2 * i]) / (hi - lo) : 0;
  double in[kMaxFunctionArity] = {};
  in[0] = Encode[2 * i] + (x - lo) * factor;
  Functions[i]->Evaluate(in, Out);
  for (int j = 0; j < OutputCount; ++j) Out[j] = ClipToRange(j, Out[j]);
}

// ---- PostScript calculator: not supported

std::unique_ptr<TvlPDFunction> TvlPDPostScriptFunction::Copy() const {
  return std::make_unique<TvlPDPostScriptFunction>(*this);
}
void TvlPDPostScriptFunction::Evaluate(const double*, double* Out) const {
  std::fill(Out, Out + kMaxFunctionArity, 0.0);
}

// ---- factory

std::unique_ptr<TvlPDFunction> FunctionFromObject(TvlPDBaseObject* Obj) {
  return FunctionFromObject(Obj, 0);
}

std::unique_ptr<TvlPDFunction> FunctionFromObject(TvlPDBaseObject* Obj, int Depth) {
  if (!Obj || Depth > kMaxFunctionDepth) return nullptr;
  if (Obj->IsName()) {
    if (Obj->TextValue() == "Identity") return std::make_unique<TvlPDIdentityFunction>();
    return nullptr;
  }
  TvlPDDictionary* d = DictOf(Obj);
  if (!d) return nullptr;
  TvlPDBaseObject* type = d->Get("FunctionType");
  if (!type || !type->IsInteger()) return nullptr;
  std::unique_ptr<TvlPDFunction> f;
  switch (type->IntegerValue()) {
    case 0: f = std::make_unique<TvlPDSampledFunction>(Obj); break;
    case 2: f = std::make_unique<TvlPDExponentialFunction>(Obj); break;
    case 3: f = std::make_unique<TvlPDStitchingFunction>(Obj, Depth); break;
    case 4: f = std::make_unique<TvlPDPostScriptFunction>(); break;
    default: return nullptr;
  }
  if (!f->IsValid()) return nullptr;
  return f;
}
