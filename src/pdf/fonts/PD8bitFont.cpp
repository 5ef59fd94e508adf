#include "pdf/fonts/PD8bitFont.h"

#include <algorithm>

#include "pdf/fonts/PDAdobeGlyphList.h"
#include "pdf/fonts/PDBuiltInFontMap.h"
#include "pdf/fonts/PDCMapParser.h"
#include "pdf/fonts/PDEncoding.h"
#include "pdf/fonts/PDFontObjects.h"
#include "pdf/fonts/PDStdFontMap.h"

using namespace vl::fontobj;

namespace {

bool Contains(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }

std::string_view Trim(std::string_view s) {
  auto white = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0'; };
  while (!s.empty() && white(s.front())) s.remove_prefix(1);
  while (!s.empty() && white(s.back())) s.remove_suffix(1);
  return s;
}

void EraseFirst(std::string& s, std::string_view part) {
  if (auto p = s.find(part); p != std::string::npos) s.erase(p, part.size());
}

// The standard font whose widths stand in for a font without Widths and
// without built-in metrics.
const char* SubstituteFont(bool fixedPitch, bool serif, bool bold, bool italic) {
  static const char* const kFamilies[3][4] = {
      {"Courier", "Courier-Bold", "Courier-Oblique", "Courier-BoldOblique"},
      {"Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic"},
      {"Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique"},
  };
  int family = fixedPitch ? 0 : serif ? 1 : 2;
  return kFamilies[family][(bold ? 1 : 0) + (italic ? 2 : 0)];
}

}  // namespace

TvlPD8bitFont::TvlPD8bitFont(TvlPDDocument* Doc, TvlFontKind Kind, std::string_view BaseFont,
                             std::string_view ResourceName, TvlPDDictionary* FontDict,
                             TvlPDResource* Resource)
    : TvlPDFont(Doc, Resource, FontDict, ResourceName, Kind, BaseFont) {
  // Windows-style names (Arial,Bold) and standard names resolve through one
  // table: the standard name picks the metrics, the alias becomes BaseFont.
  std::string_view trimmed = Trim(BaseFont);
  std::string_view standard = trimmed;
  if (const vl::TvlFontAlias* row = vl::FindFontAlias(trimmed)) {
    standard = row->StandardName;
    FBaseFont = row->Alias;
  }
  std::unique_ptr<TvlBuiltInFont> builtIn = TvlBuiltInFont::CreateStandard(standard);
  auto setBuiltInMetrics = [&] {
    FAscent = builtIn->Ascender() * 0.001;
    FDescent = builtIn->Descender() * 0.001;
    auto box = builtIn->FontBBox();
    FFontBBox = TvlPDRect(box[0] * 0.001, box[1] * 0.001, box[2] * 0.001, box[3] * 0.001);
  };
  if (builtIn) setBuiltInMetrics();

  ReadFontDescriptor(FontDict);

  if (!FFontName.empty() && !HasFontFile()) {
    std::string name;
    for (char c : FFontName)
      if (c != ',' && c != '+' && c != '-') name += c;
    EraseFirst(name, "PS");
    EraseFirst(name, "MT");
    FBoldByName = Contains(name, "Bold");
    FItalicByName = Contains(name, "Italic");
    std::string_view family = vl::WindowsFamilyName(name);
    if (!family.empty()) FFontName = family;
  }
  if (builtIn && HasFontFile()) setBuiltInMetrics();

  if (!builtIn || FFontKind == fkType3) {
    FFontMatrix = TvlPDMatrix();
    TvlPDArray* m = AsArray(Entry(FontDict, "FontMatrix"));
    double v[6];
    bool ok = m && Count(m) >= 6;
    for (std::size_t i = 0; ok && i < 6; ++i) {
      auto n = AsNumber(Item(m, i));
      ok = n.has_value();
      if (ok) v[i] = *n;
    }
    if (ok) FFontMatrix->Set(v[0], v[1], v[2], v[3], v[4], v[5]);
  }

  ReadEncoding(builtIn.get());
  ReadWidths(builtIn.get());
  ReadToUnicode(FontDict);
  BuildDecodeTable();
}

TvlPD8bitFont::~TvlPD8bitFont() = default;

void TvlPD8bitFont::ReadEncoding(const TvlBuiltInFont* BuiltIn) {
  FHasEncoding = false;
  FHasDifferences = false;
  vl::TvlEncodingTable table = nullptr;
  TvlPDBaseObject* encoding = Entry(FDict, "Encoding");
  TvlPDDictionary* encodingDict = AsDictionary(encoding);
  if (Contains(FBaseFont, "ZapfDingbats")) {
    table = vl::ZapfDingbatsEncoding();
    FEncodingName = "WinAnsiEncoding";
    FHasEncoding = true;
  } else {
    std::optional<AnsiString> name =
        encodingDict ? AsName(Entry(encodingDict, "BaseEncoding")) : AsName(encoding);
    if (name) {
      if (vl::TvlEncodingTable base = vl::FindBaseEncoding(*name)) {
        table = base;
        FEncodingName = *name;
        FHasEncoding = true;
      }
    }
  }
  if (!table) {
    if (BuiltIn && !HasFontFile()) {
      table = BuiltIn->Encoding();
      FEncodingName = BuiltIn->EncodingName();
      FHasEncoding = true;
    } else if (FFontKind == fkTrueType) {
      table = vl::WinAnsiEncoding();
      // An embedded program without an Encoding entry maps codes through its
      // own cmap (subsets from LibreOffice and Ghostscript number glyphs from
      // 1); naming no encoding lets the ToUnicode map decide their text.
      if (!HasFontFile()) FEncodingName = "WinAnsiEncoding";
    } else if (!IsSymbolic()) {
      table = vl::StandardEncoding();
      FEncodingName = "StandardEncoding";
    }
  }
  if (table)
    for (int c = 0; c < 256; ++c) FGlyphNames[c] = table[c];

  TvlPDArray* differences = encodingDict ? AsArray(Entry(encodingDict, "Differences")) : nullptr;
  if (differences) {
    FHasEncoding = true;
    FHasDifferences = true;
    FEncodingName = "CustomEncoding";
    long long code = 0;
    const std::size_t n = Count(differences);
    for (std::size_t i = 0; i < n; ++i) {
      TvlPDBaseObject* item = Item(differences, i);
      if (auto v = AsInteger(item)) {
        code = *v;
      } else if (auto glyph = AsName(item)) {
        if (code >= 0 && code <= 255) FGlyphNames[code] = *glyph;
        ++code;
      }
    }
  }
}

void TvlPD8bitFont::ReadWidths(const TvlBuiltInFont* BuiltIn) {
  FWidths.fill(FMissingWidth * 0.001);
  auto first = AsInteger(Entry(FDict, "FirstChar"));
  auto last = AsInteger(Entry(FDict, "LastChar"));
  FFirstChar = (first && *first >= 0 && *first <= 255) ? *first : 0;
  FLastChar = !last ? 0 : (*last >= 0 && *last <= 255) ? *last : 255;
  const double scale = (FFontKind == fkType3 && FFontMatrix) ? FFontMatrix->a : 0.001;

  if (TvlPDArray* widths = AsArray(Entry(FDict, "Widths"))) {
    FFlags |= kFontFlagFixedPitch;
    const long long count = static_cast<long long>(Count(widths));
    if (FLastChar > FFirstChar + count - 1) FLastChar = static_cast<int>(FFirstChar + count - 1);
    for (int c = FFirstChar; c <= FLastChar; ++c) {
      if (auto w = AsNumber(Item(widths, static_cast<std::size_t>(c - FFirstChar)))) {
        FWidths[c] = *w * scale;
        if (FWidths[c] != FWidths[FFirstChar]) FFlags &= ~kFontFlagFixedPitch;
      }
    }
    return;
  }
  std::unique_ptr<TvlBuiltInFont> substitute;
  if (!BuiltIn) {
    substitute = TvlBuiltInFont::CreateStandard(
        SubstituteFont(IsFixedPitch(), IsSerif(), IsBold(), IsItalic()));
    BuiltIn = substitute.get();
  }
  for (int c = 0; c < 256; ++c) FWidths[c] = BuiltIn->GetGlyphWidth(FGlyphNames[c]) * 0.001;
}

void TvlPD8bitFont::BuildDecodeTable() {
  const bool zapf = Contains(FBaseFont, "ZapfDingbats");
  const bool symbolName = Contains(FBaseFont, "Symbol");
  const bool type1Family = FFontKind == fkType1 || FFontKind == fkType1C || FFontKind == fkType1COT;
  for (int c = 0; c < 256; ++c) {
    const std::string& name = FGlyphNames[c];
    std::uint16_t u = 0;
    bool reportName = false;
    if (type1Family) {
      if (IsSymbolic() && name.empty()) {
        u = static_cast<std::uint16_t>(c);
      } else {
        reportName = true;
      }
      if (u == 0) {
        if (symbolName && !FHasDifferences) {
          u = static_cast<std::uint16_t>(c);
        } else {
          u = vl::GlyphNameToUnicode(name, zapf);
          if (symbolName && !HasFontFile()) u = vl::UnicodeToSymbolCode(u);
        }
      }
    } else if (!FHasEncoding || IsSymbolic() || symbolName || FEmbedState != kNotEmbedded) {
      u = static_cast<std::uint16_t>(c);
    } else {
      u = vl::GlyphNameToUnicode(name, zapf);
    }
    FUnicode[c] = u;
    FReportsGlyphName[c] = reportName;
  }
}

bool TvlPD8bitFont::DecodeChar(const WideString& Text, int Index, int& CodeLength,
                               std::uint16_t& Unicode, std::string_view& GlyphName, double& Width,
                               double& Reserved1, double& Reserved2, double& Reserved3) const {
  CodeLength = 1;
  Reserved1 = Reserved2 = Reserved3 = 0;
  if (Index < 1 || static_cast<std::size_t>(Index) > Text.size()) {
    Unicode = 0;
    GlyphName = {};
    Width = 0;
    return false;
  }
  // Elements of a simple font's string are bytes.
  const unsigned c = static_cast<unsigned>(Text[Index - 1]) & 0xFF;
  Unicode = FUnicode[c];
  GlyphName = FReportsGlyphName[c] ? std::string_view(FGlyphNames[c]) : std::string_view();
  Width = FWidths[c];
  return true;
}

double TvlPD8bitFont::GetWidth(std::uint16_t Code) const { return Code <= 255 ? FWidths[Code] : 0; }

std::string_view TvlPD8bitFont::GlyphName(int Code) const {
  return (Code >= 0 && Code <= 255) ? std::string_view(FGlyphNames[Code]) : std::string_view();
}

void TvlPD8bitFont::GetGlyphName(int Code, std::string& Name) const { Name = GlyphName(Code); }
