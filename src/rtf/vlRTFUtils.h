// Small helpers shared by every RTF element: text escaping, twips
// conversion and number formatting. All of them append to a caller's buffer
// so that a whole document renders into one growing string.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/vlBase.h"

namespace vl::rtf {

// RTF line end: the two bytes 13 10.
inline constexpr std::string_view CRLF = "\r\n";

// Appends Text as RTF: codes below 256 as one byte with \ { } escaped,
// everything else as \uN? with N the signed 16-bit value of the code unit.
void AppendEncodedText(AnsiString& out, std::u16string_view text);
AnsiString EncodeText(std::u16string_view text);

// Appends 8-bit text (font and style names) with \ { } escaped.
void AppendEscapedAnsi(AnsiString& out, std::string_view text);

// Nearest integer, ties to even; non-finite values give 0 and values beyond
// the 32-bit range are clamped, so malformed sizes cannot produce
// unreadable control words.
int64_t RoundHalfEven(double value);

// round(pixels × twipsPerPixel), ties to even.
inline int64_t Twips(double pixels, double twipsPerPixel) {
  return RoundHalfEven(pixels * twipsPerPixel);
}

void AppendInt(AnsiString& out, int64_t value);

// Appends a control word and its decimal parameter: "\paperw" 12240.
inline void AppendWord(AnsiString& out, std::string_view word, int64_t value) {
  out.append(word);
  AppendInt(out, value);
}

// Appends a control word followed by a length in twips.
inline void AppendTwips(AnsiString& out, std::string_view word, double pixels,
                        double twipsPerPixel) {
  AppendWord(out, word, Twips(pixels, twipsPerPixel));
}

}  // namespace vl::rtf
