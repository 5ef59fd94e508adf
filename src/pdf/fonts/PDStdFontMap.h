// Names of the 14 standard fonts, the table that maps common Windows font
// names to them, and the Windows family names of non-embedded fonts.
#pragma once

#include <cstddef>
#include <string_view>

namespace vl {

struct TvlFontAlias {
  const char* Alias;         // the Windows-style name (column 1)
  const char* StandardName;  // one of the 14 standard names (column 2)
};

inline constexpr std::size_t kFontAliasCount = 49;
extern const TvlFontAlias kFontAliases[kFontAliasCount];

// The first row whose alias or standard name equals Name exactly, or null.
const TvlFontAlias* FindFontAlias(std::string_view Name);

// Index of Name among the 14 standard names (exact comparison), or -1.
int StandardFontIndex(std::string_view Name);

// Windows family of a standard family name (Courier -> CourierNew,
// Helvetica -> Arial, Symbol -> Symbol, ZapfDingbats -> ArialUnicodeMS);
// empty when Name is none of them.
std::string_view WindowsFamilyName(std::string_view Name);

}  // namespace vl
