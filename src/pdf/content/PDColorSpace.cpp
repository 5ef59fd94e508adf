#include "pdf/content/PDColorSpace.h"

#include <cmath>

#include "pdf/content/PDFunction.h"

int32_t FixedFromDouble(double X) {
  const double v = X * 65536.0;
  if (!(v > -2147483648.0)) return INT32_MIN;  // also catches NaN
  if (v >= 2147483647.0) return INT32_MAX;
  return static_cast<int32_t>(v);
}

namespace {

int32_t RoundFixed(double X) {
  const double r = std::nearbyint(X);
  if (!(r > -2147483648.0)) return INT32_MIN;
  if (r >= 2147483647.0) return INT32_MAX;
  return static_cast<int32_t>(r);
}

int32_t Clamp01(double X) { return ClampFixed(FixedFromDouble(X)); }

void RGBToCMYK(const int32_t* RGB, int32_t* CMYK) {
  const int32_t c = ClampFixed(int64_t(kFixedOne) - RGB[0]);
  const int32_t m = ClampFixed(int64_t(kFixedOne) - RGB[1]);
  const int32_t y = ClampFixed(int64_t(kFixedOne) - RGB[2]);
  const int32_t k = std::min(c, std::min(m, y));
  CMYK[0] = c - k;
  CMYK[1] = m - k;
  CMYK[2] = y - k;
  CMYK[3] = k;
}

int32_t GrayOf299(const int32_t* RGB) {
  return ClampFixed(RoundFixed(0.299 * RGB[0] + 0.587 * RGB[1] + 0.114 * RGB[2] + 0.5));
}

// RGB of the 16 corners of the CMYK cube, indexed by C*8 + M*4 + Y*2 + K.
constexpr double kCMYKCorners[16][3] = {
    {1, 1, 1},           {0.1373, 0.1216, 0.1255}, {1, 0.949, 0},       {0.1098, 0.102, 0},
    {0.9255, 0, 0.549},  {0.1412, 0, 0},           {0.9294, 0.1098, 0.1412}, {0.1333, 0, 0},
    {0, 0.6784, 0.9373}, {0, 0.0588, 0.1412},      {0, 0.651, 0.3137},  {0, 0.0745, 0},
    {0.1804, 0.1922, 0.5725}, {0, 0, 0.0078},      {0.2118, 0.2119, 0.2235}, {0, 0, 0},
};

void Fill(TvlPDColor& Color, int32_t V) { Color.fill(V); }

}  // namespace

// ---- base

TvlPDColorSpace::~TvlPDColorSpace() = default;

void TvlPDColorSpace::InitialColor(TvlPDColor& Color) const { Fill(Color, 0); }

void TvlPDColorSpace::DefaultDecodeRanges(double* Low, double* Span, double) const {
  const int n = std::clamp(ComponentCount(), 0, kMaxColorComponents);
  for (int i = 0; i < n; ++i) {
    Low[i] = 0;
    Span[i] = 1.0;
  }
}

// ---- DeviceGray, CalGray

void TvlPDDeviceGrayColorSpace::ToGray(const TvlPDColor& C, int32_t& Gray) const {
  Gray = ClampFixed(C[0]);
}
void TvlPDDeviceGrayColorSpace::ToRGB(const TvlPDColor& C, int32_t* RGB) const {
  RGB[0] = RGB[1] = RGB[2] = ClampFixed(C[0]);
}
void TvlPDDeviceGrayColorSpace::ToCMYK(const TvlPDColor& C, int32_t* CMYK) const {
  CMYK[0] = CMYK[1] = CMYK[2] = 0;
  CMYK[3] = ClampFixed(int64_t(kFixedOne) - C[0]);
}
std::unique_ptr<TvlPDColorSpace> TvlPDDeviceGrayColorSpace::Copy() const {
  return std::make_unique<TvlPDDeviceGrayColorSpace>(*this);
}
std::unique_ptr<TvlPDColorSpace> TvlPDCalGrayColorSpace::Copy() const {
  return std::make_unique<TvlPDCalGrayColorSpace>(*this);
}

// ---- DeviceRGB, CalRGB

void TvlPDDeviceRGBColorSpace::ToGray(const TvlPDColor& C, int32_t& Gray) const {
  Gray = ClampFixed(RoundFixed(0.3 * C[0] + 0.59 * C[1] + 0.11 * C[2] + 0.5));
}
void TvlPDDeviceRGBColorSpace::ToRGB(const TvlPDColor& C, int32_t* RGB) const {
  for (int i = 0; i < 3; ++i) RGB[i] = ClampFixed(C[i]);
}
void TvlPDDeviceRGBColorSpace::ToCMYK(const TvlPDColor& C, int32_t* CMYK) const {
  RGBToCMYK(C.data(), CMYK);
}
std::unique_ptr<TvlPDColorSpace> TvlPDDeviceRGBColorSpace::Copy() const {
  return std::make_unique<TvlPDDeviceRGBColorSpace>(*this);
}
void TvlPDCalRGBColorSpace::ToGray(const TvlPDColor& C, int32_t& Gray) const {
  Gray = GrayOf299(C.data());
}
std::unique_ptr<TvlPDColorSpace> TvlPDCalRGBColorSpace::Copy() const {
  return std::make_unique<TvlPDCalRGBColorSpace>(*this);
}

// ---- DeviceCMYK

void TvlPDDeviceCMYKColorSpace::InitialColor(TvlPDColor& Color) const {
  Fill(Color, 0);
  Color[3] = kFixedOne;
}
void TvlPDDeviceCMYKColorSpace::ToGray(const TvlPDColor& C, int32_t& Gray) const {
  Gray = RoundFixed(65536.0 - C[3] - 0.3 * C[0] - 0.59 * C[1] - 0.11 * C[2] + 0.5);
}
void TvlPDDeviceCMYKColorSpace::ToRGB(const TvlPDColor& C, int32_t* RGB) const {
  double v[4];
  for (int i = 0; i < 4; ++i) v[i] = FixedToDouble(C[i]);
  double r = 0, g = 0, b = 0;
  for (int corner = 0; corner < 16; ++corner) {
    double w = 1;
    for (int i = 0; i < 4; ++i) w *= (corner >> (3 - i)) & 1 ? v[i] : 1 - v[i];
    r += w * kCMYKCorners[corner][0];
    g += w * kCMYKCorners[corner][1];
    b += w * kCMYKCorners[corner][2];
  }
  RGB[0] = Clamp01(r);
  RGB[1] = Clamp01(g);
  RGB[2] = Clamp01(b);
}
void TvlPDDeviceCMYKColorSpace::ToCMYK(const TvlPDColor& C, int32_t* CMYK) const {
  for (int i = 0; i < 4; ++i) CMYK[i] = ClampFixed(C[i]);
}
std::unique_ptr<TvlPDColorSpace> TvlPDDeviceCMYKColorSpace::Copy() const {
  return std::make_unique<TvlPDDeviceCMYKColorSpace>(*this);
}

// ---- Lab

namespace {
constexpr double kXYZToRGB[3][3] = {{3.240449, -1.537136, -0.498531},
                                    {-0.969265, 1.876011, 0.041556},
                                    {0.055643, -0.204026, 1.057229}};
}

void TvlPDLabColorSpace::ComputeFactors() {
  double k[3];
  for (int i = 0; i < 3; ++i) {
    const double s = kXYZToRGB[i][0] * WhitePoint[0] + kXYZToRGB[i][1] * WhitePoint[1] +
                     kXYZToRGB[i][2] * WhitePoint[2];
    k[i] = s != 0 ? 1 / s : 1;
  }
  kR = k[0];
  kG = k[1];
  kB = k[2];
}

void TvlPDLabColorSpace::InitialColor(TvlPDColor& Color) const {
  Fill(Color, 0);
  auto pick = [](double lo, double hi) { return lo > 0 ? lo : (hi < 0 ? hi : 0.0); };
  Color[1] = FixedFromDouble(pick(Range[0], Range[1]));
  Color[2] = FixedFromDouble(pick(Range[2], Range[3]));
}

void TvlPDLabColorSpace::DefaultDecodeRanges(double* Low, double* Span, double) const {
  Low[0] = 0;
  Span[0] = 100;
  Low[1] = Range[0];
  Span[1] = Range[1] - Range[0];
  Low[2] = Range[2];
  Span[2] = Range[3] - Range[2];
}

void TvlPDLabColorSpace::ToRGB(const TvlPDColor& C, int32_t* RGB) const {
  const double L = FixedToDouble(C[0]), A = FixedToDouble(C[1]), B = FixedToDouble(C[2]);
  const double t1 = (L + 16) / 116, t2 = t1 + A / 500, t3 = t1 - B / 200;
  auto f = [](double t) { return t >= 6.0 / 29 ? t * t * t : (108.0 / 841) * (t - 4.0 / 29); };
  const double xyz[3] = {f(t2) * WhitePoint[0], f(t1) * WhitePoint[1], f(t3) * WhitePoint[2]};
  const double k[3] = {kR, kG, kB};
  for (int i = 0; i < 3; ++i) {
    const double ch = kXYZToRGB[i][0] * xyz[0] + kXYZToRGB[i][1] * xyz[1] + kXYZToRGB[i][2] * xyz[2];
    RGB[i] = FixedFromDouble(std::sqrt(std::clamp(ch * k[i], 0.0, 1.0)));
  }
}
void TvlPDLabColorSpace::ToGray(const TvlPDColor& C, int32_t& Gray) const {
  int32_t rgb[3];
  ToRGB(C, rgb);
  Gray = GrayOf299(rgb);
}
void TvlPDLabColorSpace::ToCMYK(const TvlPDColor& C, int32_t* CMYK) const {
  int32_t rgb[3];
  ToRGB(C, rgb);
  RGBToCMYK(rgb, CMYK);
}
std::unique_ptr<TvlPDColorSpace> TvlPDLabColorSpace::Copy() const {
  return std::make_unique<TvlPDLabColorSpace>(*this);
}

// ---- ICCBased: everything through the alternate; without one, black.

void TvlPDICCBasedColorSpace::InitialColor(TvlPDColor& Color) const {
  Fill(Color, 0);
  for (int i = 0; i < std::min(N, kMaxColorComponents); ++i)
    Color[i] = FixedFromDouble(RangeLow[i] > 0 ? RangeLow[i] : (RangeHigh[i] < 0 ? RangeHigh[i] : 0));
}
void TvlPDICCBasedColorSpace::DefaultDecodeRanges(double* Low, double* Span, double M) const {
  if (Alternate) {
    Alternate->DefaultDecodeRanges(Low, Span, M);
  } else {
    TvlPDColorSpace::DefaultDecodeRanges(Low, Span, M);
  }
}
void TvlPDICCBasedColorSpace::ToGray(const TvlPDColor& C, int32_t& Gray) const {
  if (Alternate) Alternate->ToGray(C, Gray); else Gray = 0;
}
void TvlPDICCBasedColorSpace::ToRGB(const TvlPDColor& C, int32_t* RGB) const {
  if (Alternate) Alternate->ToRGB(C, RGB); else RGB[0] = RGB[1] = RGB[2] = 0;
}
void TvlPDICCBasedColorSpace::ToCMYK(const TvlPDColor& C, int32_t* CMYK) const {
  if (Alternate) {
    Alternate->ToCMYK(C, CMYK);
  } else {
    CMYK[0] = CMYK[1] = CMYK[2] = 0;
    CMYK[3] = kFixedOne;
  }
}
std::unique_ptr<TvlPDColorSpace> TvlPDICCBasedColorSpace::Copy() const {
  auto s = std::make_unique<TvlPDICCBasedColorSpace>();
  s->Name = Name;
  s->N = N;
  if (Alternate) s->Alternate = Alternate->Copy();
  std::copy(std::begin(RangeLow), std::end(RangeLow), s->RangeLow);
  std::copy(std::begin(RangeHigh), std::end(RangeHigh), s->RangeHigh);
  return s;
}

// ---- Indexed

void TvlPDIndexedColorSpace::DefaultDecodeRanges(double* Low, double* Span, double MaxPixel) const {
  Low[0] = 0;
  Span[0] = MaxPixel;
}

bool TvlPDIndexedColorSpace::ToBase(const TvlPDColor& C, TvlPDColor& BaseColor) const {
  BaseColor.fill(0);
  if (!Base) return false;
  const int n = std::clamp(Base->ComponentCount(), 0, kMaxColorComponents);
  const int k = static_cast<int>(std::clamp(std::nearbyint(FixedToDouble(C[0])), 0.0, double(HiVal)));
  double low[kMaxColorComponents], span[kMaxColorComponents];
  Base->DefaultDecodeRanges(low, span, HiVal);
  for (int i = 0; i < n; ++i) {
    const size_t at = size_t(k) * n + i;
    const double byte = at < Lookup.size() ? static_cast<unsigned char>(Lookup[at]) : 0;
    BaseColor[i] = FixedFromDouble(low[i] + (byte / 255) * span[i]);
  }
  return true;
}
void TvlPDIndexedColorSpace::ToGray(const TvlPDColor& C, int32_t& Gray) const {
  TvlPDColor b;
  if (ToBase(C, b)) Base->ToGray(b, Gray); else Gray = 0;
}
void TvlPDIndexedColorSpace::ToRGB(const TvlPDColor& C, int32_t* RGB) const {
  TvlPDColor b;
  if (ToBase(C, b)) Base->ToRGB(b, RGB); else RGB[0] = RGB[1] = RGB[2] = 0;
}
void TvlPDIndexedColorSpace::ToCMYK(const TvlPDColor& C, int32_t* CMYK) const {
  TvlPDColor b;
  if (ToBase(C, b)) {
    Base->ToCMYK(b, CMYK);
  } else {
    CMYK[0] = CMYK[1] = CMYK[2] = 0;
    CMYK[3] = kFixedOne;
  }
}
std::unique_ptr<TvlPDColorSpace> TvlPDIndexedColorSpace::Copy() const {
  auto s = std::make_unique<TvlPDIndexedColorSpace>();
  s->Name = Name;
  if (Base) s->Base = Base->Copy();
  s->HiVal = HiVal;
  s->Lookup = Lookup;
  return s;
}

// ---- Separation

TvlPDSeparationColorSpace::TvlPDSeparationColorSpace() = default;
TvlPDSeparationColorSpace::~TvlPDSeparationColorSpace() = default;

void TvlPDSeparationColorSpace::InitialColor(TvlPDColor& Color) const {
  if (!TintTransform && Alternate && Alternate->Family() == cfDeviceCMYK &&
      (ColorantName == "Black" || ColorantName == "Cyan" || ColorantName == "Magenta" ||
       ColorantName == "Yellow")) {
    Alternate->InitialColor(Color);
    return;
  }
  Fill(Color, 0);
  Color[0] = kFixedOne;
}

void TvlPDSeparationColorSpace::ToAlternate(const TvlPDColor& C, TvlPDColor& Alt) const {
  Alt.fill(0);
  if (!TintTransform) return;
  double in[kMaxFunctionArity] = {}, out[kMaxFunctionArity] = {};
  in[0] = FixedToDouble(C[0]);
  TintTransform->Evaluate(in, out);
  const int n = std::clamp(Alternate->ComponentCount(), 0, kMaxColorComponents);
  for (int i = 0; i < n; ++i) Alt[i] = FixedFromDouble(out[i]);
}

void TvlPDSeparationColorSpace::ToRGB(const TvlPDColor& C, int32_t* RGB) const {
  if (!Alternate) {
    RGB[0] = RGB[1] = RGB[2] = 0;
    return;
  }
  TvlPDColor alt;
  if (TintTransform) {
    ToAlternate(C, alt);
  } else {
    Alternate->InitialColor(alt);
    if (ColorantName == "Black") alt[3] = C[0];
  }
  Alternate->ToRGB(alt, RGB);
}
void TvlPDSeparationColorSpace::ToGray(const TvlPDColor& C, int32_t& Gray) const {
  Gray = 0;
  if (!Alternate) return;
  TvlPDColor alt;
  ToAlternate(C, alt);
  Alternate->ToGray(alt, Gray);
}
void TvlPDSeparationColorSpace::ToCMYK(const TvlPDColor& C, int32_t* CMYK) const {
  CMYK[0] = CMYK[1] = CMYK[2] = CMYK[3] = 0;
  if (!Alternate) return;
  TvlPDColor alt;
  ToAlternate(C, alt);
  Alternate->ToCMYK(alt, CMYK);
}
std::unique_ptr<TvlPDColorSpace> TvlPDSeparationColorSpace::Copy() const {
  auto s = std::make_unique<TvlPDSeparationColorSpace>();
  s->Name = Name;
  s->ColorantName = ColorantName;
  if (Alternate) s->Alternate = Alternate->Copy();
  if (TintTransform) s->TintTransform = TintTransform->Copy();
  s->IsNone = IsNone;
  return s;
}

// ---- DeviceN

TvlPDDeviceNColorSpace::TvlPDDeviceNColorSpace() = default;
TvlPDDeviceNColorSpace::~TvlPDDeviceNColorSpace() = default;

void TvlPDDeviceNColorSpace::InitialColor(TvlPDColor& Color) const {
  Fill(Color, 0);
  for (int i = 0; i < ColorantCount; ++i) Color[i] = kFixedOne;
}

bool TvlPDDeviceNColorSpace::ToAlternate(const TvlPDColor& C, TvlPDColor& Alt) const {
  Alt.fill(0);
  if (!Alternate || !TintTransform) return false;
  double in[kMaxFunctionArity] = {}, out[kMaxFunctionArity] = {};
  for (int i = 0; i < ColorantCount; ++i) in[i] = FixedToDouble(C[i]);
  TintTransform->Evaluate(in, out);
  const int n = std::clamp(Alternate->ComponentCount(), 0, kMaxColorComponents);
  for (int i = 0; i < n; ++i) Alt[i] = FixedFromDouble(out[i]);
  return true;
}
// Without a usable tint transform the colour is black.
void TvlPDDeviceNColorSpace::ToRGB(const TvlPDColor& C, int32_t* RGB) const {
  TvlPDColor alt;
  if (ToAlternate(C, alt)) Alternate->ToRGB(alt, RGB); else RGB[0] = RGB[1] = RGB[2] = 0;
}
void TvlPDDeviceNColorSpace::ToGray(const TvlPDColor& C, int32_t& Gray) const {
  TvlPDColor alt;
  if (ToAlternate(C, alt)) Alternate->ToGray(alt, Gray); else Gray = 0;
}
void TvlPDDeviceNColorSpace::ToCMYK(const TvlPDColor& C, int32_t* CMYK) const {
  TvlPDColor alt;
  if (ToAlternate(C, alt)) {
    Alternate->ToCMYK(alt, CMYK);
  } else {
    CMYK[0] = CMYK[1] = CMYK[2] = 0;
    CMYK[3] = kFixedOne;
  }
}
std::unique_ptr<TvlPDColorSpace> TvlPDDeviceNColorSpace::Copy() const {
  auto s = std::make_unique<TvlPDDeviceNColorSpace>();
  s->Name = Name;
  s->ColorantCount = ColorantCount;
  for (int i = 0; i < kMaxColorComponents; ++i) s->ColorantNames[i] = ColorantNames[i];
  if (Alternate) s->Alternate = Alternate->Copy();
  if (TintTransform) s->TintTransform = TintTransform->Copy();
  return s;
}

// ---- Pattern: patterns are not painted, so everything is black.

void TvlPDPatternColorSpace::InitialColor(TvlPDColor& Color) const { Fill(Color, 0); }
void TvlPDPatternColorSpace::ToGray(const TvlPDColor&, int32_t& Gray) const { Gray = 0; }
void TvlPDPatternColorSpace::ToRGB(const TvlPDColor&, int32_t* RGB) const {
  RGB[0] = RGB[1] = RGB[2] = 0;
}
void TvlPDPatternColorSpace::ToCMYK(const TvlPDColor&, int32_t* CMYK) const {
  CMYK[0] = CMYK[1] = CMYK[2] = 0;
  CMYK[3] = 1;
}
std::unique_ptr<TvlPDColorSpace> TvlPDPatternColorSpace::Copy() const {
  auto s = std::make_unique<TvlPDPatternColorSpace>();
  s->Name = Name;
  if (Underlying) s->Underlying = Underlying->Copy();
  return s;
}

std::unique_ptr<TvlPDColorSpace> DeviceColorSpaceFromName(std::string_view N) {
  if (N == "DeviceGray" || N == "G") return std::make_unique<TvlPDDeviceGrayColorSpace>();
  if (N == "DeviceRGB" || N == "RGB") return std::make_unique<TvlPDDeviceRGBColorSpace>();
  if (N == "DeviceCMYK" || N == "CMYK") return std::make_unique<TvlPDDeviceCMYKColorSpace>();
  return nullptr;
}
