// A test device that logs each call with its key arguments, one line per
// call, so a test can compare the sequence with what it expects.
#pragma once

#include <string>
#include <vector>

#include "pdf/content/PDExportDevice.h"

class RecordingDevice : public TvlPDExportDevice {
public:
  explicit RecordingDevice(bool Glyphs = true) { DrawsGlyphs = Glyphs; }

  std::vector<std::string> Log;
  long Glyphs = 0;       // DrawGlyph calls
  long InkGlyphs = 0;    // DrawGlyph calls for characters other than white space
  long Type3Glyphs = 0;  // DrawGlyph calls in a Type3 font
  long Forms = 0;        // DrawForm calls
  long Images = 0;       // DrawImage calls
  long Calls = 0;        // every call
  bool Accept = true;    // AcceptPage result
  bool Quiet = false;    // count only, keep no log (corpus runs)
  int MaxSaveDepth = 0;  // deepest SaveState nesting seen
  // Lines of the log joined with "; ", from entry First on.
  std::string Joined(size_t First = 0) const;
  // The log without the calls every stream starts with (SetPageTransform,
  // UpdateAllState) and without StartPage/EndPage.
  std::string Operators() const;

  void SetPageTransform(const TvlPDMatrix& M) override;
  bool AcceptPage(TvlPDPage* Page, int Rotate, double HDPI, double VDPI, bool UseMediaBox,
                  bool Crop, double SliceX, double SliceY, double SliceW, double SliceH) override;
  void StartPage(int PageNumber, const TvlPDState& S) override;
  void EndPage() override;
  void SaveState(const TvlPDState& S) override;
  void RestoreState(const TvlPDState& S) override;
  void UpdateAllState(const TvlPDState& S) override;
  void UpdateTransform(const TvlPDState& S, const TvlPDMatrix& M) override;
  void UpdateLineDash(const TvlPDState& S) override;
  void UpdateFlatness(const TvlPDState& S) override;
  void UpdateLineJoin(const TvlPDState& S) override;
  void UpdateLineCap(const TvlPDState& S) override;
  void UpdateMiterLimit(const TvlPDState& S) override;
  void UpdateLineWidth(const TvlPDState& S) override;
  void UpdateFillColorSpace(const TvlPDState& S) override;
  void UpdateStrokeColorSpace(const TvlPDState& S) override;
  void UpdateFillColor(const TvlPDState& S) override;
  void UpdateStrokeColor(const TvlPDState& S) override;
  void UpdateFillAlpha(const TvlPDState& S) override;
  void UpdateStrokeAlpha(const TvlPDState& S) override;
  void UpdateFont(const TvlPDState& S) override;
  void UpdateTextMatrix(const TvlPDState& S) override;
  void UpdateCharSpacing(const TvlPDState& S) override;
  void UpdateRenderMode(const TvlPDState& S) override;
  void UpdateTextRise(const TvlPDState& S) override;
  void UpdateWordSpacing(const TvlPDState& S) override;
  void UpdateHorizontalScale(const TvlPDState& S) override;
  void UpdateTextPosition(const TvlPDState& S) override;
  void ShiftText(const TvlPDState& S, double Adjustment) override;
  void StrokePath(const TvlPDState& S) override;
  void FillPath(const TvlPDState& S) override;
  void FillPathEvenOdd(const TvlPDState& S) override;
  void ClipPath(const TvlPDState& S) override;
  void ClipPathEvenOdd(const TvlPDState& S) override;
  void BeginTextShow(const TvlPDState& S) override;
  void EndTextShow(const TvlPDState& S) override;
  void BeginString(const TvlPDState& S, std::string_view Text) override;
  void EndString(const TvlPDState& S) override;
  void DrawGlyph(const TvlPDState& S, uint16_t Unicode, double X, double Y, double DX, double DY,
                 std::string_view GlyphName) override;
  void EndTextObject(const TvlPDState& S) override;
  void DrawImage(const TvlPDState& S, TvlPDImage& Image) override;
  void DrawForm(const TvlPDState& S, TvlPDForm& Form) override;
  void BeginAnnotation(const TvlPDState& S) override;
  void DrawString(const TvlPDState& S, std::string_view Text, double X, double Y) override;

private:
  void Add(std::string Line);
};
