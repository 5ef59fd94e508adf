// Choosing the output font for a PDF font: its name is cleaned of subset
// tags and style words and matched against the installed font families.
#pragma once

#include <vector>

#include "platform/vlBase.h"

namespace vlextract {

// Removes ",", "+" and "-", the first "PS" and the first "MT"; a "Bold" or
// "Italic" in the name is removed and reported. ABCDEF+TimesNewRomanPS-BoldMT
// gives ABCDEFTimesNewRoman, bold.
AnsiString NormaliseFontName(const AnsiString& Name, bool& Bold, bool& Italic);

// The installed family names, with their space-free forms for matching.
class TvlInstalledFonts {
public:
  explicit TvlInstalledFonts(std::vector<AnsiString> Names);
  const std::vector<AnsiString>& Names() const { return Names_; }
  // Some installed name is contained, ignoring case, in "Arial Unicode MS".
  bool ArialUnicodeListed() const { return ArialUnicodeListed_; }
  // The installed family for a normalised PDF font name: the longest
  // installed name whose space-free form the name contains (ignoring case);
  // without one "Arial Unicode MS" when that is listed, else the first
  // installed name (empty when none is installed).
  AnsiString Match(const AnsiString& Normalised) const;

private:
  std::vector<AnsiString> Names_;
  std::vector<AnsiString> CompactLower_;
  bool ArialUnicodeListed_ = false;
};

// A 16.16 colour component as a byte: round(v * 255 / 65536), halves to
// even, clamped to 0..255.
int ColorComponentToByte(int32_t Value);

}  // namespace vlextract
