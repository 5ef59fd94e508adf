// Colour spaces: component values are 16.16 fixed point (65536 = 1.0) and
// every space converts them to gray, RGB and CMYK. No ICC profile is ever
// interpreted: ICC-based spaces convert through their alternate device space.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/vlBase.h"

class TvlPDBaseObject;
class TvlPDFunction;

constexpr int kMaxColorComponents = 32;
using TvlPDColor = std::array<int32_t, kMaxColorComponents>;

// Family codes.
enum : uint8_t {
  cfDeviceGray = 0,
  cfCalGray = 1,
  cfDeviceRGB = 2,
  cfCalRGB = 3,
  cfDeviceCMYK = 4,
  cfLab = 5,
  cfICCBased = 6,
  cfIndexed = 7,
  cfSeparation = 8,
  cfDeviceN = 9,
  cfPattern = 10,
};

constexpr int32_t kFixedOne = 65536;
// Double to 16.16 by truncation toward zero (saturating, so huge values stay finite).
int32_t FixedFromDouble(double X);
inline double FixedToDouble(int32_t X) { return X / 65536.0; }
inline int32_t ClampFixed(int64_t X) {
  return X < 0 ? 0 : (X > kFixedOne ? kFixedOne : static_cast<int32_t>(X));
}

class TvlPDColorSpace {
public:
  virtual ~TvlPDColorSpace();
  // Resource key under which the space was found; empty otherwise.
  AnsiString Name;

  virtual void InitialColor(TvlPDColor& Color) const;
  virtual int ComponentCount() const = 0;
  virtual uint8_t Family() const = 0;
  // Default image Decode range per component; the base gives 0..1 each.
  virtual void DefaultDecodeRanges(double* Low, double* Span, double MaxPixel) const;
  virtual void ToGray(const TvlPDColor& Color, int32_t& Gray) const = 0;
  virtual void ToRGB(const TvlPDColor& Color, int32_t* RGB) const = 0;
  virtual void ToCMYK(const TvlPDColor& Color, int32_t* CMYK) const = 0;
  virtual std::unique_ptr<TvlPDColorSpace> Copy() const = 0;
};

class TvlPDDeviceGrayColorSpace : public TvlPDColorSpace {
public:
  int ComponentCount() const override { return 1; }
  uint8_t Family() const override { return cfDeviceGray; }
  void ToGray(const TvlPDColor& Color, int32_t& Gray) const override;
  void ToRGB(const TvlPDColor& Color, int32_t* RGB) const override;
  void ToCMYK(const TvlPDColor& Color, int32_t* CMYK) const override;
  std::unique_ptr<TvlPDColorSpace> Copy() const override;
};

class TvlPDCalGrayColorSpace : public TvlPDDeviceGrayColorSpace {
public:
  double WhitePoint[3] = {1, 1, 1}, BlackPoint[3] = {0, 0, 0}, Gamma = 1;
  uint8_t Family() const override { return cfCalGray; }
  std::unique_ptr<TvlPDColorSpace> Copy() const override;
};

class TvlPDDeviceRGBColorSpace : public TvlPDColorSpace {
public:
  int ComponentCount() const override { return 3; }
  uint8_t Family() const override { return cfDeviceRGB; }
  void ToGray(const TvlPDColor& Color, int32_t& Gray) const override;
  void ToRGB(const TvlPDColor& Color, int32_t* RGB) const override;
  void ToCMYK(const TvlPDColor& Color, int32_t* CMYK) const override;
  std::unique_ptr<TvlPDColorSpace> Copy() const override;
};

class TvlPDCalRGBColorSpace : public TvlPDDeviceRGBColorSpace {
public:
  double WhitePoint[3] = {1, 1, 1}, BlackPoint[3] = {0, 0, 0}, Gamma[3] = {1, 1, 1};
  double Matrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  uint8_t Family() const override { return cfCalRGB; }
  void ToGray(const TvlPDColor& Color, int32_t& Gray) const override;
  std::unique_ptr<TvlPDColorSpace> Copy() const override;
};

class TvlPDDeviceCMYKColorSpace : public TvlPDColorSpace {
public:
  void InitialColor(TvlPDColor& Color) const override;
  int ComponentCount() const override { return 4; }
  uint8_t Family() const override { return cfDeviceCMYK; }
  void ToGray(const TvlPDColor& Color, int32_t& Gray) const override;
  void ToRGB(const TvlPDColor& Color, int32_t* RGB) const override;
  void ToCMYK(const TvlPDColor& Color, int32_t* CMYK) const override;
  std::unique_ptr<TvlPDColorSpace> Copy() const override;
};

class TvlPDLabColorSpace : public TvlPDColorSpace {
public:
  TvlPDLabColorSpace() { ComputeFactors(); }
  double WhitePoint[3] = {1, 1, 1}, BlackPoint[3] = {0, 0, 0};
  double Range[4] = {-100, 100, -100, 100};
  double kR = 1, kG = 1, kB = 1;
  // Recomputes kR, kG, kB from the white point.
  void ComputeFactors();

  void InitialColor(TvlPDColor& Color) const override;
  int ComponentCount() const override { return 3; }
  uint8_t Family() const override { return cfLab; }
  void DefaultDecodeRanges(double* Low, double* Span, double MaxPixel) const override;
  void ToGray(const TvlPDColor& Color, int32_t& Gray) const override;
  void ToRGB(const TvlPDColor& Color, int32_t* RGB) const override;
  void ToCMYK(const TvlPDColor& Color, int32_t* CMYK) const override;
  std::unique_ptr<TvlPDColorSpace> Copy() const override;
};

class TvlPDICCBasedColorSpace : public TvlPDColorSpace {
public:
  int N = 0;
  std::unique_ptr<TvlPDColorSpace> Alternate;  // DeviceGray, DeviceRGB or DeviceCMYK
  double RangeLow[kMaxColorComponents] = {};
  double RangeHigh[kMaxColorComponents] = {};
  TvlPDICCBasedColorSpace() { std::fill(std::begin(RangeHigh), std::end(RangeHigh), 1.0); }

  void InitialColor(TvlPDColor& Color) const override;
  int ComponentCount() const override { return N; }
  uint8_t Family() const override { return cfICCBased; }
  void DefaultDecodeRanges(double* Low, double* Span, double MaxPixel) const override;
  void ToGray(const TvlPDColor& Color, int32_t& Gray) const override;
  void ToRGB(const TvlPDColor& Color, int32_t* RGB) const override;
  void ToCMYK(const TvlPDColor& Color, int32_t* CMYK) const override;
  std::unique_ptr<TvlPDColorSpace> Copy() const override;
};

class TvlPDIndexedColorSpace : public TvlPDColorSpace {
public:
  std::unique_ptr<TvlPDColorSpace> Base;
  int HiVal = 0;
  std::string Lookup;  // (HiVal + 1) * base component count bytes

  int ComponentCount() const override { return 1; }
  uint8_t Family() const override { return cfIndexed; }
  void DefaultDecodeRanges(double* Low, double* Span, double MaxPixel) const override;
  void ToGray(const TvlPDColor& Color, int32_t& Gray) const override;
  void ToRGB(const TvlPDColor& Color, int32_t* RGB) const override;
  void ToCMYK(const TvlPDColor& Color, int32_t* CMYK) const override;
  std::unique_ptr<TvlPDColorSpace> Copy() const override;
  // The colour in the base space for a palette index held as 16.16.
  bool ToBase(const TvlPDColor& Color, TvlPDColor& BaseColor) const;
};

class TvlPDSeparationColorSpace : public TvlPDColorSpace {
public:
  TvlPDSeparationColorSpace();
  ~TvlPDSeparationColorSpace() override;
  AnsiString ColorantName;
  std::unique_ptr<TvlPDColorSpace> Alternate;
  std::unique_ptr<TvlPDFunction> TintTransform;
  bool IsNone = false;

  void InitialColor(TvlPDColor& Color) const override;
  int ComponentCount() const override { return 1; }
  uint8_t Family() const override { return cfSeparation; }
  void ToGray(const TvlPDColor& Color, int32_t& Gray) const override;
  void ToRGB(const TvlPDColor& Color, int32_t* RGB) const override;
  void ToCMYK(const TvlPDColor& Color, int32_t* CMYK) const override;
  std::unique_ptr<TvlPDColorSpace> Copy() const override;

private:
  // Tint transform outputs as a colour of the alternate space.
  void ToAlternate(const TvlPDColor& Color, TvlPDColor& Alt) const;
};

class TvlPDDeviceNColorSpace : public TvlPDColorSpace {
public:
  TvlPDDeviceNColorSpace();
  ~TvlPDDeviceNColorSpace() override;
  int ColorantCount = 0;
  AnsiString ColorantNames[kMaxColorComponents];
  std::unique_ptr<TvlPDColorSpace> Alternate;
  std::unique_ptr<TvlPDFunction> TintTransform;

  void InitialColor(TvlPDColor& Color) const override;
  int ComponentCount() const override { return ColorantCount; }
  uint8_t Family() const override { return cfDeviceN; }
  void ToGray(const TvlPDColor& Color, int32_t& Gray) const override;
  void ToRGB(const TvlPDColor& Color, int32_t* RGB) const override;
  void ToCMYK(const TvlPDColor& Color, int32_t* CMYK) const override;
  std::unique_ptr<TvlPDColorSpace> Copy() const override;

private:
  bool ToAlternate(const TvlPDColor& Color, TvlPDColor& Alt) const;
};

class TvlPDPatternColorSpace : public TvlPDColorSpace {
public:
  std::unique_ptr<TvlPDColorSpace> Underlying;

  void InitialColor(TvlPDColor& Color) const override;
  int ComponentCount() const override { return 0; }
  uint8_t Family() const override { return cfPattern; }
  void ToGray(const TvlPDColor& Color, int32_t& Gray) const override;
  void ToRGB(const TvlPDColor& Color, int32_t* RGB) const override;
  void ToCMYK(const TvlPDColor& Color, int32_t* CMYK) const override;
  std::unique_ptr<TvlPDColorSpace> Copy() const override;
};

// Builds a new space (the caller owns it) from a name or an array; Name is
// stored in it. Null for anything not recognised (the name Pattern included:
// the interpreter handles it).
std::unique_ptr<TvlPDColorSpace> ColorSpaceFromObject(TvlPDBaseObject* Obj, const AnsiString& Name);
// A new space of a device family by its name or abbreviation, or null.
std::unique_ptr<TvlPDColorSpace> DeviceColorSpaceFromName(std::string_view Name);
