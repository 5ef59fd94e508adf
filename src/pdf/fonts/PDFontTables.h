// Raw built-in font tables. The definitions (PDFontTables.cpp) are generated
// from data/ by tools/gen/gen_font_tables.py; the lookups that the rest of
// the system uses are in PDAdobeGlyphList.h, PDEncoding.h and
// PDBuiltInFontMap.h.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vl::fontdata {

// A glyph name and its Unicode value; tables are sorted by name (byte order).
struct TvlGlyphUnicode {
  const char* Name;
  std::uint16_t Unicode;
};

// A glyph name and its advance in glyph units; sorted by name (byte order).
struct TvlGlyphWidth {
  const char* Name;
  std::int16_t Width;
};

// Unicode value -> Symbol code; sorted by Unicode value.
struct TvlSymbolCode {
  std::uint16_t Unicode;
  std::uint8_t Code;
};

struct TvlStandardFontMetrics {
  const char* FontName;
  int Ascender;
  int Descender;
  int FontBBox[4];  // llx lly urx ury, glyph units
  const char* EncodingName;
  const char* const* Encoding;  // 256 glyph names, "" for none
  const TvlGlyphWidth* Widths;
  std::size_t WidthCount;
};

inline constexpr std::size_t kStandardFontCount = 14;

extern const TvlGlyphUnicode kAdobeGlyphList[];
extern const std::size_t kAdobeGlyphListCount;
extern const TvlGlyphUnicode kZapfDingbatsGlyphList[];
extern const std::size_t kZapfDingbatsGlyphListCount;

// 256 glyph names each; "" marks a code without a glyph.
extern const char* const kStandardEncoding[256];
extern const char* const kWinAnsiEncoding[256];
extern const char* const kMacRomanEncoding[256];
extern const char* const kMacExpertEncoding[256];
extern const char* const kPDFDocEncoding[256];
extern const char* const kSymbolEncoding[256];
extern const char* const kZapfDingbatsEncoding[256];

extern const TvlSymbolCode kSymbolReverse[];
extern const std::size_t kSymbolReverseCount;

// Courier, Courier-Bold, Courier-BoldOblique, Courier-Oblique, Helvetica,
// Helvetica-Bold, Helvetica-BoldOblique, Helvetica-Oblique, Symbol,
// Times-Bold, Times-BoldItalic, Times-Italic, Times-Roman, ZapfDingbats.
extern const TvlStandardFontMetrics kStandardFonts[kStandardFontCount];

}  // namespace vl::fontdata
