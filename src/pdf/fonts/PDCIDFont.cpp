#include "pdf/fonts/PDCIDFont.h"

#include <numeric>

#include "pdf/core/PDBaseObject.h"
#include "pdf/fonts/PDCMap.h"
#include "pdf/fonts/PDCMapParser.h"
#include "pdf/fonts/PDFontObjects.h"

using namespace vl::fontobj;

namespace {

constexpr int kMaxCID = 0xFFFF;

// A string entry as text; a UTF-16 byte order mark makes it UTF-16BE.
std::optional<AnsiString> AsText(TvlPDBaseObject* Obj) {
  if (!Obj || !Obj->IsString()) return std::nullopt;
  AnsiString bytes = static_cast<TvlPDString*>(Obj)->Bytes();
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE &&
      static_cast<unsigned char>(bytes[1]) == 0xFF) {
    WideString w;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
      w += static_cast<char16_t>((static_cast<unsigned char>(bytes[i]) << 8) |
                                 static_cast<unsigned char>(bytes[i + 1]));
    return vl::WideToUtf8(w);
  }
  return bytes;
}

}  // namespace

TvlPDCIDFont::TvlPDCIDFont(TvlPDDocument* Doc, std::string_view BaseFont,
                           std::string_view ResourceName, TvlPDDictionary* FontDict,
                           TvlPDResource* Resource)
    : TvlPDFont(Doc, Resource, FontDict, ResourceName, fkUnknown, BaseFont) {
  TvlPDArray* descendants = AsArray(Entry(FontDict, "DescendantFonts"));
  TvlPDDictionary* descendant = AsDictionary(Item(descendants, 0));
  std::optional<AnsiString> subtype = AsName(Entry(descendant, "Subtype"));
  if (subtype == "CIDFontType0") FFontKind = fkCIDFontType0;
  else if (subtype == "CIDFontType2") FFontKind = fkCIDFontType2;
  else return;

  ReadFontDescriptor(descendant);

  TvlPDDictionary* info = AsDictionary(Entry(descendant, "CIDSystemInfo"));
  std::optional<AnsiString> registry = AsText(Entry(info, "Registry"));
  std::optional<AnsiString> ordering = AsText(Entry(info, "Ordering"));
  if (!registry || !ordering || !AsInteger(Entry(info, "Supplement"))) return;
  const AnsiString ucs2 = *registry + "-" + *ordering + "-UCS2";

  TvlPDBaseObject* encoding = Entry(FontDict, "Encoding");
  if (TvlPDStream* s = AsStream(encoding)) {
    FCMap = TvlPDCMap::CreateEmbedded(DecodedData(s));
    FEncodingName = "Custom";
  } else if (auto name = AsName(encoding)) {
    // The document supplies no directory of predefined CMap files, so only
    // the identity maps are found.
    FCMap = TvlPDCMap::CreatePredefined(*name, "", ucs2);
    FEncodingName = *name;
  }
  if (!FCMap) return;

  // A real DW is ignored, as an integer is what the entry holds.
  if (auto dw = AsInteger(Entry(descendant, "DW"))) FDW = *dw * 0.001;
  ReadWidths(descendant);
  if (FFontKind == fkCIDFontType2) ReadCIDToGIDMap(descendant);
  ReadToUnicode(FontDict);
}

TvlPDCIDFont::~TvlPDCIDFont() = default;

void TvlPDCIDFont::ReadWidths(TvlPDDictionary* Descendant) {
  TvlPDArray* w = AsArray(Entry(Descendant, "W"));
  const std::size_t n = Count(w);
  std::size_t i = 0;
  while (i + 1 < n) {
    TvlPDBaseObject* a = Item(w, i);
    TvlPDBaseObject* b = Item(w, i + 1);
    auto first = AsInteger(a);
    if (first && AsInteger(b) && i + 2 < n) {
      // first last width. CIDs are 16 bits: ranges are clipped to them and
      // a range outside them is dropped.
      const int last = std::min(*AsInteger(b), kMaxCID);
      if (auto width = AsNumber(Item(w, i + 2)); width && *first >= 0 && *first <= last)
        FWidthRecords.push_back({static_cast<std::uint16_t>(*first), static_cast<std::uint16_t>(last),
                                 *width * 0.001});
      i += 3;
    } else if (first && b && b->IsArray()) {
      // first [w1 w2 ...]: consecutive CIDs from first.
      TvlPDArray* list = AsArray(b);
      const std::size_t m = Count(list);
      long long cid = *first;
      for (std::size_t k = 0; k < m && cid <= kMaxCID; ++k, ++cid) {
        auto width = AsNumber(Item(list, k));
        if (width && cid >= 0)
          FWidthRecords.push_back({static_cast<std::uint16_t>(cid), static_cast<std::uint16_t>(cid),
                                   *width * 0.001});
      }
      i += 2;
    } else {
      i += 1;
    }
  }
  BuildWidthIndex();
}

// Fills the per-CID index so that a lookup is one array read. Each CID
// takes the first record holding it; CIDs already taken are skipped through
// a next-free chain, so overlapping or huge ranges cost at most one visit
// per CID.
void TvlPDCIDFont::BuildWidthIndex() {
  if (FWidthRecords.empty()) return;
  int top = 0;
  for (const auto& r : FWidthRecords) top = std::max<int>(top, r.Last);
  FWidthIndex.assign(static_cast<std::size_t>(top) + 1, -1);
  std::vector<int> next(static_cast<std::size_t>(top) + 2);
  std::iota(next.begin(), next.end(), 0);
  auto find = [&](int c) {
    int root = c;
    while (next[root] != root) root = next[root];
    while (next[c] != root) {
      int up = next[c];
      next[c] = root;
      c = up;
    }
    return root;
  };
  for (std::size_t k = 0; k < FWidthRecords.size(); ++k) {
    const auto& r = FWidthRecords[k];
    for (int c = find(r.First); c <= r.Last; c = find(c)) {
      FWidthIndex[c] = static_cast<std::int32_t>(k);
      next[c] = c + 1;
    }
  }
}

void TvlPDCIDFont::ReadCIDToGIDMap(TvlPDDictionary* Descendant) {
  TvlPDStream* s = AsStream(Entry(Descendant, "CIDToGIDMap"));
  if (!s) return;
  std::vector<std::uint8_t> data = DecodedData(s);
  const std::size_t pairs = std::min<std::size_t>(data.size() / 2, kMaxCID + 1);
  FCIDToGID.resize(pairs);
  for (std::size_t i = 0; i < pairs; ++i)
    FCIDToGID[i] = static_cast<std::uint16_t>((data[2 * i] << 8) | data[2 * i + 1]);
}

double TvlPDCIDFont::GetWidth(std::uint16_t Code) const {
  if (!FCMap || FCMap->IsVertical()) return 0;
  if (Code < FWidthIndex.size()) {
    const std::int32_t k = FWidthIndex[Code];
    if (k >= 0) return FWidthRecords[static_cast<std::size_t>(k)].Width;
  }
  return FDW;
}

bool TvlPDCIDFont::DecodeChar(const WideString& Text, int Index, int& CodeLength,
                              std::uint16_t& Unicode, std::string_view& GlyphName, double& Width,
                              double& Reserved1, double& Reserved2, double& Reserved3) const {
  GlyphName = {};
  Reserved1 = Reserved2 = Reserved3 = 0;
  if (!FCMap) {
    Unicode = 0;
    Width = 0;
    CodeLength = 1;
    return false;
  }
  const bool embedded = HasFontFile();
  const std::uint16_t value = FCMap->DecodeCID(Text, Index, CodeLength, embedded);
  Width = GetWidth(value);
  // The CID, not the glyph index, is what the ToUnicode map is keyed by, so
  // a CIDToGIDMap does not change the character.
  if (!embedded && FToUnicode) Unicode = static_cast<std::uint16_t>(FToUnicode->MapCode(value));
  else Unicode = value;
  return true;
}
