// The layout formatter: a document writer that collects one page's glyphs,
// rebuilds runs, lines, paragraphs, lists and column bands from their
// positions, and replays the page on a second writer (the RTF writer).
#pragma once

#include <memory>

#include "formatter/vlFormatterElements.h"
#include "formatter/vlFormatterLines.h"
#include "writer/vlDocumentWriter.h"

class TvlFormatter : public TvlDocumentWriter {
public:
  // Doc is the writer the pages are replayed on; not owned.
  explicit TvlFormatter(TvlDocumentWriter* ADoc);
  ~TvlFormatter() override;
  const char* ClassName() const override { return "TvlFormatter"; }

  TvlDocumentWriter* Doc() const { return FDoc; }
  TvlFormatterPage* Page() const { return FPage.get(); }
  int PageCount() const { return FPageCount; }
  WideChar LastChar() const { return FCollector.LastChar; }
  int CurrentLine() const { return FCollector.CurrentLine; }

  // Host hooks while a page is laid out.
  TvlOnElementDetected OnElementDetected;
  TvlOnFontSubstituting OnFontSubstituting;
  void SetOnElementDetected(TvlOnElementDetected Value) { OnElementDetected = std::move(Value); }
  void SetOnFontSubstituting(TvlOnFontSubstituting Value) { OnFontSubstituting = std::move(Value); }

  // Text extent in screen pixels of S in a copy of Font.
  TSize MeasureText(const AnsiString& S, const TFont& Font) const;
  TSize MeasureText(const WideString& S, const TFont& Font) const;
  static TSize MeasureWithService(const WideString& S, const TFont& Font);
  static bool SameFont(const TFont& A, const TFont& B) { return SameFontAndColor(A, B); }

  void SetMeasurementUnit(TvlMeasurementUnit Value) override;
  TvlMeasurementUnit GetMeasurementUnit() override { return FUnit; }
  TvlDocInfo& GetDocInfo() override;
  void SetDocInfo(const TvlDocInfo& Value) override;
  TvlPageSettings& GetCurrentPageSettings() override { return FSettings; }
  void SetCurrentPageSettings(const TvlPageSettings& Value) override;

  void BeginDoc() override;
  void EndDoc() override;
  int BeginPage() override;
  void EndPage() override;

  void TextOut(const TFont& Font, const TvlDoubleRect& GlyphRect, double X, double Y, double Width,
               bool ContinuesString, bool ContinuesShow, WideChar Ch, double CharSpacing) override;
  void BeginParagraph(const AnsiString& StyleName) override;
  void EndParagraph() override;
  double WriteText(const WideString&, double, double) override { return 0; }
  int AddImage(const TGraphic*) override { return 0; }
  void DrawImage(const TvlDoubleRect&, const TGraphic*) override {}
  int BeginTable(int, double, double) override { return 0; }
  double NewRow(double) override { return 0; }
  double NewAutoRow() override { return 0; }

private:
  TvlDocumentWriter* FDoc;
  TvlPageSettings FSettings;
  TvlMeasurementUnit FUnit = muPixel;
  double FFactor = 1;
  int FPageCount = 0;
  std::unique_ptr<TvlFormatterPage> FPage;
  vlfmt::TvlGlyphCollector FCollector;

  void ResetMargins();
  void NewPage();
  void FollowGlyph(double X, double B, double Width, double H);
};
