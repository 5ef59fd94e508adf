// Composite (Type0) fonts: a CMap turns the codes of a shown string into
// CIDs, the descendant font's W and DW entries give their widths.
#pragma once

#include <memory>
#include <vector>

#include "pdf/fonts/PDFont.h"

class TvlPDCMap;

// CIDs First..Last have advance Width (text space units).
struct TvlCIDWidth {
  std::uint16_t First;
  std::uint16_t Last;
  double Width;
};

class TvlPDCIDFont : public TvlPDFont {
public:
  // A font whose descendant, CIDSystemInfo or Encoding is not usable is
  // still built but has no CMap and decodes nothing. EConvertError from a
  // malformed embedded CMap propagates.
  TvlPDCIDFont(TvlPDDocument* Doc, std::string_view BaseFont, std::string_view ResourceName,
               TvlPDDictionary* FontDict, TvlPDResource* Resource);
  ~TvlPDCIDFont() override;

  bool IsCIDFont() const override { return true; }
  // Horizontal also for vertical CMaps: vertical text is laid out as if it
  // were horizontal, with zero advances.
  int GetWritingMode() const override { return 0; }
  // Unicode receives the CID for fonts with an embedded program (their
  // ToUnicode map is applied by the extractor, keyed by the CID), else the
  // ToUnicode value of the CID (0xFFFF when unmapped), else the CID.
  bool DecodeChar(const WideString& Text, int Index, int& CodeLength, std::uint16_t& Unicode,
                  std::string_view& GlyphName, double& Width, double& Reserved1, double& Reserved2,
                  double& Reserved3) const override;
  double GetWidth(std::uint16_t Code) const override;

  const TvlPDCMap* CMap() const { return FCMap.get(); }
  double DW() const { return FDW; }
  const std::vector<TvlCIDWidth>& Widths() const { return FWidthRecords; }
  // The glyph of a CID through the CIDToGIDMap stream; the CID itself when
  // the map is Identity, absent or does not reach that far.
  std::uint16_t GlyphIndex(std::uint16_t CID) const {
    return CID < FCIDToGID.size() ? FCIDToGID[CID] : CID;
  }
  bool HasCIDToGIDMap() const { return !FCIDToGID.empty(); }

private:
  void ReadWidths(TvlPDDictionary* Descendant);
  void BuildWidthIndex();
  void ReadCIDToGIDMap(TvlPDDictionary* Descendant);

  std::unique_ptr<TvlPDCMap> FCMap;
  double FDW = 1.0;
  std::vector<TvlCIDWidth> FWidthRecords;
  // Record of each CID from 0 to the highest listed (the first record
  // holding it, as a W lookup would find); -1 means DW.
  std::vector<std::int32_t> FWidthIndex;
  std::vector<std::uint16_t> FCIDToGID;
};
