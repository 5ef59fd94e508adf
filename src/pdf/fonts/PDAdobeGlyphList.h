// Glyph name -> Unicode lookups (Adobe Glyph List, ZapfDingbats list) and
// the reverse map from Unicode to codes of the Windows Symbol font.
#pragma once

#include <cstdint>
#include <string_view>

namespace vl {

// Exact, case-sensitive lookup in the ZapfDingbats list (ZapfDingbats true)
// or the Adobe Glyph List; 0 for an empty or unknown name. Names of the
// forms uniXXXX and uXXXX are not interpreted.
std::uint16_t GlyphNameToUnicode(std::string_view Name, bool ZapfDingbats);

// Code of a Unicode value in the Symbol font's encoding; 0 when none.
std::uint16_t UnicodeToSymbolCode(std::uint16_t Unicode);

}  // namespace vl
