#include "support/RecordingDevice.h"

#include <cstdio>

#include "pdf/content/PDState.h"
#include "pdf/fonts/PDCMapParser.h"
#include "pdf/fonts/PDFont.h"

namespace {

std::string Num(double V, const char* Format = "%g") {
  char buf[32];
  std::snprintf(buf, sizeof buf, Format, V == 0 ? 0.0 : V);
  return buf;
}

std::string Path(const TvlPDState& S) {
  std::string out;
  for (int i = 0; i < S.Path->SubpathCount(); ++i) {
    const TvlPDSubPath* p = S.Path->Subpath(i);
    if (i) out += " |";
    for (int j = 0; j < p->PointCount(); ++j) {
      out += ' ';
      out += Num(p->X(j));
      out += ',';
      out += Num(p->Y(j));
      if (p->IsCurve(j)) out += 'c';
    }
    if (p->Closed()) out += " z";
  }
  return out;
}

std::string Color(const TvlPDColor& C, const TvlPDColorSpace* Space) {
  const int n = Space ? Space->ComponentCount() : 3;
  std::string out;
  for (int i = 0; i < n; ++i) {
    out += ' ';
    out += Num(C[i] / 65536.0, "%.4g");
  }
  return out;
}

std::string Text(std::string_view T) {
  std::string out;
  for (unsigned char c : T) {
    if (c >= 32 && c < 127) {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    }
  }
  return out;
}

}  // namespace

void RecordingDevice::Add(std::string Line) {
  ++Calls;
  if (!Quiet) Log.push_back(std::move(Line));
}

std::string RecordingDevice::Joined(size_t First) const {
  std::string out;
  for (size_t i = First; i < Log.size(); ++i) {
    if (i > First) out += "; ";
    out += Log[i];
  }
  return out;
}

std::string RecordingDevice::Operators() const {
  std::string out;
  for (const std::string& l : Log) {
    if (l.rfind("SetPageTransform", 0) == 0 || l == "UpdateAllState" ||
        l.rfind("StartPage", 0) == 0 || l == "EndPage")
      continue;
    if (!out.empty()) out += "; ";
    out += l;
  }
  return out;
}

void RecordingDevice::SetPageTransform(const TvlPDMatrix& M) {
  TvlPDExportDevice::SetPageTransform(M);
  Add("SetPageTransform " + Num(M.a) + " " + Num(M.b) + " " + Num(M.c) + " " + Num(M.d) + " " +
      Num(M.e) + " " + Num(M.f));
}
bool RecordingDevice::AcceptPage(TvlPDPage*, int Rotate, double HDPI, double, bool, bool, double,
                                 double, double, double) {
  Add("AcceptPage " + Num(Rotate) + " " + Num(HDPI));
  return Accept;
}
void RecordingDevice::StartPage(int N, const TvlPDState& S) {
  Add("StartPage " + Num(N) + " " + Num(S.PageWidth) + "x" + Num(S.PageHeight));
}
void RecordingDevice::EndPage() { Add("EndPage"); }
void RecordingDevice::SaveState(const TvlPDState& S) {
  MaxSaveDepth = std::max(MaxSaveDepth, S.Depth() + 1);
  Add("SaveState " + Num(S.Depth()));
}
void RecordingDevice::RestoreState(const TvlPDState& S) { Add("RestoreState " + Num(S.Depth())); }
// Logged as one line: the base would fan out into every Update call.
void RecordingDevice::UpdateAllState(const TvlPDState&) { Add("UpdateAllState"); }
void RecordingDevice::UpdateTransform(const TvlPDState& S, const TvlPDMatrix& M) {
  Add("UpdateTransform " + Num(M.a) + " " + Num(M.b) + " " + Num(M.c) + " " + Num(M.d) + " " +
      Num(M.e) + " " + Num(M.f) + " ctm " + Num(S.CTM.a) + " " + Num(S.CTM.e));
}
void RecordingDevice::UpdateLineDash(const TvlPDState& S) {
  std::string d;
  for (float v : S.DashArray) {
    d += ' ';
    d += Num(v);
  }
  Add("UpdateLineDash" + d + " phase " + Num(S.DashPhase));
}
void RecordingDevice::UpdateFlatness(const TvlPDState& S) { Add("UpdateFlatness " + Num(S.Flatness)); }
void RecordingDevice::UpdateLineJoin(const TvlPDState& S) { Add("UpdateLineJoin " + Num(S.LineJoin)); }
void RecordingDevice::UpdateLineCap(const TvlPDState& S) { Add("UpdateLineCap " + Num(S.LineCap)); }
void RecordingDevice::UpdateMiterLimit(const TvlPDState& S) {
  Add("UpdateMiterLimit " + Num(S.MiterLimit));
}
void RecordingDevice::UpdateLineWidth(const TvlPDState& S) { Add("UpdateLineWidth " + Num(S.LineWidth)); }
void RecordingDevice::UpdateFillColorSpace(const TvlPDState& S) {
  Add("UpdateFillColorSpace " + Num(S.FillColorSpace ? S.FillColorSpace->Family() : -1));
}
void RecordingDevice::UpdateStrokeColorSpace(const TvlPDState& S) {
  Add("UpdateStrokeColorSpace " + Num(S.StrokeColorSpace ? S.StrokeColorSpace->Family() : -1));
}
void RecordingDevice::UpdateFillColor(const TvlPDState& S) {
  Add("UpdateFillColor" + Color(S.FillColor, S.FillColorSpace));
}
void RecordingDevice::UpdateStrokeColor(const TvlPDState& S) {
  Add("UpdateStrokeColor" + Color(S.StrokeColor, S.StrokeColorSpace));
}
void RecordingDevice::UpdateFillAlpha(const TvlPDState& S) { Add("UpdateFillAlpha " + Num(S.FillAlpha)); }
void RecordingDevice::UpdateStrokeAlpha(const TvlPDState& S) {
  Add("UpdateStrokeAlpha " + Num(S.StrokeAlpha));
}
void RecordingDevice::UpdateFont(const TvlPDState& S) { Add("UpdateFont " + Num(S.FontSize)); }
void RecordingDevice::UpdateTextMatrix(const TvlPDState& S) {
  const TvlPDMatrix& M = S.TextMatrix;
  Add("UpdateTextMatrix " + Num(M.a) + " " + Num(M.b) + " " + Num(M.c) + " " + Num(M.d) + " " +
      Num(M.e) + " " + Num(M.f));
}
void RecordingDevice::UpdateCharSpacing(const TvlPDState& S) {
  Add("UpdateCharSpacing " + Num(S.CharSpacing));
}
void RecordingDevice::UpdateRenderMode(const TvlPDState& S) {
  Add("UpdateRenderMode " + Num(S.RenderMode));
}
void RecordingDevice::UpdateTextRise(const TvlPDState& S) { Add("UpdateTextRise " + Num(S.Rise)); }
void RecordingDevice::UpdateWordSpacing(const TvlPDState& S) {
  Add("UpdateWordSpacing " + Num(S.WordSpacing));
}
void RecordingDevice::UpdateHorizontalScale(const TvlPDState& S) {
  Add("UpdateHorizontalScale " + Num(S.HorizontalScale));
}
void RecordingDevice::UpdateTextPosition(const TvlPDState& S) {
  Add("UpdateTextPosition " + Num(S.LineX) + " " + Num(S.LineY));
}
void RecordingDevice::ShiftText(const TvlPDState& S, double A) {
  Add("ShiftText " + Num(A) + " x " + Num(S.CurX));
}
void RecordingDevice::StrokePath(const TvlPDState& S) { Add("StrokePath" + Path(S)); }
void RecordingDevice::FillPath(const TvlPDState& S) { Add("FillPath" + Path(S)); }
void RecordingDevice::FillPathEvenOdd(const TvlPDState& S) { Add("FillPathEvenOdd" + Path(S)); }
void RecordingDevice::ClipPath(const TvlPDState& S) { Add("ClipPath" + Path(S)); }
void RecordingDevice::ClipPathEvenOdd(const TvlPDState& S) { Add("ClipPathEvenOdd" + Path(S)); }
void RecordingDevice::BeginTextShow(const TvlPDState&) { Add("BeginTextShow"); }
void RecordingDevice::EndTextShow(const TvlPDState&) { Add("EndTextShow"); }
void RecordingDevice::BeginString(const TvlPDState&, std::string_view T) {
  Add("BeginString " + Text(T));
}
void RecordingDevice::EndString(const TvlPDState&) { Add("EndString"); }
void RecordingDevice::DrawGlyph(const TvlPDState& S, uint16_t U, double X, double Y, double DX,
                                double, std::string_view Name) {
  ++Glyphs;
  // Count what a reader sees: through the font's ToUnicode map when it has
  // one (subset fonts number their glyphs), one per character of a ligature.
  int ink = U != 32 && U != 9 && U != 10 && U != 13 && U != 0xA0 ? 1 : 0;
  if (S.Font && S.Font->ToUnicode()) {
    const int mapped = S.Font->ToUnicode()->MapCode(U);
    if (mapped >= 0) ink = mapped != 32 && mapped != 9 && mapped != 10 && mapped != 13 && mapped != 0xA0;
  }
  InkGlyphs += ink;
  if (S.Font && S.Font->FontKind() == fkType3) ++Type3Glyphs;
  if (Quiet) {
    ++Calls;
    return;
  }
  char buf[16];
  std::snprintf(buf, sizeof buf, "U+%04X", U);
  std::string line = "DrawGlyph ";
  line += buf;
  line += ' ';
  line += Num(X);
  line += ',';
  line += Num(Y);
  line += " +";
  line += Num(DX);
  if (!Name.empty()) {
    line += ' ';
    line += Name;
  }
  Add(std::move(line));
}
void RecordingDevice::EndTextObject(const TvlPDState&) { Add("EndTextObject"); }
void RecordingDevice::DrawImage(const TvlPDState&, TvlPDImage&) {
  ++Images;
  Add("DrawImage");
}
void RecordingDevice::DrawForm(const TvlPDState&, TvlPDForm&) {
  ++Forms;
  Add("DrawForm");
}
void RecordingDevice::BeginAnnotation(const TvlPDState&) { Add("BeginAnnotation"); }
void RecordingDevice::DrawString(const TvlPDState& S, std::string_view T, double X, double Y) {
  (void)S;
  Add("DrawString " + Text(T) + " " + Num(X) + "," + Num(Y));
}
