// The graphics and text state of one level of the q/Q stack. Each level owns
// the level below it (Saved), so the whole stack goes away with the current
// state; Save and Restore move the current path between levels instead of
// copying it, because the path always survives Q.
#pragma once

#include <memory>
#include <vector>

#include "pdf/content/PDColorSpace.h"
#include "pdf/content/PDPath.h"
#include "pdf/pages/PDMatrix.h"
#include "pdf/pages/PDRect.h"

class TvlPDFont;

class TvlPDState {
public:
  // A fresh state for a page: the page transform for the rotation, the
  // resolutions and the page box (0, 0, 850, 1191 without one).
  TvlPDState(int Rotate, double HDPI, double VDPI, const TvlPDRect* PageBox);
  ~TvlPDState();
  TvlPDState(const TvlPDState&) = delete;
  TvlPDState& operator=(const TvlPDState&) = delete;

  std::unique_ptr<TvlPDPath> Path;
  int LineJoin = 0;
  std::vector<float> DashArray;
  int DashCount = 0;
  double DashPhase = 0;
  double LineWidth = 1.0;
  int LineCap = 0;
  double MiterLimit = 10.0;
  double FillAlpha = 1.0;
  double Flatness = 1.0;
  double VDPI = 72, HDPI = 72;
  double PageWidth = 0, PageHeight = 0;
  double PageBox[4] = {0, 0, 850, 1191};
  double LineX = 0, LineY = 0;
  // The current text position (text space) and the current point of path
  // construction (user space) share these.
  double CurX = 0, CurY = 0;
  TvlPDMatrix CTM;
  TvlPDMatrix TextMatrix;
  double FontSize = 0;
  TvlPDFont* Font = nullptr;
  double WordSpacing = 0;
  double CharSpacing = 0;
  double GlyphWidth = 0;
  double HorizontalScale = 1.0;
  double RenderMode = 0;
  double Leading = 0;
  double StrokeAlpha = 1.0;
  const void* FillPattern = nullptr;  // patterns are not supported: never set
  TvlPDColorSpace* StrokeColorSpace = nullptr;
  TvlPDColorSpace* FillColorSpace = nullptr;
  TvlPDColor FillColor{};
  TvlPDColor StrokeColor{};
  const void* StrokePattern = nullptr;
  double Rise = 0;
  int Rotate = 0;
  int PageNumber = 0;

  bool OwnsFillColorSpace() const { return OwnedFill != nullptr; }
  bool OwnsStrokeColorSpace() const { return OwnedStroke != nullptr; }
  // The state q saved (the next lower level), or null.
  TvlPDState* Saved() const { return SavedState.get(); }
  // Number of levels below this one.
  int Depth() const { return SaveDepth; }

  // q: a new level whose Saved is Current; the path moves up with it.
  static std::unique_ptr<TvlPDState> Save(std::unique_ptr<TvlPDState> Current);
  // Q: the saved level with this level's path, current point and text line
  // position; without a saved level the state comes back unchanged.
  static std::unique_ptr<TvlPDState> Restore(std::unique_ptr<TvlPDState> Current);
  // A copy of every field except the saved levels; the copy shares the colour
  // spaces and font and owns neither space.
  std::unique_ptr<TvlPDState> Clone() const;

  void ConcatCTM(const TvlPDMatrix& M);

  void MoveTo(double X, double Y);
  void LineTo(double X, double Y);
  void CurveTo(double X1, double Y1, double X2, double Y2, double X3, double Y3);
  void ClosePath();
  void ClearPath() { Path->Clear(); }
  bool HasCurrentPoint() const { return Path->JustMoved || Path->SubpathCount() > 0; }
  bool HasSubpath() const { return Path->SubpathCount() > 0; }

  void TextMoveTo(double TX, double TY) {
    LineX = CurX = TX;
    LineY = CurY = TY;
  }
  void TextShift(double DX, double DY) {
    CurX += DX;
    CurY += DY;
  }
  void Advance(double DX, double DY) {
    CurX += DX;
    CurY += DY;
  }
  double TransformedFontSize() const;
  void TextToUser(double X, double Y, double& UX, double& UY) const {
    TextMatrix.Transform(X, Y, UX, UY);
  }

  // Replaces the space (freeing an owned previous one). Owned says whether
  // this state takes ownership; a borrowed space must outlive the state.
  void SetFillColorSpace(TvlPDColorSpace* Space, bool Owned);
  void SetStrokeColorSpace(TvlPDColorSpace* Space, bool Owned);
  void SetFillColorSpace(std::unique_ptr<TvlPDColorSpace> Space);
  void SetStrokeColorSpace(std::unique_ptr<TvlPDColorSpace> Space);
  void SetFillColor(const TvlPDColor& C) { FillColor = C; }
  void SetStrokeColor(const TvlPDColor& C) { StrokeColor = C; }
  // RGB of the fill colour in 16.16; without a space the first three components.
  void GetFillRGB(int32_t& R, int32_t& G, int32_t& B) const;
  void GetStrokeRGB(int32_t& R, int32_t& G, int32_t& B) const;

  void SetCharSpacing(double V) { CharSpacing = V; }
  void SetWordSpacing(double V) { WordSpacing = V; }
  void SetHorizontalScale(double V) { HorizontalScale = V; }
  void SetLeading(double V) { Leading = V; }
  void SetRise(double V) { Rise = V; }
  void SetRenderMode(double V) { RenderMode = V; }
  void SetFont(TvlPDFont* F) { Font = F; }
  void SetFontSize(double V) { FontSize = V; }
  void SetLineWidth(double V) { LineWidth = V; }
  void SetLineCap(int V) { LineCap = V; }
  void SetLineJoin(int V) { LineJoin = V; }
  void SetMiterLimit(double V) { MiterLimit = V; }
  void SetFlatness(double V) { Flatness = V; }
  void SetFillAlpha(double V) { FillAlpha = V; }
  void SetStrokeAlpha(double V) { StrokeAlpha = V; }
  void SetFillPattern(const void* P) { FillPattern = P; }
  void SetStrokePattern(const void* P) { StrokePattern = P; }
  void SetDash(const float* Values, int Count, double Phase);

private:
  TvlPDState() = default;
  void CopyFieldsFrom(const TvlPDState& S);
  std::unique_ptr<TvlPDColorSpace> OwnedFill, OwnedStroke;
  std::unique_ptr<TvlPDState> SavedState;
  int SaveDepth = 0;
};
