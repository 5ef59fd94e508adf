#include "pdf/content/PDState.h"

#include <cmath>

TvlPDState::TvlPDState(int Rotate_, double HDPI_, double VDPI_, const TvlPDRect* Box)
    : Path(std::make_unique<TvlPDPath>()), VDPI(VDPI_), HDPI(HDPI_), Rotate(Rotate_) {
  if (Box) {
    PageBox[0] = Box->Left;
    PageBox[1] = Box->Bottom;
    PageBox[2] = Box->Right;
    PageBox[3] = Box->Top;
  }
  const double kx = HDPI / 72, ky = VDPI / 72;
  const double x1 = PageBox[0], y1 = PageBox[1], x2 = PageBox[2], y2 = PageBox[3];
  switch (Rotate) {
    case 90:
      CTM.Set(0, -ky, kx, 0, -kx * y1, ky * x2);
      PageWidth = (y2 - y1) * kx;
      PageHeight = (x2 - x1) * ky;
      break;
    case 180:
      CTM.Set(-ky, 0, 0, -kx, kx * x2, ky * y2);
      PageWidth = (x2 - x1) * kx;
      PageHeight = (y2 - y1) * ky;
      break;
    case 270:
      CTM.Set(0, ky, -kx, 0, kx * y2, -ky * x1);
      PageWidth = (y2 - y1) * ky;
      PageHeight = (x2 - x1) * kx;
      break;
    default:
      CTM.Set(kx, 0, 0, ky, -kx * x1, -ky * y1);
      PageWidth = (x2 - x1) * kx;
      PageHeight = (y2 - y1) * ky;
      break;
  }
  OwnedFill = std::make_unique<TvlPDDeviceGrayColorSpace>();
  OwnedStroke = std::make_unique<TvlPDDeviceGrayColorSpace>();
  FillColorSpace = OwnedFill.get();
  StrokeColorSpace = OwnedStroke.get();
}

TvlPDState::~TvlPDState() {
  // Unlink the saved chain level by level: a deep q stack must not recurse.
  while (SavedState) {
    std::unique_ptr<TvlPDState> s = std::move(SavedState);
    SavedState = std::move(s->SavedState);
  }
}

void TvlPDState::CopyFieldsFrom(const TvlPDState& S) {
  LineJoin = S.LineJoin;
  DashArray = S.DashArray;
  DashCount = S.DashCount;
  DashPhase = S.DashPhase;
  LineWidth = S.LineWidth;
  LineCap = S.LineCap;
  MiterLimit = S.MiterLimit;
  FillAlpha = S.FillAlpha;
  Flatness = S.Flatness;
  VDPI = S.VDPI;
  HDPI = S.HDPI;
  PageWidth = S.PageWidth;
  PageHeight = S.PageHeight;
  std::copy(std::begin(S.PageBox), std::end(S.PageBox), PageBox);
  LineX = S.LineX;
  LineY = S.LineY;
  CurX = S.CurX;
  CurY = S.CurY;
  CTM = S.CTM;
  TextMatrix = S.TextMatrix;
  FontSize = S.FontSize;
  Font = S.Font;
  WordSpacing = S.WordSpacing;
  CharSpacing = S.CharSpacing;
  GlyphWidth = S.GlyphWidth;
  HorizontalScale = S.HorizontalScale;
  RenderMode = S.RenderMode;
  Leading = S.Leading;
  StrokeAlpha = S.StrokeAlpha;
  FillPattern = S.FillPattern;
  StrokeColorSpace = S.StrokeColorSpace;
  FillColorSpace = S.FillColorSpace;
  FillColor = S.FillColor;
  StrokeColor = S.StrokeColor;
  StrokePattern = S.StrokePattern;
  Rise = S.Rise;
  Rotate = S.Rotate;
  PageNumber = S.PageNumber;
}

std::unique_ptr<TvlPDState> TvlPDState::Clone() const {
  std::unique_ptr<TvlPDState> s(new TvlPDState());
  s->CopyFieldsFrom(*this);
  s->Path = Path->Clone();
  return s;
}

std::unique_ptr<TvlPDState> TvlPDState::Save(std::unique_ptr<TvlPDState> Current) {
  std::unique_ptr<TvlPDState> s(new TvlPDState());
  s->CopyFieldsFrom(*Current);
  s->Path = std::move(Current->Path);
  Current->Path = std::make_unique<TvlPDPath>();
  s->SaveDepth = Current->SaveDepth + 1;
  s->SavedState = std::move(Current);
  return s;
}

std::unique_ptr<TvlPDState> TvlPDState::Restore(std::unique_ptr<TvlPDState> Current) {
  if (!Current->SavedState) return Current;
  std::unique_ptr<TvlPDState> s = std::move(Current->SavedState);
  s->Path = std::move(Current->Path);
  s->CurX = Current->CurX;
  s->CurY = Current->CurY;
  s->LineX = Current->LineX;
  s->LineY = Current->LineY;
  return s;
}

void TvlPDState::ConcatCTM(const TvlPDMatrix& M) {
  const TvlPDMatrix& C = CTM;
  double v[6] = {M.a * C.a + M.b * C.c,       M.a * C.b + M.b * C.d,
                 M.c * C.a + M.d * C.c,       M.c * C.b + M.d * C.d,
                 M.e * C.a + M.f * C.c + C.e, M.e * C.b + M.f * C.d + C.f};
  // Held at +-1e10 so later transformations stay finite.
  for (double& x : v) {
    if (x > 1e10) x = 1e10;
    else if (!(x >= -1e10)) x = -1e10;
  }
  CTM.Set(v[0], v[1], v[2], v[3], v[4], v[5]);
}

void TvlPDState::MoveTo(double X, double Y) {
  Path->MoveTo(X, Y);
  CurX = X;
  CurY = Y;
}
void TvlPDState::LineTo(double X, double Y) {
  Path->LineTo(X, Y);
  CurX = X;
  CurY = Y;
}
void TvlPDState::CurveTo(double X1, double Y1, double X2, double Y2, double X3, double Y3) {
  Path->CurveTo(X1, Y1, X2, Y2, X3, Y3);
  CurX = X3;
  CurY = Y3;
}
void TvlPDState::ClosePath() { Path->ClosePath(CurX, CurY); }

double TvlPDState::TransformedFontSize() const {
  const double x1 = TextMatrix.c * FontSize, y1 = TextMatrix.d * FontSize;
  const double x2 = CTM.a * x1 + CTM.c * y1, y2 = CTM.b * x1 + CTM.d * y1;
  return std::sqrt(x2 * x2 + y2 * y2);
}

void TvlPDState::SetFillColorSpace(TvlPDColorSpace* Space, bool Owned) {
  OwnedFill.reset(Owned ? Space : nullptr);
  FillColorSpace = Space;
}
void TvlPDState::SetStrokeColorSpace(TvlPDColorSpace* Space, bool Owned) {
  OwnedStroke.reset(Owned ? Space : nullptr);
  StrokeColorSpace = Space;
}
void TvlPDState::SetFillColorSpace(std::unique_ptr<TvlPDColorSpace> Space) {
  SetFillColorSpace(Space.release(), true);
}
void TvlPDState::SetStrokeColorSpace(std::unique_ptr<TvlPDColorSpace> Space) {
  SetStrokeColorSpace(Space.release(), true);
}

// A colour with no space is already RGB.
static void ColorToRGB(const TvlPDColorSpace* Space, const TvlPDColor& Color, int32_t& R, int32_t& G,
                       int32_t& B) {
  if (!Space) {
    R = Color[0];
    G = Color[1];
    B = Color[2];
    return;
  }
  int32_t rgb[3] = {0, 0, 0};
  Space->ToRGB(Color, rgb);
  R = rgb[0];
  G = rgb[1];
  B = rgb[2];
}

void TvlPDState::GetFillRGB(int32_t& R, int32_t& G, int32_t& B) const {
  ColorToRGB(FillColorSpace, FillColor, R, G, B);
}

void TvlPDState::GetStrokeRGB(int32_t& R, int32_t& G, int32_t& B) const {
  ColorToRGB(StrokeColorSpace, StrokeColor, R, G, B);
}

void TvlPDState::SetDash(const float* Values, int Count, double Phase) {
  DashArray.assign(Values, Values + std::max(Count, 0));
  DashCount = std::max(Count, 0);
  DashPhase = Phase;
}
