// Character map of a composite font: turns the codes of a shown string into
// CIDs. Identity maps take two bytes per code; a parsed map (embedded or a
// predefined file) maps each element of the string as a whole.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/vlBase.h"

class TvlPDCMapParser;

class TvlPDCMap {
public:
  // A CMap embedded as a stream (Data is its decoded content), named
  // "Custom". EConvertError from a malformed number propagates.
  static std::unique_ptr<TvlPDCMap> CreateEmbedded(std::span<const std::uint8_t> Data);
  // A predefined CMap Name looked up in Directory (empty: none), with the
  // Registry-Ordering-UCS2 map UCS2Name beside it. Identity-H, Identity-V
  // and Identity need no file. Null when the map is not available.
  static std::unique_ptr<TvlPDCMap> CreatePredefined(std::string_view Name,
                                                     std::string_view Directory,
                                                     std::string_view UCS2Name);
  ~TvlPDCMap();

  // The CID of the code at Index (1-based) of Text; CodeLength receives the
  // number of elements used. With Embedded false and a CID-to-Unicode map,
  // the CID's Unicode value instead.
  std::uint16_t DecodeCID(const WideString& Text, int Index, int& CodeLength, bool Embedded) const;

  const std::string& Name() const { return FName; }
  const std::string& UCS2Name() const { return FUCS2Name; }
  bool IsVertical() const { return FVertical; }
  bool IsIdentity() const { return !FCodeToCID; }
  const TvlPDCMapParser* CodeToCID() const { return FCodeToCID.get(); }
  const TvlPDCMapParser* CIDToUnicode() const { return FCIDToUnicode.get(); }

private:
  TvlPDCMap() = default;

  std::string FName;
  std::string FUCS2Name;
  bool FVertical = false;
  std::unique_ptr<TvlPDCMapParser> FCodeToCID;     // null for the identity maps
  std::unique_ptr<TvlPDCMapParser> FCIDToUnicode;  // null when none was found
};
