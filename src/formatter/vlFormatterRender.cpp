// Writing a laid-out page on a document writer: sections with their column
// layout, columns with list membership, paragraphs with their runs.
#include <cmath>

#include "formatter/vlFormatter.h"
#include "formatter/vlFormatterElements.h"
#include "formatter/vlFormatterLines.h"

using namespace vlfmt;
using TLine = TvlFormatterTextLine;

namespace {

TvlAction AskElement(TObject* Sender, TvlFormatterElement* Element) {
  TvlAction action = acRetain;
  TvlFormatter* f = LayoutGlobals().Formatter;
  if (f && f->OnElementDetected) f->OnElementDetected(Sender, Element, action);
  return action;
}

// Blank paragraphs for a gap, written only when the gap needs more than one.
void WriteFillers(TvlDocumentWriter& Writer, double Gap) {
  std::vector<std::unique_ptr<TvlFormatterParagraph>> fillers;
  MakeFillerParagraphs(fillers, &Writer, Gap);
  if (fillers.size() > 1)
    for (auto& p : fillers) p->Render(Writer);
}

}  // namespace

void TvlFormatterParagraph::Render(TvlDocumentWriter& Writer) {
  TvlTextFormatting& tf = Writer.GetTextFormatting();
  tf.SetAlignment(Alignment);
  tf.SetLeftIndent(LeftIndent);
  tf.SetRightIndent(RightIndent);
  tf.SetSpaceBefore(SpaceBefore);
  tf.SetUseLineSpacing(true);
  tf.SetLineSpacing(LineSpacing);
  tf.SetLineSpacingAtLeast(false);
  if (!Lines.empty() && !Lines[0]->Texts.empty())
    tf.SetRightIndent(RightIndent - Metrics(Lines[0]->Texts[0]->Font).SpaceWidth / 2);
  Writer.BeginParagraph("");
  bool prevEndsWithSpace = true;
  for (const TLine* line : Lines) {
    const TvlFormatterText* prev = nullptr;
    for (size_t i = 0; i < line->Texts.size(); ++i) {
      const TvlFormatterText& run = *line->Texts[i];
      WideString text = run.Text;
      if (i == 0 && !prevEndsWithSpace) text.insert(text.begin(), u' ');
      double tab = 0;
      if (run.TabIndex != 0 && prev && std::nearbyint(prev->Left + prev->Width) != std::nearbyint(run.Left) &&
          !(line->IsListItem && run.TabIndex == 2))
        tab = run.Left - ColumnRect.Left + 2;
      Writer.SetFont(run.Font);
      Writer.WriteText(text, run.CharSpacing, tab);
      prev = &run;
    }
    if (!line->Texts.empty()) {
      const WideString& last = line->Texts.back()->Text;
      prevEndsWithSpace = !last.empty() && last.back() == u' ';
    }
  }
  Writer.EndParagraph();
}

void TvlFormatterColumn::Render(TvlDocumentWriter& Writer) {
  int prevKind = 0;
  bool bulletOpen = false, numberOpen = false;
  WideChar prevBullet = u' ';
  long long prevN = -1;
  WideChar prevC = u' ';
  int lastNumbered = -1;
  bool R = false, M = false;
  for (auto& pp : Paragraphs) {
    TvlFormatterParagraph& P = *pp;
    const int K = P.ListKind();
    TvlFormatterText* run = (!P.Lines.empty() && !P.Lines[0]->Texts.empty()) ? P.Lines[0]->Texts[0].get() : nullptr;
    if (K != prevKind) {
      if (prevKind != 0) Writer.EndList();
      R = true;
      bulletOpen = numberOpen = false;
    }
    if (K == 1 && run) {
      WideString t = Trim(run->Text);
      if (!t.empty()) {
        WideChar b = t[0];
        run->Text = Trim(t.substr(1));
        if (!(bulletOpen && b == prevBullet)) {
          if (bulletOpen) Writer.EndList();
          Writer.AddBulletList(run->Font, b, taLeftJustify, 1, 0);
          R = true;
        }
        bulletOpen = true;
        prevBullet = b;
      }
    } else if (K == 2 && run && !run->Text.empty()) {
      WideString s = run->Text.substr(0, run->Text.size() - 1);
      long long N = -1;
      size_t digits = 0;
      while (digits < s.size() && digits < 18 && IsAsciiDigit(s[digits])) ++digits;
      if (digits > 0) ReadInteger(s.substr(0, digits), N);
      WideChar c = s.empty() ? u' ' : s[0];
      size_t d = std::to_string(N).size();
      run->Text.erase(0, std::min(run->Text.size(), d + 1));
      run->Text = Trim(run->Text);
      const bool continues = N == prevN + 1 || c == prevC + 1;
      if (!(numberOpen && continues)) {
        if (numberOpen) Writer.EndList();
        if (M && continues && lastNumbered >= 0) {
          Writer.SelectList(lastNumbered);
        } else {
          int idx = -2;
          if (N >= 0)
            idx = Writer.AddNumberedList(0, taLeftJustify, 0, static_cast<int>(N));
          else if (c >= u'a' && c <= u'z')
            idx = Writer.AddNumberedList(4, taLeftJustify, 0, c - u'a' + 1);
          else if (c >= u'A' && c <= u'Z')
            idx = Writer.AddNumberedList(3, taLeftJustify, 0, c - u'A' + 1);
          if (idx != -2) lastNumbered = idx;
        }
        R = false;
      }
      prevN = N;
      prevC = c;
      numberOpen = true;
    }
    const bool E = P.Count() == 1 && Trim(P.Lines[0]->GetWideLineText()).empty();
    M = R && E;
    R = R && E;
    TvlAction action = AskElement(this, &P);
    if (action == acRetain)
      P.Render(Writer);
    else if (action == acLeaveSpace)
      WriteFillers(Writer, P.Rect.Bottom - P.Rect.Top);
    if (action != acDelete) prevKind = K;
  }
  if (bulletOpen || numberOpen) Writer.EndList();
}

void TvlFormatterHSection::Render(TvlDocumentWriter& Writer) {
  const bool columns = FormattingMode() == fmFormatted && !IsTable && ColumnCount() > 1;
  if (columns) Writer.BeginSection(ColumnCount() + 1, 40, ColumnSpecs);
  for (size_t i = 0; i < Contents.size(); ++i) {
    TvlFormatterElement* e = Contents[i];
    if (e->Kind == ekTable) {
      TvlAction action = AskElement(this, e);
      if (action == acDelete) continue;
      if (action == acLeaveSpace) {
        WriteFillers(Writer, e->Rect.Bottom - e->Rect.Top);
        continue;
      }
    }
    e->Render(Writer);
    if (columns && i + 1 < Contents.size()) Writer.ColumnBreak();
  }
}

void TvlFormatterPage::Render(TvlDocumentWriter& Writer) {
  const TvlPageGeometry& g = LayoutGlobals().Page;
  double lastBottom = 0;
  for (size_t k = 0; k < Sections.size(); ++k) {
    TvlFormatterHSection& s = *Sections[k];
    if (k >= 2) {
      TvlFormatterHSection& p = *Sections[k - 1];
      if (!p.IsTable && p.ColumnCount() > 1 && (s.IsTable || s.ColumnCount() == 1)) {
        p.ColumnSpecs.assign(1, TvlColumnSpec{0, g.Width - g.LeftMargin - g.RightMargin});
        Writer.BeginSection(1, 100, p.ColumnSpecs);
      }
    }
    if (k >= 1 && s.Rect.Top != 0 && lastBottom != 0) WriteFillers(Writer, s.Rect.Top - lastBottom - 14);
    lastBottom = s.Rect.Bottom;
    s.Render(Writer);
  }
}
