#include "pdf/fonts/PDEncoding.h"

#include "pdf/fonts/PDFontTables.h"

namespace vl {

TvlEncodingTable StandardEncoding() { return fontdata::kStandardEncoding; }
TvlEncodingTable WinAnsiEncoding() { return fontdata::kWinAnsiEncoding; }
TvlEncodingTable MacRomanEncoding() { return fontdata::kMacRomanEncoding; }
TvlEncodingTable MacExpertEncoding() { return fontdata::kMacExpertEncoding; }
TvlEncodingTable PDFDocEncoding() { return fontdata::kPDFDocEncoding; }
TvlEncodingTable SymbolEncoding() { return fontdata::kSymbolEncoding; }
TvlEncodingTable ZapfDingbatsEncoding() { return fontdata::kZapfDingbatsEncoding; }

TvlEncodingTable FindBaseEncoding(std::string_view Name) {
  if (Name == "MacRomanEncoding") return fontdata::kMacRomanEncoding;
  if (Name == "MacExpertEncoding") return fontdata::kMacExpertEncoding;
  if (Name == "WinAnsiEncoding") return fontdata::kWinAnsiEncoding;
  return nullptr;
}

}  // namespace vl
