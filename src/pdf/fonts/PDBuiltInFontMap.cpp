#include "pdf/fonts/PDBuiltInFontMap.h"

#include <algorithm>

#include "pdf/fonts/PDFontTables.h"
#include "pdf/fonts/PDStdFontMap.h"

std::unique_ptr<TvlBuiltInFont> TvlBuiltInFont::CreateStandard(std::string_view Name) {
  int index = vl::StandardFontIndex(Name);
  if (index < 0) return nullptr;
  return std::unique_ptr<TvlBuiltInFont>(new TvlBuiltInFont(vl::fontdata::kStandardFonts[index]));
}

std::string_view TvlBuiltInFont::FontName() const { return Metrics.FontName; }
double TvlBuiltInFont::Ascender() const { return Metrics.Ascender; }
double TvlBuiltInFont::Descender() const { return Metrics.Descender; }

std::array<double, 4> TvlBuiltInFont::FontBBox() const {
  return {double(Metrics.FontBBox[0]), double(Metrics.FontBBox[1]), double(Metrics.FontBBox[2]),
          double(Metrics.FontBBox[3])};
}

std::string_view TvlBuiltInFont::EncodingName() const { return Metrics.EncodingName; }
vl::TvlEncodingTable TvlBuiltInFont::Encoding() const { return Metrics.Encoding; }
std::size_t TvlBuiltInFont::GlyphCount() const { return Metrics.WidthCount; }

double TvlBuiltInFont::GetGlyphWidth(std::string_view GlyphName) const {
  if (GlyphName.empty()) return -1;
  const auto* begin = Metrics.Widths;
  const auto* end = begin + Metrics.WidthCount;
  const auto* it = std::lower_bound(
      begin, end, GlyphName,
      [](const vl::fontdata::TvlGlyphWidth& e, std::string_view n) { return std::string_view(e.Name) < n; });
  return (it != end && it->Name == GlyphName) ? it->Width : -1;
}
