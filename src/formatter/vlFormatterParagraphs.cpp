// Sections and columns: column geometry of a band, the grouping of a
// column's lines into paragraphs, spacing, alignment, indents and font fit.
#include <algorithm>
#include <cmath>

#include "formatter/vlFormatter.h"
#include "formatter/vlFormatterElements.h"
#include "formatter/vlFormatterLines.h"

using namespace vlfmt;
using TLine = TvlFormatterTextLine;

TvlFormatterColumn* TvlFormatterHSection::AddColumn(int Index) {
  auto c = std::make_unique<TvlFormatterColumn>(Doc);
  TvlFormatterColumn* p = c.get();
  if (Index < 0 || Index >= static_cast<int>(Columns.size()))
    Columns.push_back(std::move(c));
  else
    Columns.insert(Columns.begin() + Index, std::move(c));
  return p;
}

void TvlFormatterHSection::ComputeColumnGeometry(double LeftMargin) {
  const int n = static_cast<int>(Columns.size());
  ColumnSpecs.assign(n + 1, TvlColumnSpec{});
  if (n < 2) return;
  double run = 0;
  for (int i = 0; i + 1 < n; ++i) {
    TvlFormatterRect& r = Columns[i]->Rect;
    ColumnSpecs[i].Spacing = Columns[i + 1]->Rect.Left - r.Right;
    double left;
    if (i == 0) {
      ColumnSpecs[0].Width = r.Right - LeftMargin;
      left = LeftMargin;
    } else {
      ColumnSpecs[i].Width = r.Right - r.Left;
      left = run + ColumnSpecs[i - 1].Spacing;
    }
    run = left + ColumnSpecs[i].Width;
    r.Left = left;
    r.Right = run;
  }
  ColumnSpecs[n - 1].Width = Columns[n - 1]->Rect.Right - Columns[n - 1]->Rect.Left;
}

void TvlFormatterHSection::Layout() {
  IsTable = ColumnCount() > 1 && IsTableSection(*this);
  Contents.clear();
  for (auto& c : Columns) Contents.push_back(c.get());
  if (ColumnCount() > 1) ComputeColumnGeometry(LayoutGlobals().Page.LeftMargin);
  for (TvlFormatterElement* e : Contents) e->Layout();
}

namespace {

WideString FirstWord(const TLine& l) {
  if (l.Texts.empty()) return WideString();
  const WideString& t = l.Texts[0]->Text;
  size_t sp = t.find(u' ');
  return sp == WideString::npos ? t : t.substr(0, sp);
}

bool HasLeaderText(const WideString& t) {
  return t.find(u" . . . . ") != WideString::npos || t.find(u"....") != WideString::npos ||
         t.find(u"____") != WideString::npos;
}

// Whether Cur continues Prev as the next line of wrapped text.
bool WrapTest(const TvlFormatterColumn& Col, const TLine& Prev, const TLine& Cur, const TLine* Ref) {
  if (!((Prev.TabCount == 0 && Cur.TabCount == 0) || Prev.IsListItem)) return false;
  if (Col.Rect.Right * 0.75 > Prev.Right()) {
    if (Prev.Count() == 1 && Prev.Texts[0]->Font.Style == TFontStyles{fsBold}) return false;
    if (std::fabs(Prev.Right() - Cur.Right()) > 5) return false;
  }
  WideString w = FirstWord(Cur);
  if (w.empty() || Cur.Texts.empty()) return false;
  double e = ExtentWidth(w, Cur.Texts[0]->Font);
  if (Ref) return e + Prev.Width() - Ref->Width() > -2;
  return e + Prev.Width() - Cur.Width() > -2;
}

AnsiString FitKey(const TFont& f) { return f.Name + '\x01' + std::to_string(f.Size); }

// The size at which the run's text fits its recorded width.
int FittedSize(const TvlFormatterText& Run, bool& Reduced) {
  auto& cache = LayoutGlobals().FitCache;
  AnsiString key = FitKey(Run.Font);
  auto it = cache.find(key);
  if (it != cache.end()) {
    Reduced = it->second < Run.Font.Size;
    return static_cast<int>(it->second);
  }
  int size = Run.Font.Size;
  Reduced = false;
  if (Run.Font.Name == "Arial Unicode MS") {
    TFont f = Run.Font;
    double extent = ExtentWidth(Run.Text, f);
    while (extent > Run.Width && f.Size > 5) {
      f.Size -= 1;
      Reduced = true;
      extent = ExtentWidth(Run.Text, f);
    }
    size = f.Size;
  }
  cache.emplace(key, size);
  return size;
}

void FitParagraphFont(TvlFormatterParagraph& P) {
  if (P.Lines.empty() || P.Lines[0]->Texts.empty()) return;
  TLine& first = *P.Lines[0];
  const TvlFormatterText& checked =
      (first.IsListItem && first.Count() > 1) ? *first.Texts[1] : *first.Texts[0];
  bool reduced = false;
  int fitted = FittedSize(checked, reduced);
  if (!reduced) return;
  TvlFormatter* f = LayoutGlobals().Formatter;
  TvlFontSubstitutionEventArgs args;
  args.Element = &P;
  args.OriginalFont = first.Texts[0]->Font;
  args.SubstituteFont = first.Texts[0]->Font;
  args.SubstituteFont.Size = fitted;
  if (f && f->OnFontSubstituting) {
    f->OnFontSubstituting(f, args);
    for (auto& r : first.Texts) r->Font.Size = args.SubstituteFont.Size;
  }
  // Only a reduced size is carried to the later lines: their runs keep their
  // own sizes otherwise.
  for (size_t i = 1; i < P.Lines.size(); ++i)
    for (auto& r : P.Lines[i]->Texts) r->Font.Size = fitted;
}

void AlignParagraph(TvlFormatterParagraph& P, double PW) {
  double rightMost = 0, leftMost = 0;
  for (size_t q = 0; q < P.Lines.size(); ++q) {
    const TLine& l = *P.Lines[q];
    if (q == 0) {
      leftMost = l.Left;
      rightMost = l.Right();
      continue;
    }
    const TLine& p = *P.Lines[q - 1];
    const double PL = p.Left, PR = p.Right();
    leftMost = std::min(leftMost, l.Left);
    rightMost = std::max(rightMost, l.Right());
    const bool last = q + 1 == P.Lines.size();
    const bool sameLeft = std::fabs(l.Left - PL) < 2;
    const bool sameRight = std::fabs(l.Right() - PR) < 5;
    auto centredOnPage = [&](const TLine& x) { return std::fabs(x.Left - (PW - x.Right())) < 5; };
    if (q == 1) {
      if (sameLeft && (sameRight || last))
        P.Alignment = 3;
      else if (centredOnPage(l))
        P.Alignment = 2;
      else if (sameLeft)
        P.Alignment = 0;
      else if (std::fabs(l.Right() - PR) < 2)
        P.Alignment = 1;
    } else if (centredOnPage(l) && centredOnPage(p)) {
      P.Alignment = (!sameLeft || !sameRight) ? 2 : 3;
    } else if (P.Alignment == 3 && sameLeft && (sameRight || last)) {
      // stays justified
    } else if (sameLeft) {
      P.Alignment = 0;
    } else if (std::fabs(l.Right() - PR) < 2) {
      P.Alignment = 1;
    }
  }
  P.LeftIndent = leftMost - P.ColumnRect.Left;
  P.RightIndent = (P.Lines.size() == 1 && P.Alignment == 0) ? 0 : P.ColumnRect.Right - rightMost;
}

}  // namespace

void TvlFormatterColumn::Layout() {
  Paragraphs.clear();
  const int n = LineCount();
  if (n == 0) return;
  const double W = Rect.Right - Rect.Left;
  std::vector<int> num(n, 0);
  int para = 0;
  WideString prevWord;
  TFont prevFont;
  double PL = 0, PR = 0;
  bool prevCentred = false;
  for (int q = 0; q < n; ++q) {
    TLine& l = *Lines[q];
    const WideString word = FirstWord(l);
    const WideString text = l.GetWideLineText();
    int kind = 0;
    if (static_cast<long>(word.size()) < static_cast<long>(text.size()) - 1 && !l.Texts.empty()) {
      kind = ColumnListTest(prevWord, word, l.Texts[0]->Font);
      prevWord = word;
    }
    if (kind != 0 || l.TabCount > 0 || HasLeaderText(text)) {
      num[q] = ++para;
      l.IsListItem = kind != 0;
      l.ListKind = static_cast<uint8_t>(kind);
      if (!l.Texts.empty()) prevFont = (l.IsListItem && l.Count() > 1) ? l.Texts[1]->Font : l.Texts[0]->Font;
    } else {
      const bool centred = std::fabs(l.Left - (W - l.Right())) < 5;
      const bool same = (l.Count() == 1 && SameFont(prevFont, l.Texts[0]->Font)) || l.Count() >= 2;
      bool wrap = false;
      if (q >= 1) wrap = WrapTest(*this, *Lines[q - 1], l, q >= 2 ? Lines[q - 2] : nullptr);
      if (q == 0 || !same ||
          (std::fabs(l.Left - PL) >= 2 && std::fabs(l.Right() - PR) >= 5 && !(centred && prevCentred) && !wrap) ||
          l.IsListItem)
        num[q] = ++para;
      else if (q < 2 || wrap)
        num[q] = para;
      else
        num[q] = ++para;
      if (!l.Texts.empty()) prevFont = l.Texts[0]->Font;
      prevCentred = centred;
    }
    PL = (l.IsListItem && l.Count() > 1) ? l.Texts[1]->Left : l.Left;
    PR = l.Right();
  }

  // Second pass: a paragraph whose line distance changes is split where it
  // changes; the line and the rest of the paragraph after it move to a new
  // one, which is checked on from that line (one walk per paragraph).
  std::vector<double> D(n, 0);
  for (int q = 1; q < n; ++q) D[q] = Lines[q]->Top - Lines[q - 1]->Top;
  std::vector<std::vector<int>> members(para + 1);
  for (int q = 0; q < n; ++q) members[num[q]].push_back(q);
  int largest = para;
  for (int k = 1; k <= para; ++k) {
    int count = 0, cur = k;
    for (int q : members[k]) {
      const double d = D[q], dPrev = q > 0 ? D[q - 1] : 0;
      ++count;
      if ((count == 2 && d > 50) || (count >= 3 && std::fabs(d - dPrev) > 2)) {
        cur = ++largest;
        count = 1;
      }
      num[q] = cur;
    }
  }

  for (int q = 0; q < n; ++q) Lines[q]->ParagraphIndex = num[q];
  std::vector<TvlFormatterParagraph*> made;
  for (int q = 0; q < n;) {
    auto p = std::make_unique<TvlFormatterParagraph>(Doc);
    TLine& first = *Lines[q];
    p->ColumnRect = Rect;
    p->Left = first.Left;
    p->Top = first.Top;
    p->IsBulletList = first.ListKind == 1;
    p->IsNumberedList = first.ListKind == 2;
    if (!first.Texts.empty()) p->Font = first.Texts[0]->Font;
    int r = q;
    for (; r < n && num[r] == num[q]; ++r) {
      TLine& l = *Lines[r];
      double bottom = l.Top + l.Height() + (r == q ? 2 : 0);
      p->Rect.Extend(bottom, l.Right(), l.Top, l.Left);
      Rect.Extend(bottom, l.Right(), l.Top, l.Left);
      p->Left = std::min(p->Left, l.Left);
      p->Top = std::min(p->Top, l.Top);
      p->Lines.push_back(&l);
    }
    made.push_back(p.get());
    Paragraphs.push_back(std::move(p));
    q = r;
  }
  for (auto& p : Paragraphs) p->ColumnRect = Rect;

  // Spacing: line spacing within, space before or filler paragraphs between.
  const TvlPageGeometry& g = LayoutGlobals().Page;
  std::vector<std::unique_ptr<TvlFormatterParagraph>> spaced;
  for (size_t i = 0; i < made.size(); ++i) {
    TvlFormatterParagraph& p = *made[i];
    const TLine& first = *p.Lines.front();
    const double H = TextHeight(first);
    if (p.Count() > 1) {
      p.LineSpacing = (p.Lines.back()->Top - first.Top) / (p.Count() - 1);
    } else {
      p.LineSpacing = H;
      if (first.Height() > 2 && H - first.Height() >= 2) p.LineSpacing -= 0.5;
    }
    if (i == 0) {
      bool pageFirst = false;
      for (TLine* l : Lines) pageFirst = pageFirst || l->First;
      if (pageFirst) {
        const TLine* fl = nullptr;
        for (TLine* l : Lines)
          if (l->First) fl = l;
        if (fl && fl->Top - H > g.TopMargin + 20) MakeFillerParagraphs(spaced, Doc, fl->Top - H - g.TopMargin);
      }
    } else {
      const TvlFormatterParagraph& prev = *made[i - 1];
      double d = p.Rect.Top - prev.Lines.back()->Top - H - 1;
      // A distance of a point or less is ordinary leading: a filler for it
      // would be a blank paragraph that also cuts a list in two.
      if (d > 1 && d < H)
        p.SpaceBefore = d - 1;
      else if (d > 1)
        MakeFillerParagraphs(spaced, Doc, d);
    }
    spaced.push_back(std::move(Paragraphs[i]));
  }
  Paragraphs = std::move(spaced);
  for (auto& p : Paragraphs) {
    p->ColumnRect = Rect;
    if (p->IsFiller) continue;
    AlignParagraph(*p, g.Width);
    FitParagraphFont(*p);
  }
}
