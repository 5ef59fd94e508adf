// Reader of character maps: embedded code-to-CID CMaps and ToUnicode maps.
// It keeps the cidrange/bfrange and cidchar/bfchar mappings and skips
// everything else (codespace ranges, notdef ranges, dictionary syntax).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/vlBase.h"

// Splits CMap data into PostScript-like tokens.
class TvlPSTokenizer {
public:
  explicit TvlPSTokenizer(std::span<const std::uint8_t> Data) : FData(Data) {}
  // False at the end of the data. Tokens longer than 128 characters are cut.
  bool NextToken(std::string& Token);

private:
  std::span<const std::uint8_t> FData;
  std::size_t FPos = 0;
};

// Codes Low..High map to Destination + (code - Low).
struct TvlCIDRange {
  int High;
  int Low;
  int Destination;
};

struct TvlCIDCode {
  int Destination;
  int Source;
};

class TvlPDCMapParser {
public:
  // Parses Data up to "endcmap" or its end. A number token that is not a
  // valid integer raises EConvertError.
  explicit TvlPDCMapParser(std::span<const std::uint8_t> Data);

  // Single mappings first (the last one given wins), then ranges; -1 when
  // the code is not mapped.
  int MapCode(int Code) const;
  // Ranges only (the last range containing the code wins); -1 when none.
  int MapRange(int Code) const;

  const std::string& Registry() const { return FRegistry; }
  const std::string& Ordering() const { return FOrdering; }
  const std::string& Supplement() const { return FSupplement; }
  std::uint8_t WMode() const { return FWMode; }
  const std::vector<TvlCIDRange>& Ranges() const { return FRanges; }
  const std::vector<TvlCIDCode>& Codes() const { return FCodes; }

private:
  void ReadRanges(TvlPSTokenizer& Tok, const char* EndToken);
  void ReadCodes(TvlPSTokenizer& Tok, const char* EndToken);
  void BuildIndex();

  std::string FOrdering;
  std::string FRegistry;
  std::string FSupplement;
  std::uint8_t FWMode = 0;
  std::vector<TvlCIDRange> FRanges;
  std::vector<TvlCIDCode> FCodes;

  // Lookup indexes so that mapping a code costs a hash probe rather than a
  // walk over every entry: single mappings (last wins), short ranges
  // expanded code by code into the position of the last range holding the
  // code, and the positions of the long ranges, searched from the last back.
  std::unordered_map<int, int> FCodeIndex;
  std::unordered_map<int, std::size_t> FRangeIndex;
  std::vector<std::size_t> FLongRanges;
};
