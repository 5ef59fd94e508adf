#include "pdf/content/PDExportDevice.h"

TvlPDExportDevice::~TvlPDExportDevice() = default;

void TvlPDExportDevice::SetPageTransform(const TvlPDMatrix& Matrix) {
  if (!DefaultCTM) DefaultCTM = std::make_unique<TvlPDMatrix>();
  if (!DefaultICTM) DefaultICTM = std::make_unique<TvlPDMatrix>();
  *DefaultCTM = Matrix;
  *DefaultICTM = Matrix.Inverse();
}

bool TvlPDExportDevice::AcceptPage(TvlPDPage*, int, double, double, bool, bool, double, double,
                                   double, double) {
  return true;
}

void TvlPDExportDevice::StartPage(int, const TvlPDState&) {}
void TvlPDExportDevice::EndPage() {}
void TvlPDExportDevice::Reserved4() {}

void TvlPDExportDevice::DeviceToUser(double& UX, double& UY, double DX, double DY) {
  const TvlPDMatrix m = DefaultICTM ? *DefaultICTM : TvlPDMatrix();
  m.Transform(DX, DY, UX, UY);
}

void TvlPDExportDevice::UserToDevice(double& DX, double& DY, double UX, double UY) {
  const TvlPDMatrix m = DefaultCTM ? *DefaultCTM : TvlPDMatrix();
  m.Transform(UX, UY, DX, DY);
  DX += 0.5;
  DY += 0.5;
}

void TvlPDExportDevice::SaveState(const TvlPDState&) {}
void TvlPDExportDevice::RestoreState(const TvlPDState&) {}

void TvlPDExportDevice::UpdateAllState(const TvlPDState& S) {
  UpdateLineDash(S);
  UpdateFlatness(S);
  UpdateLineJoin(S);
  UpdateLineCap(S);
  UpdateMiterLimit(S);
  UpdateLineWidth(S);
  UpdateReserved17(S);
  UpdateFillColorSpace(S);
  UpdateFillColor(S);
  UpdateStrokeColorSpace(S);
  UpdateStrokeColor(S);
  UpdateReserved22(S);
  UpdateFillAlpha(S);
  UpdateStrokeAlpha(S);
  UpdateReserved25(S);
  UpdateReserved26(S);
  UpdateReserved27(S);
}

void TvlPDExportDevice::UpdateTransform(const TvlPDState&, const TvlPDMatrix&) {}
void TvlPDExportDevice::UpdateLineDash(const TvlPDState&) {}
void TvlPDExportDevice::UpdateFlatness(const TvlPDState&) {}
void TvlPDExportDevice::UpdateLineJoin(const TvlPDState&) {}
void TvlPDExportDevice::UpdateLineCap(const TvlPDState&) {}
void TvlPDExportDevice::UpdateMiterLimit(const TvlPDState&) {}
void TvlPDExportDevice::UpdateLineWidth(const TvlPDState&) {}
void TvlPDExportDevice::UpdateReserved17(const TvlPDState&) {}
void TvlPDExportDevice::UpdateFillColorSpace(const TvlPDState&) {}
void TvlPDExportDevice::UpdateStrokeColorSpace(const TvlPDState&) {}
void TvlPDExportDevice::UpdateFillColor(const TvlPDState&) {}
void TvlPDExportDevice::UpdateStrokeColor(const TvlPDState&) {}
void TvlPDExportDevice::UpdateReserved22(const TvlPDState&) {}
void TvlPDExportDevice::UpdateFillAlpha(const TvlPDState&) {}
void TvlPDExportDevice::UpdateStrokeAlpha(const TvlPDState&) {}
void TvlPDExportDevice::UpdateReserved25(const TvlPDState&) {}
void TvlPDExportDevice::UpdateReserved26(const TvlPDState&) {}
void TvlPDExportDevice::UpdateReserved27(const TvlPDState&) {}
void TvlPDExportDevice::Reserved28() {}
void TvlPDExportDevice::UpdateFont(const TvlPDState&) {}
void TvlPDExportDevice::UpdateTextMatrix(const TvlPDState&) {}
void TvlPDExportDevice::UpdateCharSpacing(const TvlPDState&) {}
void TvlPDExportDevice::UpdateRenderMode(const TvlPDState&) {}
void TvlPDExportDevice::UpdateTextRise(const TvlPDState&) {}
void TvlPDExportDevice::UpdateWordSpacing(const TvlPDState&) {}
void TvlPDExportDevice::UpdateHorizontalScale(const TvlPDState&) {}
void TvlPDExportDevice::UpdateTextPosition(const TvlPDState&) {}
void TvlPDExportDevice::ShiftText(const TvlPDState&, double) {}
void TvlPDExportDevice::StrokePath(const TvlPDState&) {}
void TvlPDExportDevice::FillPath(const TvlPDState&) {}
void TvlPDExportDevice::FillPathEvenOdd(const TvlPDState&) {}
void TvlPDExportDevice::ClipPath(const TvlPDState&) {}
void TvlPDExportDevice::ClipPathEvenOdd(const TvlPDState&) {}
void TvlPDExportDevice::ClipPathAlternate(const TvlPDState&) {}
void TvlPDExportDevice::BeginTextShow(const TvlPDState&) {}
void TvlPDExportDevice::EndTextShow(const TvlPDState&) {}
void TvlPDExportDevice::BeginString(const TvlPDState&, std::string_view) {}
void TvlPDExportDevice::EndString(const TvlPDState&) {}
void TvlPDExportDevice::DrawGlyph(const TvlPDState&, uint16_t, double, double, double, double,
                                  std::string_view) {}
void TvlPDExportDevice::Reserved49() {}
int TvlPDExportDevice::Reserved50() { return 0; }
void TvlPDExportDevice::Reserved51() {}
void TvlPDExportDevice::EndTextObject(const TvlPDState&) {}
void TvlPDExportDevice::DrawImage(const TvlPDState&, TvlPDImage&) {}
void TvlPDExportDevice::DrawForm(const TvlPDState&, TvlPDForm&) {}
void TvlPDExportDevice::BeginAnnotation(const TvlPDState&) {}
void TvlPDExportDevice::DrawString(const TvlPDState&, std::string_view, double, double) {}
