#include "writer/vlWriterClasses.h"

#include <utility>

namespace {
constexpr TvlPaperDimensions kPaper[] = {
    {8.5, 11},          {8.5, 11},         {11, 17},          {17, 11},           {8.5, 14},
    {5.5, 8.5},         {7.25, 10.5},      {11.6929, 16.5354}, {8.2677, 11.6929}, {8.2677, 11.6929},
    {5.8267, 8.2677},   {9.8425, 13.8976}, {6.9291, 9.8425},  {8.5, 13},          {8.4645, 10.8267},
    {10, 14},           {10, 17},          {8.5, 11},         {4.125, 9.5},       {4.5, 10.375},
    {4.75, 11},         {5, 11.5},         {17, 22},          {22, 34},           {34, 44},
    {4.3307, 8.6614},   {6.3779, 9.0157},  {12.7559, 18.0314}, {9.1057, 12.7559}, {4.4881, 6.3779},
    {4.4881, 9.0157},   {9.8425, 13.8976}, {6.9291, 9.8425},  {6.9291, 4.9212},   {4.3307, 9.0551},
    {3.875, 7.5},       {3.625, 6.5},      {14.875, 11},      {8.5, 12},          {9.8425, 13.8976},
    {0, 0},
};
static_assert(std::size(kPaper) == static_cast<size_t>(TvlPaperSize::Custom) + 1);
}  // namespace

TvlPaperDimensions PaperDimensions(TvlPaperSize Size) {
  auto i = static_cast<size_t>(Size);
  return i < std::size(kPaper) ? kPaper[i] : TvlPaperDimensions{0, 0};
}

TvlPageSettings::TvlPageSettings() { SetPaperSize(TvlPaperSize::A4); }

void TvlPageSettings::SetPaperSize(TvlPaperSize Value) {
  FPaperSize = Value;
  if (Value == TvlPaperSize::Custom) return;
  TvlPaperDimensions d = PaperDimensions(Value);
  FWidth = d.Width * ScreenPixelsPerInch;
  FHeight = d.Height * ScreenPixelsPerInch;
  if (FOrientation == poLandscape) std::swap(FWidth, FHeight);
}

void TvlPageSettings::SetOrientation(TPrinterOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  std::swap(FWidth, FHeight);
}

void TvlPageSettings::Assign(const TPersistent& Source) {
  auto* s = dynamic_cast<const TvlPageSettings*>(&Source);
  if (!s) return TPersistent::Assign(Source);
  double factor = FNativeFactor;
  *this = *s;
  FNativeFactor = factor;
}

void TvlBorder::Assign(const TPersistent& Source) {
  auto* s = dynamic_cast<const TvlBorder*>(&Source);
  if (!s) return TPersistent::Assign(Source);
  DrawLeft = s->DrawLeft;
  DrawRight = s->DrawRight;
  DrawTop = s->DrawTop;
  DrawBottom = s->DrawBottom;
  Color = s->Color;
  Style = s->Style;
  Width = s->Width;
}

void TvlParaBorder::Assign(const TPersistent& Source) {
  TvlBorder::Assign(Source);
  if (auto* s = dynamic_cast<const TvlParaBorder*>(&Source)) Spacing = s->Spacing;
}

void TvlTextFormatting::Assign(const TPersistent& Source) {
  auto* s = dynamic_cast<const TvlTextFormatting*>(&Source);
  if (!s) return TPersistent::Assign(Source);
  FSpaceBefore = s->FSpaceBefore;
  FLeftIndent = s->FLeftIndent;
  FRightIndent = s->FRightIndent;
  FFirstLineIndent = s->FFirstLineIndent;
  FLineSpacing = s->FLineSpacing;
  FAlignment = s->FAlignment;
  FBorder.Assign(s->FBorder);
  FUseLineSpacing = s->FUseLineSpacing;
  FLineSpacingAtLeast = s->FLineSpacingAtLeast;
}

void TvlImageSettings::Assign(const TPersistent& Source) {
  auto* s = dynamic_cast<const TvlImageSettings*>(&Source);
  if (!s) return TPersistent::Assign(Source);
  *this = *s;
}

void TvlTextEffects::Assign(const TPersistent& Source) {
  auto* s = dynamic_cast<const TvlTextEffects*>(&Source);
  if (!s) return TPersistent::Assign(Source);
  *this = *s;
}

void TvlTableSettings::Assign(const TPersistent& Source) {
  auto* s = dynamic_cast<const TvlTableSettings*>(&Source);
  if (!s) return TPersistent::Assign(Source);
  CellAlignment = s->CellAlignment;
  CellVerticalAlignment = s->CellVerticalAlignment;
}

void TvlFrame::Assign(const TPersistent& Source) {
  auto* s = dynamic_cast<const TvlFrame*>(&Source);
  if (!s) return TPersistent::Assign(Source);
  *this = *s;
}
