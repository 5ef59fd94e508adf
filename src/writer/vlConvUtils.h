// Length units, screen resolution, text measuring, string helpers and the
// page-range test shared by the converter's units.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/vlBase.h"
#include "platform/vlGraphics.h"
#include "platform/vlSystem.h"

enum TvlMeasurementUnit : uint8_t { muPixel, muInch, muMillimetre, muPoint, muTwip };

// Rectangles and points of the writer calls; y grows downward.
struct TvlDoubleRect {
  double Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TvlDoubleRect&) const = default;
};
struct TvlDoublePoint {
  double X = 0, Y = 0;
  bool operator==(const TvlDoublePoint&) const = default;
};
using TvlDoubleArr = std::vector<double>;

// The screen's logical pixels per inch and pixels per point, fixed for the
// life of the process.
inline constexpr int ScreenPixelsPerInch = vl::kScreenPixelsPerInch;
inline constexpr double PixelsPerPoint = ScreenPixelsPerInch / 72.0;

// Pixels per one unit; any value outside the enumeration counts as pixels.
constexpr double Factor(TvlMeasurementUnit Unit) {
  switch (Unit) {
    case muPixel: return 1.0;
    case muInch: return 72.0 * PixelsPerPoint;
    case muMillimetre: return 2.83464 * PixelsPerPoint;
    case muPoint: return PixelsPerPoint;
    case muTwip: return 0.05 * PixelsPerPoint;
  }
  return 1.0;
}

// Width and height in screen pixels of Text set in Font (8-bit text is read
// in the ANSI code page).
TSize TextExtent(const AnsiString& Text, const TFont& Font);
TSize TextExtent(const WideString& Text, const TFont& Font);

// The first / last Count characters of S, counted on its wide form.
// Wide text in the ANSI code page; characters it lacks become "?".
AnsiString NarrowToAnsi(const WideString& W);

WideString LeftStr(const WideString& S, int Count);
WideString RightStr(const WideString& S, int Count);
AnsiString LeftStr(const AnsiString& S, int Count);
AnsiString RightStr(const AnsiString& S, int Count);
// 1-based position of Sub in S at or after Start (1-based); 0 when absent.
int PosFrom(const AnsiString& Sub, const AnsiString& S, int Start);
AnsiString ReplaceAllIgnoreCase(const AnsiString& S, const AnsiString& Old, const AnsiString& New);
bool ContainsIgnoreCase(const AnsiString& S, const AnsiString& Sub);
// Two upper-case hexadecimal digits per byte.
AnsiString BytesToHex(const uint8_t* Bytes, size_t Count);
AnsiString BytesToHex(const std::vector<uint8_t>& Bytes);
AnsiString BytesToHex(std::string_view Bytes);
// The two-character groups of S from the last to the first; an odd leading
// character is dropped.
AnsiString ReverseBytePairs(const AnsiString& S);

// Trims characters up to and including the blank from both ends.
AnsiString TrimBlanks(const AnsiString& S);
// Reads a decimal 32-bit integer (optional sign, optional "$"/"0x" hex) or
// raises EConvertError "'%s' is not a valid integer value".
int32_t StrToInt(const AnsiString& S);
// Splits S as a comma-separated list: commas and blanks separate items,
// leading blanks are skipped, double quotes enclose an item.
std::vector<AnsiString> SplitCommaText(const AnsiString& S);

// Whether page PageNumber is selected by Range: a blank range selects every
// page; otherwise the first item that contains the page decides. Items are
// numbers or "start-end"; an item with a character other than digits and "-"
// is skipped; an unreadable number raises EConvertError when its item is
// examined.
bool IsPageInRange(const AnsiString& Range, int PageNumber);
// How many of the pages 1..PageCount Range selects.
int CountPagesInRange(const AnsiString& Range, int PageCount);

// A page range split once, for testing many pages.
class TvlPageRange {
public:
  explicit TvlPageRange(const AnsiString& Range);
  bool Contains(int PageNumber) const;
  bool All() const { return FAll; }

private:
  bool FAll = false;
  std::vector<AnsiString> FItems;
};
