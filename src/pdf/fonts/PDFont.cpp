#include "pdf/fonts/PDFont.h"

#include <cmath>

#include "pdf/fonts/PD8bitFont.h"
#include "pdf/fonts/PDCIDFont.h"
#include "pdf/fonts/PDCMapParser.h"
#include "pdf/fonts/PDFontObjects.h"

using namespace vl::fontobj;

TvlPDFont::TvlPDFont(TvlPDDocument* Doc, TvlPDResource* Resource, TvlPDDictionary* FontDict,
                     std::string_view ResourceName, TvlFontKind Kind, std::string_view BaseFont)
    : TvlPDElement(FontDict, Doc, nullptr),
      FResource(Resource),
      FDict(FontDict),
      FResourceName(ResourceName),
      FFontKind(Kind),
      FBaseFont(BaseFont) {}

TvlPDFont::~TvlPDFont() = default;

double TvlPDFont::GetWidth(std::uint16_t) const { return 0; }

std::unique_ptr<TvlPDFont> TvlPDFont::CreateFont(TvlPDDocument* Doc, TvlPDResource* Resource,
                                                 TvlPDDictionary* FontDict,
                                                 std::string_view ResourceName) {
  if (!FontDict) return nullptr;
  std::optional<AnsiString> subtype = AsName(Entry(FontDict, "Subtype"));
  if (!subtype) return nullptr;
  AnsiString baseFont = AsName(Entry(FontDict, "BaseFont")).value_or("");
  TvlFontKind kind = fkUnknown;
  if (*subtype == "Type1" || *subtype == "MMType1") kind = fkType1;
  else if (*subtype == "Type1C") kind = fkType1C;
  else if (*subtype == "Type3") kind = fkType3;
  else if (*subtype == "TrueType") kind = fkTrueType;
  else if (*subtype == "Type0")
    return std::make_unique<TvlPDCIDFont>(Doc, baseFont, ResourceName, FontDict, Resource);
  return std::make_unique<TvlPD8bitFont>(Doc, kind, baseFont, ResourceName, FontDict, Resource);
}

void TvlPDFont::ReadFontDescriptor(TvlPDDictionary* Dict) {
  FFlags = kFontFlagSerif;
  FMissingWidth = 0;
  const bool subset = FBaseFont.size() > 6 && FBaseFont[6] == '+';
  TvlPDDictionary* fd = AsDictionary(Entry(Dict, "FontDescriptor"));
  if (!fd) return;
  if (auto flags = AsInteger(Entry(fd, "Flags"))) FFlags = *flags;
  if (auto name = AsName(Entry(fd, "FontName"))) FFontName = *name;

  // The font program. A reference to object -1 counts as no entry.
  bool embedded = false;
  int num = -1, gen = 0;
  auto take = [&](TvlFontKind kind) {
    FFontFileObjNum = num;
    FFontFileGenNum = gen;
    FFontKind = kind;
  };
  if (EntryReference(fd, "FontFile", num, gen) && num >= 0) {
    embedded = true;
    take(fkType1);
  } else if (EntryReference(fd, "FontFile2", num, gen) && num >= 0) {
    embedded = true;
    take(FFontKind == fkTrueType || FFontKind == fkCIDFontType2 ? FFontKind
         : FFontKind == fkCIDFontType0                          ? fkCIDFontType2
                                                                : fkTrueType);
  } else if (EntryReference(fd, "FontFile3", num, gen) && num >= 0) {
    embedded = true;
    TvlPDStream* program = AsStream(Entry(fd, "FontFile3"));
    std::optional<AnsiString> sub =
        program ? AsName(Entry(StreamDictionary(program), "Subtype")) : std::nullopt;
    if (sub == "Type1") take(fkType1);
    else if (sub == "Type1C") take(fkType1C);
    else if (sub == "TrueType") take(fkTrueType);
    else if (sub == "CIDFontType0C") take(fkCIDFontType0C);
    else if (sub == "OpenType") {
      switch (FFontKind) {
        case fkTrueType: take(fkTrueTypeOT); break;
        case fkType1: take(fkType1COT); break;
        case fkCIDFontType0: take(fkCIDFontType0OT); break;
        case fkCIDFontType2: take(fkCIDFontType2OT); break;
        default: take(FFontKind); break;
      }
    }
  }
  FEmbedState = !embedded ? kNotEmbedded : subset ? kEmbeddedSubset : kEmbedded;

  TvlPDBaseObject* mw = Entry(fd, "MissingWidth");
  if (auto n = AsNumber(mw)) {
    // Reals round to the nearest integer, halves to even.
    double v = IsReal(mw) ? std::nearbyint(*n) : *n;
    if (std::isfinite(v) && std::fabs(v) < 1e9) FMissingWidth = static_cast<int>(v);
  }
  if (auto a = AsNumber(Entry(fd, "Ascent")); a && *a != 0) FAscent = *a * 0.001;
  if (auto d = AsNumber(Entry(fd, "Descent")); d && *d != 0) FDescent = -std::fabs(*d) * 0.001;
  if (TvlPDArray* box = AsArray(Entry(fd, "FontBBox")); box && Count(box) >= 4) {
    double v[4];
    bool ok = true;
    for (std::size_t i = 0; i < 4 && ok; ++i) {
      auto n = AsNumber(Item(box, i));
      ok = n.has_value();
      if (ok) v[i] = *n;
    }
    if (ok) FFontBBox = TvlPDRect(v[0], v[1], v[2], v[3]);
  }
}

void TvlPDFont::ReadToUnicode(TvlPDDictionary* Dict) {
  TvlPDStream* stream = AsStream(Entry(Dict, "ToUnicode"));
  if (!stream) return;
  std::vector<std::uint8_t> data = DecodedData(stream);
  try {
    FToUnicode = std::make_unique<TvlPDCMapParser>(data);
  } catch (const EConvertError&) {
    // A map with a malformed number is dropped rather than failing the
    // whole font: without the font none of its text would be shown.
    FToUnicode.reset();
  }
}

const std::vector<std::uint8_t>* TvlPDFont::GetFontFileStream() {
  if (!FFontFileLoaded) {
    FFontFileLoaded = true;
    if (FFontFileObjNum >= 0) {
      if (TvlPDStream* s = AsStream(Fetch(FDict, FFontFileObjNum)))
        FFontFile = std::make_unique<std::vector<std::uint8_t>>(DecodedData(s));
    }
  }
  return FFontFile.get();
}
