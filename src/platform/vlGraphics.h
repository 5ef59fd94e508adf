// Drawing-state objects: colour values (with the system colour constants),
// fonts, pens and brushes, plus small integer geometry records.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "platform/vlBase.h"
#include "platform/vlClasses.h"

// A colour value: 0x00BBGGRR for an RGB colour; 0x800000nn for system colour
// nn; clNone and clDefault are markers.
using TColor = int32_t;

constexpr TColor vlSysColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(index)); }
constexpr TColor RGBToColor(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<TColor>(r | (g << 8) | (b << 16));
}
constexpr uint8_t GetRValue(TColor c) { return static_cast<uint8_t>(c & 0xFF); }
constexpr uint8_t GetGValue(TColor c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
constexpr uint8_t GetBValue(TColor c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }

constexpr TColor clScrollBar = vlSysColor(0);
constexpr TColor clBackground = vlSysColor(1);
constexpr TColor clActiveCaption = vlSysColor(2);
constexpr TColor clInactiveCaption = vlSysColor(3);
constexpr TColor clMenu = vlSysColor(4);
constexpr TColor clWindow = vlSysColor(5);
constexpr TColor clWindowFrame = vlSysColor(6);
constexpr TColor clMenuText = vlSysColor(7);
constexpr TColor clWindowText = vlSysColor(8);
constexpr TColor clCaptionText = vlSysColor(9);
constexpr TColor clActiveBorder = vlSysColor(10);
constexpr TColor clInactiveBorder = vlSysColor(11);
constexpr TColor clAppWorkSpace = vlSysColor(12);
constexpr TColor clHighlight = vlSysColor(13);
constexpr TColor clHighlightText = vlSysColor(14);
constexpr TColor clBtnFace = vlSysColor(15);
constexpr TColor clBtnShadow = vlSysColor(16);
constexpr TColor clGrayText = vlSysColor(17);
constexpr TColor clBtnText = vlSysColor(18);
constexpr TColor clInactiveCaptionText = vlSysColor(19);
constexpr TColor clBtnHighlight = vlSysColor(20);
constexpr TColor cl3DDkShadow = vlSysColor(21);
constexpr TColor cl3DLight = vlSysColor(22);
constexpr TColor clInfoText = vlSysColor(23);
constexpr TColor clInfoBk = vlSysColor(24);
constexpr TColor clHotLight = vlSysColor(26);
constexpr TColor clGradientActiveCaption = vlSysColor(27);
constexpr TColor clGradientInactiveCaption = vlSysColor(28);
constexpr TColor clMenuHighlight = vlSysColor(29);
constexpr TColor clMenuBar = vlSysColor(30);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours resolve to the standard desktop scheme (there is no
// desktop to ask); every other value is returned unchanged.
TColor ColorToRGB(TColor Color);
// The name of the colour's constant ("clBlack", "clWindow", "clNone", ...)
// when it has one, else "$" and eight upper-case hexadecimal digits.
AnsiString ColorToString(TColor Color);
// The constant's name, or false when the value has none.
bool ColorToIdent(TColor Color, AnsiString& Ident);
// Inverse of ColorToString (names case-insensitive, "$hex" or decimal);
// raises EConvertError "'%s' is not a valid integer value" otherwise.
TColor StringToColor(const AnsiString& S);

struct TPoint {
  int X = 0, Y = 0;
  bool operator==(const TPoint&) const = default;
};
struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};
struct TSize {
  int cx = 0, cy = 0;
  bool operator==(const TSize&) const = default;
};

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TPrinterOrientation : uint8_t { poPortrait, poLandscape };
enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate };
enum TPenMode : uint8_t { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor };
enum TBrushStyle : uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of TFontStyle; the byte form has bit 0 bold, 1 italic, 2 underline, 3 strike-out.
class TFontStyles {
public:
  constexpr TFontStyles() = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
    for (TFontStyle s : styles) FBits |= static_cast<uint8_t>(1u << s);
  }
  static constexpr TFontStyles FromByte(uint8_t bits) {
    TFontStyles r;
    r.FBits = bits & 0x0F;
    return r;
  }
  constexpr uint8_t ToByte() const { return FBits; }
  constexpr bool Contains(TFontStyle s) const { return (FBits >> s) & 1u; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr void Include(TFontStyle s) { FBits |= static_cast<uint8_t>(1u << s); }
  constexpr void Exclude(TFontStyle s) { FBits &= static_cast<uint8_t>(~(1u << s)); }
  constexpr TFontStyles operator|(TFontStyles o) const { return FromByte(FBits | o.FBits); }
  constexpr TFontStyles operator|(TFontStyle s) const { return FromByte(FBits | (1u << s)); }
  constexpr TFontStyles operator&(TFontStyles o) const { return FromByte(FBits & o.FBits); }
  constexpr bool operator==(const TFontStyles&) const = default;

private:
  uint8_t FBits = 0;
};

using TFontCharset = uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset MAC_CHARSET = 77;
constexpr TFontCharset SHIFTJIS_CHARSET = 128;
constexpr TFontCharset HANGEUL_CHARSET = 129;
constexpr TFontCharset GB2312_CHARSET = 134;
constexpr TFontCharset CHINESEBIG5_CHARSET = 136;
constexpr TFontCharset GREEK_CHARSET = 161;
constexpr TFontCharset TURKISH_CHARSET = 162;
constexpr TFontCharset HEBREW_CHARSET = 177;
constexpr TFontCharset ARABIC_CHARSET = 178;
constexpr TFontCharset BALTIC_CHARSET = 186;
constexpr TFontCharset RUSSIAN_CHARSET = 204;
constexpr TFontCharset THAI_CHARSET = 222;
constexpr TFontCharset EASTEUROPE_CHARSET = 238;
constexpr TFontCharset OEM_CHARSET = 255;

// A text font as the drawing state carries it. Size is in whole points;
// Height is the matching (negative) cell height in screen pixels.
class TFont : public TPersistent {
public:
  AnsiString Name = "Tahoma";
  int Size = 8;
  TFontStyles Style;
  TColor Color = clWindowText;
  TFontCharset Charset = DEFAULT_CHARSET;
  TFontPitch Pitch = fpDefault;

  const char* ClassName() const override { return "TFont"; }
  void Assign(const TPersistent& Source) override;
  // -round(Size * ScreenPixelsPerInch / 72).
  int Height() const;
  // A negative height is a character height in pixels, a positive one a cell
  // height; both set Size to the rounded point value.
  void SetHeight(int Value);
  bool operator==(const TFont& o) const {
    return Name == o.Name && Size == o.Size && Style == o.Style && Color == o.Color && Charset == o.Charset &&
           Pitch == o.Pitch;
  }
};

class TPen : public TPersistent {
public:
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;

  const char* ClassName() const override { return "TPen"; }
  void Assign(const TPersistent& Source) override;
};

class TBrush : public TPersistent {
public:
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;

  const char* ClassName() const override { return "TBrush"; }
  void Assign(const TPersistent& Source) override;
};
