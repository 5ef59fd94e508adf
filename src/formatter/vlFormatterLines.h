// The formatter's geometric tests and measuring helpers, shared by glyph
// collection, block merging, band detection and paragraph building.
#pragma once

#include <vector>

#include "formatter/vlFormatterElements.h"

namespace vlfmt {

// Text extent in screen pixels of S in Font.
TSize MeasurePx(const WideString& S, const TFont& Font);
// Extents in points.
double ExtentWidth(const WideString& S, const TFont& Font);
double ExtentHeight(const WideString& S, const TFont& Font);
// Cached extents of " " and "W" in points (width and height).
struct TvlFontMetrics {
  double SpaceWidth = 0;
  double SpaceHeight = 0;
  double WWidth = 0;
};
const TvlFontMetrics& Metrics(const TFont& Font);

// Most pieces a block, a band row or a band's first run takes: real pages
// have a handful; a malformed one must not make the walks quadratic.
constexpr size_t kMaxRowPieces = 1000;

bool IsAsciiLetter(WideChar c);
bool IsAsciiDigit(WideChar c);
inline bool IsAlnum(WideChar c) { return IsAsciiLetter(c) || IsAsciiDigit(c); }
WideString Trim(const WideString& S);
// Reads S as a decimal integer (optional sign); false when it is not one.
bool ReadInteger(const WideString& S, long long& Value);

// A line starting with a bullet or a short number / letter marker ("1.", "a)").
bool ListNumberTest(const WideString& FirstRunText);
// Bold digits with dots ("1.2") followed by another bold string.
bool BoldNumberTest(const TvlFormatterTextLine& Line, const TFont& GlyphFont);
// Column list test: 0 none, 1 bullet, 2 number or letter.
int ColumnListTest(const WideString& PrevWord, const WideString& Word, const TFont& Font);

// Two lines that sit next to each other on (about) the same band.
bool SideBySide(const TvlFormatterTextLine& A, const TvlFormatterTextLine& B, double Tol);
// B overlaps one of Collected horizontally and sits on a different band.
bool Collides(const TvlFormatterTextLine& B, const std::vector<TvlFormatterTextLine*>& Collected);
// Index of the range (sorted by Left) that takes a box from L to R; -1 for none.
int FindColumn(const std::vector<TvlFormatterRect>& Ranges, double L, double R);
// Inserts Range keeping the list sorted by Left; returns its index.
int InsertRange(std::vector<TvlFormatterRect>& Ranges, const TvlFormatterRect& Range);

// Whether a multi-column section reads as a table. Tables are not built yet,
// so every band is written as columns.
inline bool IsTableSection(const TvlFormatterHSection&) { return false; }

// Inserts the runs of Piece into Line at Piece's position.
void InsertPiece(TvlFormatterTextLine& Line, TvlFormatterTextLine& Piece);

// Collects one page's glyphs into runs and lines.
class TvlGlyphCollector {
public:
  TvlFormatterPage* Page = nullptr;
  double PageHeight = 0;
  int RunSequence = 0;
  int LineSequence = 0;
  int CurrentLine = -1;
  WideChar LastChar = 0;

  void StartPage(TvlFormatterPage* APage, double APageHeight);
  // False when the glyph was dropped (outside the page).
  bool Collect(const TFont& Font, const TvlDoubleRect& GlyphRect, double X, double Y, double Width,
               bool ContinuesString, bool ContinuesShow, WideChar Ch, double CharSpacing);

private:
  int FRunLine = -1;  // index of the line holding run RunSequence

  void NewLine(const TFont& Font, const TvlDoubleRect& GlyphRect, double X, double B, double Width, WideChar Ch,
               double CharSpacing);
  std::unique_ptr<TvlFormatterText> NewRun(const TFont& Font, const TvlDoubleRect& GlyphRect, double X, double B,
                                           double Width, WideChar Ch, double CharSpacing);
  void JoinRun(TvlFormatterText& R, const TFont& Font, const TvlDoubleRect& GlyphRect, double X, double Width,
               WideChar Ch, bool MaySpace, bool ContinuesShow);
  void GrowHeight(TvlFormatterTextLine& L, const TFont& Font, const TvlDoubleRect& GlyphRect);
};

}  // namespace vlfmt
