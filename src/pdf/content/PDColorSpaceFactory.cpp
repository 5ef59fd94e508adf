// Building colour spaces from their PDF form (a name or an array).
#include <cmath>

#include "pdf/content/PDColorSpace.h"
#include "pdf/content/PDFunction.h"
#include "pdf/core/PDBaseObject.h"

namespace {

// Compound spaces name their base spaces; a file can make them refer to
// each other, so nesting is followed only this deep.
constexpr int kMaxSpaceDepth = 8;

std::unique_ptr<TvlPDColorSpace> Build(TvlPDBaseObject* Obj, int Depth);

bool ReadNumbers(TvlPDBaseObject* Obj, double* Out, int Count) {
  TvlPDArray* a = Obj ? Obj->AsArray() : nullptr;
  if (!a || a->Count() != Count) return false;
  for (int i = 0; i < Count; ++i) {
    TvlPDBaseObject* e = a->Get(i);
    if (!e || !e->IsNumber()) return false;
  }
  for (int i = 0; i < Count; ++i) Out[i] = a->GetNumber(i);
  return true;
}

int HexDigit(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

std::unique_ptr<TvlPDColorSpace> ICCBased(TvlPDArray* A) {
  TvlPDStream* s = A->Count() > 1 && A->Get(1) ? A->Get(1)->AsStream() : nullptr;
  auto cs = std::make_unique<TvlPDICCBasedColorSpace>();
  if (!s) return cs;
  TvlPDDictionary* d = s->Dictionary();
  TvlPDBaseObject* n = d->Get("N");
  if (!n || !n->IsNumber()) return cs;  // unusable: no components, no alternate
  cs->N = std::clamp(static_cast<int>(n->NumberValue()), 0, kMaxColorComponents);
  const AnsiString alt = d->GetName("Alternate");
  if (alt == "DeviceRGB" || alt == "DeviceGray" || alt == "DeviceCMYK") {
    cs->Alternate = DeviceColorSpaceFromName(alt);
  } else if (cs->N == 1) {
    cs->Alternate = std::make_unique<TvlPDDeviceGrayColorSpace>();
  } else if (cs->N == 3) {
    cs->Alternate = std::make_unique<TvlPDDeviceRGBColorSpace>();
  } else if (cs->N == 4) {
    cs->Alternate = std::make_unique<TvlPDDeviceCMYKColorSpace>();
  }
  double range[2 * kMaxColorComponents];
  if (cs->N > 0 && ReadNumbers(d->Get("Range"), range, 2 * cs->N)) {
    for (int i = 0; i < cs->N; ++i) {
      cs->RangeLow[i] = range[2 * i];
      cs->RangeHigh[i] = range[2 * i + 1];
    }
  }
  return cs;
}

std::unique_ptr<TvlPDColorSpace> Indexed(TvlPDArray* A, int Depth) {
  if (A->Count() != 4) return nullptr;
  auto cs = std::make_unique<TvlPDIndexedColorSpace>();
  cs->Base = Build(A->Get(1), Depth + 1);
  TvlPDBaseObject* hi = A->Get(2);
  if (!cs->Base || !hi || !hi->IsInteger()) return cs;
  const int hival = hi->IntegerValue();
  if (hival < 0 || hival > 255) return cs;
  cs->HiVal = hival;
  const size_t need = size_t(hival + 1) * std::max(cs->Base->ComponentCount(), 0);
  TvlPDBaseObject* lookup = A->Get(3);
  if (!lookup) return cs;
  if (TvlPDStream* s = lookup->AsStream()) {
    cs->Lookup = s->ReadAll(need);
  } else if (lookup->IsString()) {
    const TvlPDString* str = static_cast<TvlPDString*>(lookup);
    if (!str->IsHex) {
      if (str->Value.size() >= need) cs->Lookup = str->Value.substr(0, need);
    } else if (str->Value.size() >= 2 * need) {
      cs->Lookup.resize(need);
      for (size_t i = 0; i < need; ++i) {
        const int h = HexDigit(str->Value[2 * i]), l = HexDigit(str->Value[2 * i + 1]);
        cs->Lookup[i] = static_cast<char>(h < 0 || l < 0 ? 0 : h * 16 + l);
      }
    }
  }
  return cs;
}

std::unique_ptr<TvlPDColorSpace> Separation(TvlPDArray* A, int Depth) {
  if (A->Count() != 4) return nullptr;
  TvlPDBaseObject* name = A->Get(1);
  if (!name || !name->IsName()) return nullptr;
  auto cs = std::make_unique<TvlPDSeparationColorSpace>();
  cs->ColorantName = name->TextValue();
  cs->IsNone = cs->ColorantName == "None";
  cs->Alternate = Build(A->Get(2), Depth + 1);
  cs->TintTransform = FunctionFromObject(A->Get(3));
  return cs;
}

std::unique_ptr<TvlPDColorSpace> DeviceN(TvlPDArray* A, int Depth) {
  if (A->Count() < 4) return nullptr;
  TvlPDArray* names = A->Get(1) ? A->Get(1)->AsArray() : nullptr;
  auto cs = std::make_unique<TvlPDDeviceNColorSpace>();
  if (names) {
    for (int i = 0; i < names->Count() && cs->ColorantCount < kMaxColorComponents; ++i) {
      TvlPDBaseObject* n = names->Get(i);
      if (!n || !n->IsName()) break;
      cs->ColorantNames[cs->ColorantCount++] = n->TextValue();
    }
  }
  cs->Alternate = Build(A->Get(2), Depth + 1);
  cs->TintTransform = FunctionFromObject(A->Get(3));
  if (!cs->TintTransform) cs->Alternate.reset();
  return cs;
}

std::unique_ptr<TvlPDColorSpace> Build(TvlPDBaseObject* Obj, int Depth) {
  if (!Obj || Depth > kMaxSpaceDepth) return nullptr;
  if (Obj->IsName()) return DeviceColorSpaceFromName(Obj->TextValue());
  TvlPDArray* a = Obj->AsArray();
  if (!a || a->Count() < 1) return nullptr;
  TvlPDBaseObject* first = a->Get(0);
  if (!first || !first->IsName()) return nullptr;
  const AnsiString& family = first->TextValue();
  if (auto dev = DeviceColorSpaceFromName(family)) return dev;
  TvlPDDictionary* params = a->Count() > 1 && a->Get(1) ? a->Get(1)->AsDictionary() : nullptr;
  if (family == "CalGray") {
    auto cs = std::make_unique<TvlPDCalGrayColorSpace>();
    if (params) {
      ReadNumbers(params->Get("WhitePoint"), cs->WhitePoint, 3);
      ReadNumbers(params->Get("BlackPoint"), cs->BlackPoint, 3);
      cs->Gamma = params->GetNumber("Gamma", 1);
    }
    return cs;
  }
  if (family == "CalRGB") {
    auto cs = std::make_unique<TvlPDCalRGBColorSpace>();
    if (params) {
      ReadNumbers(params->Get("WhitePoint"), cs->WhitePoint, 3);
      ReadNumbers(params->Get("BlackPoint"), cs->BlackPoint, 3);
      ReadNumbers(params->Get("Gamma"), cs->Gamma, 3);
      ReadNumbers(params->Get("Matrix"), cs->Matrix, 9);
    }
    return cs;
  }
  if (family == "Lab") {
    auto cs = std::make_unique<TvlPDLabColorSpace>();
    if (params) {
      ReadNumbers(params->Get("WhitePoint"), cs->WhitePoint, 3);
      ReadNumbers(params->Get("BlackPoint"), cs->BlackPoint, 3);
      ReadNumbers(params->Get("Range"), cs->Range, 4);
    }
    cs->ComputeFactors();
    return cs;
  }
  if (family == "ICCBased") return ICCBased(a);
  if (family == "Indexed" || family == "I") return Indexed(a, Depth);
  if (family == "Separation") return Separation(a, Depth);
  if (family == "DeviceN") return DeviceN(a, Depth);
  if (family == "Pattern") {
    auto cs = std::make_unique<TvlPDPatternColorSpace>();
    if (a->Count() == 2) cs->Underlying = Build(a->Get(1), Depth + 1);
    return cs;
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<TvlPDColorSpace> ColorSpaceFromObject(TvlPDBaseObject* Obj, const AnsiString& Name) {
  auto cs = Build(Obj, 0);
  if (cs) cs->Name = Name;
  return cs;
}
