#include "pdf/fonts/PDAdobeGlyphList.h"

#include <algorithm>

#include "pdf/fonts/PDFontTables.h"

namespace vl {

namespace {

std::uint16_t Find(const fontdata::TvlGlyphUnicode* table, std::size_t count,
                   std::string_view name) {
  const auto* end = table + count;
  const auto* it = std::lower_bound(
      table, end, name,
      [](const fontdata::TvlGlyphUnicode& e, std::string_view n) { return std::string_view(e.Name) < n; });
  return (it != end && it->Name == name) ? it->Unicode : 0;
}

}  // namespace

std::uint16_t GlyphNameToUnicode(std::string_view Name, bool ZapfDingbats) {
  if (Name.empty()) return 0;
  if (ZapfDingbats)
    return Find(fontdata::kZapfDingbatsGlyphList, fontdata::kZapfDingbatsGlyphListCount, Name);
  return Find(fontdata::kAdobeGlyphList, fontdata::kAdobeGlyphListCount, Name);
}

std::uint16_t UnicodeToSymbolCode(std::uint16_t Unicode) {
  const auto* begin = fontdata::kSymbolReverse;
  const auto* end = begin + fontdata::kSymbolReverseCount;
  const auto* it = std::lower_bound(
      begin, end, Unicode,
      [](const fontdata::TvlSymbolCode& e, std::uint16_t u) { return e.Unicode < u; });
  return (it != end && it->Unicode == Unicode) ? it->Code : 0;
}

}  // namespace vl
