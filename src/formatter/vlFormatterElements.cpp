#include "formatter/vlFormatterElements.h"

#include <algorithm>
#include <cmath>

#include "formatter/vlFormatterLines.h"

void TvlFormatterRect::Assign(const TPersistent& Source) {
  auto* r = dynamic_cast<const TvlFormatterRect*>(&Source);
  if (!r) AssignError(&Source);
  *this = *r;
}

void TvlFormatterRect::Extend(double ABottom, double ARight, double ATop, double ALeft) {
  if (Left == 0 || Left > ALeft) Left = ALeft;
  if (ARight > Right) Right = ARight;
  if (Top == 0 || Top > ATop) Top = ATop;
  if (ABottom > Bottom) Bottom = ABottom;
}

TvlPageGeometry TvlPageGeometry::From(const TvlPageSettings& S) {
  TvlPageGeometry g;
  g.Width = S.Width();
  g.Height = S.Height();
  g.LeftMargin = S.LeftMargin();
  g.TopMargin = S.TopMargin();
  g.RightMargin = S.RightMargin();
  g.BottomMargin = S.BottomMargin();
  return g;
}

TvlLayoutGlobals& LayoutGlobals() {
  static TvlLayoutGlobals g;
  return g;
}

TvlFormatterText* TvlFormatterTextLine::AddText(std::unique_ptr<TvlFormatterText> Text) {
  Texts.push_back(std::move(Text));
  return Texts.back().get();
}

TvlFormatterText* TvlFormatterTextLine::InsertText(std::unique_ptr<TvlFormatterText> Text, int Index) {
  Index = std::clamp(Index, 0, Count());
  auto it = Texts.insert(Texts.begin() + Index, std::move(Text));
  return it->get();
}

TvlFormatterText* TvlFormatterTextLine::GetText(int Index) const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return Texts[Index].get();
}

WideString TvlFormatterTextLine::GetWideLineText() const {
  WideString s;
  for (auto& t : Texts) s += t->Text;
  return s;
}

AnsiString TvlFormatterTextLine::GetLineText() const {
  // Characters above 8 bits have no 8-bit form here; they count as one
  // non-blank character, which is all the layout tests ask of the text.
  AnsiString s;
  for (auto& t : Texts)
    for (WideChar c : t->Text) s += c < 256 ? static_cast<char>(c) : '?';
  return s;
}

void TvlFormatterTextLine::RemoveDuplicates() {
  // Runs drawn twice at one position (fake bold, shadows): keep the longer.
  // Only runs with the same left edge are compared.
  std::vector<size_t> order(Texts.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return Texts[a]->Left < Texts[b]->Left; });
  std::vector<bool> drop(Texts.size(), false);
  for (size_t g = 0; g < order.size();) {
    size_t h = g + 1;
    while (h < order.size() && Texts[order[h]]->Left - Texts[order[g]]->Left < 0.01) ++h;
    for (size_t i = g; i < h; ++i)
      for (size_t j = i + 1; j < h; ++j) {
        size_t a = order[i], b = order[j];
        if (drop[a] || drop[b]) continue;
        const WideString &ta = Texts[a]->Text, &tb = Texts[b]->Text;
        if (ta.find(tb) == WideString::npos && tb.find(ta) == WideString::npos) continue;
        drop[tb.size() > ta.size() ? a : b] = true;
      }
    g = h;
  }
  size_t k = 0;
  for (size_t i = 0; i < Texts.size(); ++i)
    if (!drop[i]) Texts[k++] = std::move(Texts[i]);
  Texts.resize(k);
  TabCount = Texts.empty() ? 0 : Texts.back()->TabIndex;
}

bool SameFont(const TFont& A, const TFont& B) {
  return A.Name == B.Name && A.Size == B.Size && A.Style == B.Style;
}

bool SameFontAndColor(const TFont& A, const TFont& B) { return SameFont(A, B) && A.Color == B.Color; }

double TextHeight(const TvlFormatterTextLine& Line) {
  double h = 0;
  for (auto& t : Line.Texts) h = std::max(h, vlfmt::ExtentHeight(t->Text, t->Font));
  return h;
}

void MakeFillerParagraphs(std::vector<std::unique_ptr<TvlFormatterParagraph>>& List, TvlDocumentWriter* Writer,
                          double Gap) {
  if (!(Gap > 0) || !std::isfinite(Gap)) return;
  // A gap is at most a few pages high; anything larger is a broken position.
  Gap = std::min(Gap, 100000.0);
  TFont font;
  font.Name = "Times New Roman";
  font.Size = 10;
  auto make = [&](double spacing) {
    auto p = std::make_unique<TvlFormatterParagraph>(Writer);
    auto line = std::make_unique<TvlFormatterTextLine>(Writer);
    auto run = std::make_unique<TvlFormatterText>(Writer);
    run->Text.push_back(u' ');
    run->Font = font;
    line->AddText(std::move(run));
    p->Lines.push_back(line.get());
    p->OwnLines.push_back(std::move(line));
    p->Font = font;
    p->LineSpacing = spacing;
    p->IsFiller = true;
    List.push_back(std::move(p));
  };
  long tens = static_cast<long>(Gap / 10);
  for (long i = 0; i < tens; ++i) make(10);
  long rest = static_cast<long>(std::nearbyint(Gap)) % 10;
  if (rest != 0) make(rest);
}
