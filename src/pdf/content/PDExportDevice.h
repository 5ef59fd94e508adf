// The sink page interpretation draws on. Every operation is a no-op unless a
// device overrides it (a few have small default bodies); the order of the
// virtual operations is part of the contract. A device must not keep the
// state it is handed beyond the call: the interpreter replaces it on q and Q.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "pdf/pages/PDMatrix.h"

class TvlPDState;
class TvlPDPage;
class TvlPDImage;
class TvlPDForm;

class TvlPDExportDevice {
public:
  TvlPDExportDevice() = default;
  virtual ~TvlPDExportDevice();
  TvlPDExportDevice(const TvlPDExportDevice&) = delete;
  TvlPDExportDevice& operator=(const TvlPDExportDevice&) = delete;

  // Inverse of DefaultCTM; null until the first SetPageTransform.
  std::unique_ptr<TvlPDMatrix> DefaultICTM;
  // Strings shown in a Type3 font draw nothing.
  bool SkipsType3Text = false;
  // Strings arrive glyph by glyph (BeginString, DrawGlyph..., EndString)
  // instead of as one DrawString each.
  bool DrawsGlyphs = false;
  // The page-to-device transformation the page started with.
  std::unique_ptr<TvlPDMatrix> DefaultCTM;
  // The device's y axis grows downwards.
  bool UpsideDown = false;

  // Once per content stream, before its first operator: copies Matrix and its inverse.
  virtual void SetPageTransform(const TvlPDMatrix& Matrix);
  // False skips the page. Slice values are -1 for a whole page.
  virtual bool AcceptPage(TvlPDPage* Page, int Rotate, double HDPI, double VDPI, bool UseMediaBox,
                          bool Crop, double SliceX, double SliceY, double SliceW, double SliceH);
  virtual void StartPage(int PageNumber, const TvlPDState& State);
  virtual void EndPage();
  virtual void Reserved4();
  // Through DefaultICTM.
  virtual void DeviceToUser(double& UX, double& UY, double DX, double DY);
  // Through DefaultCTM, plus one half.
  virtual void UserToDevice(double& DX, double& DY, double UX, double UY);
  virtual void SaveState(const TvlPDState& State);
  virtual void RestoreState(const TvlPDState& State);
  // Calls every Update operation below from UpdateLineDash to UpdateReserved27
  // (fill colour before stroke colour space).
  virtual void UpdateAllState(const TvlPDState& State);
  // Matrix: the operand of cm (the state's CTM is already concatenated).
  virtual void UpdateTransform(const TvlPDState& State, const TvlPDMatrix& Matrix);
  virtual void UpdateLineDash(const TvlPDState& State);
  virtual void UpdateFlatness(const TvlPDState& State);
  virtual void UpdateLineJoin(const TvlPDState& State);
  virtual void UpdateLineCap(const TvlPDState& State);
  virtual void UpdateMiterLimit(const TvlPDState& State);
  virtual void UpdateLineWidth(const TvlPDState& State);
  virtual void UpdateReserved17(const TvlPDState& State);
  virtual void UpdateFillColorSpace(const TvlPDState& State);
  virtual void UpdateStrokeColorSpace(const TvlPDState& State);
  virtual void UpdateFillColor(const TvlPDState& State);
  virtual void UpdateStrokeColor(const TvlPDState& State);
  virtual void UpdateReserved22(const TvlPDState& State);
  virtual void UpdateFillAlpha(const TvlPDState& State);
  virtual void UpdateStrokeAlpha(const TvlPDState& State);
  virtual void UpdateReserved25(const TvlPDState& State);
  virtual void UpdateReserved26(const TvlPDState& State);
  virtual void UpdateReserved27(const TvlPDState& State);
  virtual void Reserved28();
  // Before Tj, TJ, ' and " draw, when the font, text matrix, CTM or
  // horizontal scale changed since the last call.
  virtual void UpdateFont(const TvlPDState& State);
  virtual void UpdateTextMatrix(const TvlPDState& State);
  virtual void UpdateCharSpacing(const TvlPDState& State);
  virtual void UpdateRenderMode(const TvlPDState& State);
  virtual void UpdateTextRise(const TvlPDState& State);
  virtual void UpdateWordSpacing(const TvlPDState& State);
  virtual void UpdateHorizontalScale(const TvlPDState& State);
  virtual void UpdateTextPosition(const TvlPDState& State);
  // A number inside a TJ array (thousandths of text space), after the shift.
  virtual void ShiftText(const TvlPDState& State, double Adjustment);
  virtual void StrokePath(const TvlPDState& State);
  virtual void FillPath(const TvlPDState& State);
  virtual void FillPathEvenOdd(const TvlPDState& State);
  virtual void ClipPath(const TvlPDState& State);
  virtual void ClipPathEvenOdd(const TvlPDState& State);
  virtual void ClipPathAlternate(const TvlPDState& State);
  virtual void BeginTextShow(const TvlPDState& State);
  virtual void EndTextShow(const TvlPDState& State);
  // Text: the string operand's bytes (for a code of a hexadecimal string, the
  // code's bytes, high byte first).
  virtual void BeginString(const TvlPDState& State, std::string_view Text);
  virtual void EndString(const TvlPDState& State);
  // X, Y: the text position before the glyph (text space, without rise);
  // DX, DY: its advance. GlyphName is empty when the font has none.
  virtual void DrawGlyph(const TvlPDState& State, uint16_t Unicode, double X, double Y, double DX,
                         double DY, std::string_view GlyphName);
  virtual void Reserved49();
  virtual int Reserved50();
  virtual void Reserved51();
  virtual void EndTextObject(const TvlPDState& State);
  virtual void DrawImage(const TvlPDState& State, TvlPDImage& Image);
  virtual void DrawForm(const TvlPDState& State, TvlPDForm& Form);
  virtual void BeginAnnotation(const TvlPDState& State);
  // One whole string operand at the text position, when DrawsGlyphs is off.
  virtual void DrawString(const TvlPDState& State, std::string_view Text, double X, double Y);
};
