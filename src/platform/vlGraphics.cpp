#include "platform/vlGraphics.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <strings.h>

#include "platform/vlSystem.h"

namespace {

struct ColorName {
  TColor Value;
  const char* Name;
};

// Standard colours first, so a value shared by two names (clSilver/clLtGray)
// gets the first.
constexpr ColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

// The standard desktop colour scheme, by system colour index (as TColor values).
constexpr TColor kSystemColors[31] = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x544E43, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0,
};

}  // namespace

TColor ColorToRGB(TColor Color) {
  if (Color < 0) {
    int index = Color & 0xFF;
    return index < 31 ? kSystemColors[index] : 0;
  }
  return Color;
}

bool ColorToIdent(TColor Color, AnsiString& Ident) {
  for (const ColorName& c : kColorNames) {
    if (c.Value == Color) {
      Ident = c.Name;
      return true;
    }
  }
  return false;
}

AnsiString ColorToString(TColor Color) {
  AnsiString name;
  if (ColorToIdent(Color, name)) return name;
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08X", static_cast<uint32_t>(Color));
  return buf;
}

TColor StringToColor(const AnsiString& S) {
  for (const ColorName& c : kColorNames)
    if (strcasecmp(c.Name, S.c_str()) == 0) return c.Value;
  const char* p = S.c_str();
  int base = 10;
  if (*p == '$') {
    base = 16;
    ++p;
  } else if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    base = 16;
    p += 2;
  }
  char* end = nullptr;
  long long v = *p ? std::strtoll(p, &end, base) : 0;
  if (!*p || *end || v < INT32_MIN || v > UINT32_MAX)
    throw EConvertError("'" + S + "' is not a valid integer value");
  return static_cast<TColor>(static_cast<uint32_t>(v));
}

void TFont::Assign(const TPersistent& Source) {
  if (auto* f = dynamic_cast<const TFont*>(&Source)) {
    *this = *f;
    return;
  }
  TPersistent::Assign(Source);
}

int TFont::Height() const {
  return -static_cast<int>(std::lround(Size * static_cast<double>(vl::kScreenPixelsPerInch) / 72.0));
}

void TFont::SetHeight(int Value) {
  Size = static_cast<int>(std::lround(std::abs(Value) * 72.0 / vl::kScreenPixelsPerInch));
}

void TPen::Assign(const TPersistent& Source) {
  if (auto* p = dynamic_cast<const TPen*>(&Source)) {
    *this = *p;
    return;
  }
  TPersistent::Assign(Source);
}

void TBrush::Assign(const TPersistent& Source) {
  if (auto* b = dynamic_cast<const TBrush*>(&Source)) {
    *this = *b;
    return;
  }
  TPersistent::Assign(Source);
}
