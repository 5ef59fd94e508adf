// The standard simple-font encodings: 256 glyph names each, "" where a code
// has no glyph.
#pragma once

#include <string_view>

namespace vl {

using TvlEncodingTable = const char* const*;

TvlEncodingTable StandardEncoding();
TvlEncodingTable WinAnsiEncoding();
TvlEncodingTable MacRomanEncoding();
TvlEncodingTable MacExpertEncoding();
TvlEncodingTable PDFDocEncoding();
TvlEncodingTable SymbolEncoding();        // built-in encoding of Symbol
TvlEncodingTable ZapfDingbatsEncoding();  // built-in encoding of ZapfDingbats

// The table of an encoding name a font's Encoding entry may give as its
// base: MacRomanEncoding, MacExpertEncoding or WinAnsiEncoding. Null for any
// other name (StandardEncoding included: fonts fall back to it themselves).
TvlEncodingTable FindBaseEncoding(std::string_view Name);

}  // namespace vl
