#include "formatter/vlFormatter.h"

#include <algorithm>

#include "writer/vlConvUtils.h"

TvlFormatter::TvlFormatter(TvlDocumentWriter* ADoc) : TvlDocumentWriter(nullptr, ADoc), FDoc(ADoc) {
  // A new conversion starts from clean process-wide layout state.
  LayoutGlobals().Reset();
  FCollector.LineSequence = 0;
  NewPage();
}

TvlFormatter::~TvlFormatter() {
  if (LayoutGlobals().Formatter == this) LayoutGlobals().Formatter = nullptr;
}

TSize TvlFormatter::MeasureWithService(const WideString& S, const TFont& Font) { return TextExtent(S, Font); }

TSize TvlFormatter::MeasureText(const WideString& S, const TFont& Font) const {
  TFont f;
  f.Name = Font.Name;
  f.Size = Font.Size;
  f.Style = Font.Style;
  f.Color = Font.Color;
  f.Charset = Font.Charset;
  return MeasureWithService(S, f);
}

TSize TvlFormatter::MeasureText(const AnsiString& S, const TFont& Font) const {
  WideString w;
  w.reserve(S.size());
  for (unsigned char c : S) w += vl::Cp1252ToUnicode(c);
  return MeasureText(w, Font);
}

void TvlFormatter::SetMeasurementUnit(TvlMeasurementUnit Value) {
  FUnit = Value;
  FFactor = Factor(Value);
  FSettings.SetNativeFactor(FFactor);
  if (FDoc) FDoc->SetMeasurementUnit(Value);
}

TvlDocInfo& TvlFormatter::GetDocInfo() { return FDoc ? FDoc->GetDocInfo() : TvlDocumentWriter::GetDocInfo(); }

void TvlFormatter::SetDocInfo(const TvlDocInfo& Value) {
  if (FDoc) FDoc->SetDocInfo(Value);
}

void TvlFormatter::SetCurrentPageSettings(const TvlPageSettings& Value) {
  FSettings.Assign(Value);
  TvlDocumentWriter::SetCurrentPageSettings(Value);
}

void TvlFormatter::ResetMargins() {
  FSettings.SetLeftMargin(72);
  FSettings.SetTopMargin(110);
  FSettings.SetRightMargin(36);
  FSettings.SetBottomMargin(36);
}

void TvlFormatter::NewPage() {
  if (!FPage) FPage = std::make_unique<TvlFormatterPage>(FDoc);
  FPage->Formatter = this;
  FPage->SetFormattingMode(FormattingMode());
  FCollector.StartPage(FPage.get(), FSettings.Height());
}

void TvlFormatter::BeginDoc() {
  NewPage();
  FCollector.CurrentLine = -1;
  if (OnBeginDocument()) OnBeginDocument()(this);
  ResetMargins();
  if (FDoc) {
    FDoc->SetCurrentPageSettings(FSettings);
    FDoc->BeginDoc();
  }
}

void TvlFormatter::EndDoc() {
  if (FDoc) FDoc->EndDoc();
  if (OnEndDocument()) OnEndDocument()(this);
}

int TvlFormatter::BeginPage() {
  const int before = FPageCount;
  try {
    FCollector.CurrentLine = -1;
    ResetMargins();
    if (FDoc) {
      FDoc->BeginPage();
      FDoc->SetCurrentPageSettings(FSettings);
    }
    ++FPageCount;
    NewPage();
  } catch (...) {
    FPageCount = before;
    return before;
  }
  return FPageCount;
}

void TvlFormatter::FollowGlyph(double X, double B, double Width, double H) {
  const double PH = FSettings.Height(), PW = FSettings.Width();
  if (FSettings.TopMargin() > B) FSettings.SetTopMargin(std::max(0.0, B - H));
  if (FSettings.BottomMargin() > PH - B) FSettings.SetBottomMargin(std::max(0.0, PH - B));
  if (FSettings.LeftMargin() > X && X > 0) FSettings.SetLeftMargin(X);
  const double right = PW - (X + Width);
  if (FSettings.RightMargin() > right && right > 0) FSettings.SetRightMargin(right);
  if (FSettings.TopMargin() > B) FSettings.SetTopMargin(std::max(0.0, B));
}

void TvlFormatter::TextOut(const TFont& Font, const TvlDoubleRect& GlyphRect, double X, double Y, double Width,
                           bool ContinuesString, bool ContinuesShow, WideChar Ch, double CharSpacing) {
  if (!FPage) return;
  FCollector.PageHeight = FSettings.Height();
  if (!FCollector.Collect(Font, GlyphRect, X, Y, Width, ContinuesString, ContinuesShow, Ch, CharSpacing)) return;
  FollowGlyph(X, FCollector.PageHeight - Y, Width, (GlyphRect.Bottom - GlyphRect.Top) / PixelsPerPoint);
  FCollector.LastChar = Ch;
}

void TvlFormatter::BeginParagraph(const AnsiString& StyleName) {
  if (FDoc) FDoc->BeginParagraph(StyleName);
}

void TvlFormatter::EndParagraph() {
  if (FDoc) FDoc->EndParagraph();
}

void TvlFormatter::EndPage() {
  if (!FPage) NewPage();
  TvlLayoutGlobals& g = LayoutGlobals();
  const int number = FPageCount + 1;
  FPage->SetFormattingMode(FormattingMode());
  FSettings.SetTopMargin(std::max(0.0, FSettings.TopMargin() - 3));
  FSettings.SetBottomMargin(std::max(0.0, FSettings.BottomMargin() - 3));
  if (FDoc) FDoc->SetCurrentPageSettings(FSettings);
  FPage->Settings = &FSettings;
  FPage->Number = number;
  FPage->Formatter = this;
  g.Formatter = this;
  struct Release {
    TvlLayoutGlobals& g;
    TvlFormatter* f;
    ~Release() {
      if (g.Formatter == f) g.Formatter = nullptr;
    }
  } release{g, this};
  if (OnPageFormatted()) OnPageFormatted()(this, number);
  FPage->Layout();
  if (FDoc) FDoc->EndPage();
  FPage.reset();
  FCollector.Page = nullptr;
  g.Formatter = nullptr;
  if (OnPageWritten()) OnPageWritten()(this, number);
}
