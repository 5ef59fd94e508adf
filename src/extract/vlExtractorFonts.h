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
  // The family used when no installed name matches: "Arial Unicode MS"
  // when it is installed; otherwise, when a name contained in it is (Arial),
  // the longest such name, so that the output names a font the reader has;
  // else the first installed name (empty when none is installed).
  const AnsiString& Fallback() const { return Fallback_; }
  // The installed family for a normalised PDF font name: the longest
  // installed name whose space-free form the name contains (ignoring case);
  // without one the fallback. Found (when given) says whether a name matched.
  AnsiString Match(const AnsiString& Normalised, bool* Found = nullptr) const;

private:
  std::vector<AnsiString> Names_;
  std::vector<AnsiString> CompactLower_;
  bool ArialUnicodeListed_ = false;
  AnsiString Fallback_;
};

// What a font's name says about its design, for fonts matched to no
// installed family: 'm' fixed pitch (Mono, Courier, Typewriter), 's' sans
// serif (Sans, Gothic, Arial, Helvetica), 'r' serif (Serif, Roman, Times
// and other common book faces), 0 when the name does not tell.
char DesignFromName(const AnsiString& Name);

// A 16.16 colour component as a byte: round(v * 255 / 65536), halves to
// even, clamped to 0..255.
int ColorComponentToByte(int32_t Value);

}  // namespace vlextract
