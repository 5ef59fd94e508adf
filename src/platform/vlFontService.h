// Font measuring on fontconfig and FreeType.
//
// Family names reported: every family fontconfig lists, plus the standard
// Windows/PostScript names (Arial, Times New Roman, Courier New, Helvetica,
// Times, Courier, Symbol, ...) for which fontconfig resolves a
// metric-compatible installed font (for example Arial -> Liberation Sans).
// Such a name is measured with the font it resolves to, so a document that
// asks for Arial gets Arial's widths and keeps the name Arial. A name that is
// neither installed nor a standard name resolves to fontconfig's best match.
//
// Faces and per-character advances are cached: measuring is on the hot path
// of every glyph.
#pragma once

#include <memory>
#include <vector>

#include "platform/vlBase.h"
#include "platform/vlGraphics.h"

namespace vl {

class TvlPath;

// Family design metrics in font units.
struct TvlFamilyMetrics {
  int EmHeight = 0;     // units per em
  int CellAscent = 0;   // above the baseline
  int CellDescent = 0;  // below the baseline, positive
  int LineSpacing = 0;
};

class TvlFontService {
public:
  // The process-wide service (created on first use, with the fontconfig
  // configuration current at that moment).
  static TvlFontService& Instance();
  ~TvlFontService();

  // Installed family names followed by the standard names that resolve to a
  // metric-compatible installed font; sorted, without duplicates.
  const std::vector<AnsiString>& FamilyNames();
  // Whether Family is one of FamilyNames (case-insensitive).
  bool HasFamily(const AnsiString& Family);
  // The file fontconfig picked for Family in Style (for reports and tests).
  AnsiString ResolvedFile(const AnsiString& Family, TFontStyles Style);
  // The family name of the font actually used for Family.
  AnsiString ResolvedFamily(const AnsiString& Family, TFontStyles Style);

  // Width (sum of advances) and height (ascent + descent of the cell) in
  // pixels at the screen resolution of Text in Font (name, size, bold, italic).
  TSize TextExtent(const WideString& Text, const TFont& Font);
  // The advance of one character in pixels (unrounded) at the font's size.
  double CharAdvance(const TFont& Font, char16_t Ch);

  // Design metrics of the family; false when no font can be found at all.
  bool FamilyMetrics(const AnsiString& Family, TFontStyles Style, TvlFamilyMetrics& Metrics);
  // Adds the outline of Ch laid out in Family at EmSize (pixels per em) to
  // Path, y down, with the top of the line cell at (OriginX, OriginY): the
  // baseline is at OriginY + CellAscent * EmSize / EmHeight. False when the
  // family has no font; an empty outline (a space) adds nothing and is true.
  bool AddCharOutline(TvlPath& Path, const AnsiString& Family, TFontStyles Style, double EmSize, char16_t Ch,
                      double OriginX, double OriginY);

  // Forgets every cached face and measurement (after a configuration change).
  void Reset();

private:
  TvlFontService();
  struct Impl;
  std::unique_ptr<Impl> FImpl;
};

// FamilyNames of the shared service, as the parser hands them to the extractor.
std::vector<AnsiString> InstalledFontNames();

}  // namespace vl
