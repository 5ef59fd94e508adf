// Metrics of the 14 standard fonts (Adobe Core 14 AFM data).
#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "pdf/fonts/PDEncoding.h"

namespace vl::fontdata {
struct TvlStandardFontMetrics;
}

class TvlBuiltInFont {
public:
  // The metrics of one of the 14 standard names (exact comparison); null for
  // any other name. Aliases such as Arial are resolved by the caller.
  static std::unique_ptr<TvlBuiltInFont> CreateStandard(std::string_view Name);

  std::string_view FontName() const;
  double Ascender() const;   // glyph units
  double Descender() const;  // glyph units
  // Left, Bottom, Right, Top in glyph units.
  std::array<double, 4> FontBBox() const;
  // "StandardEncoding" for the Latin fonts, "CustomEncoding" for Symbol and
  // ZapfDingbats.
  std::string_view EncodingName() const;
  vl::TvlEncodingTable Encoding() const;
  // AFM advance of a glyph in glyph units; -1 for an empty or unknown name.
  double GetGlyphWidth(std::string_view GlyphName) const;
  std::size_t GlyphCount() const;

private:
  explicit TvlBuiltInFont(const vl::fontdata::TvlStandardFontMetrics& m) : Metrics(m) {}
  const vl::fontdata::TvlStandardFontMetrics& Metrics;
};
