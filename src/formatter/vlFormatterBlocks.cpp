// Page-level layout: sorting the collected lines, merging side-by-side
// lines into blocks, sign pieces, the host's line events, and cutting the
// blocks into one-column sections and multi-column bands.
#include <algorithm>
#include <cmath>

#include "formatter/vlFormatter.h"
#include "formatter/vlFormatterElements.h"
#include "formatter/vlFormatterLines.h"

using namespace vlfmt;
using TLine = TvlFormatterTextLine;

TvlFormatterPage::TvlFormatterPage(TvlDocumentWriter* ADoc) : TvlFormatterElement(ekPage, ADoc) {
  LayoutGlobals().FitCache.clear();
}

void TvlFormatterPage::SortLines() {
  std::stable_sort(Lines.begin(), Lines.end(), [](const std::unique_ptr<TLine>& a, const std::unique_ptr<TLine>& b) {
    if (a->Top != b->Top) return a->Top < b->Top;
    return a->Left < b->Left;
  });
  if (!Lines.empty()) Lines.front()->First = true;
}

namespace {

// The lines from Start on that sit side by side one after the other without
// colliding; returns the index of the last one looked at.
size_t TakeBlock(const std::vector<TLine*>& L, size_t Start, std::vector<size_t>& Block) {
  Block.assign(1, Start);
  std::vector<TLine*> collected{L[Start]};
  size_t j = Start;
  while (j + 1 < L.size() && Block.size() < kMaxRowPieces) {
    if (!SideBySide(*L[j], *L[j + 1], 2) || Collides(*L[j + 1], collected)) break;
    Block.push_back(j + 1);
    collected.push_back(L[j + 1]);
    ++j;
  }
  if (j + 1 == L.size())
    std::stable_sort(Block.begin(), Block.end(), [&](size_t a, size_t b) { return L[a]->Left < L[b]->Left; });
  return j;
}

// The following block's pieces each fall into a column of its own among the
// block's pieces.
bool LinesUp(const std::vector<TLine*>& L, const std::vector<size_t>& Block, const std::vector<size_t>& Next) {
  std::vector<TvlFormatterRect> ranges;
  for (size_t i : Block) InsertRange(ranges, TvlFormatterRect(L[i]->Left, L[i]->Top - L[i]->Height(), L[i]->Right(), L[i]->Top));
  std::vector<bool> used(ranges.size(), false);
  for (size_t i : Next) {
    int c = FindColumn(ranges, L[i]->Left, L[i]->Right());
    if (c < 0) {
      if (L[i]->Left > ranges.back().Right) continue;
      return false;
    }
    if (used[c]) return false;
    used[c] = true;
  }
  return true;
}

bool TwoPieceList(const std::vector<TLine*>& L, const std::vector<size_t>& Block) {
  if (Block.size() != 2) return false;
  const TLine& first = *L[Block[0]];
  WideString t = Trim(first.GetWideLineText());
  if (t.empty()) return true;
  if (t.size() > 1 || IsAlnum(t.back()) || first.Texts.empty()) return false;
  const AnsiString& n = first.Texts[0]->Font.Name;
  return n == "Wingdings" || n == "Wingdings 2" || n == "Wingdings 3" || n == "Webdings" || n == "Arial Unicode MS";
}

}  // namespace

void TvlFormatterPage::MergeBlocks() {
  const bool tabs = FormattingMode() == fmFormattedWithTabs;
  std::vector<TLine*> L;
  L.reserve(Lines.size());
  for (auto& l : Lines) L.push_back(l.get());
  const size_t n = L.size();
  std::vector<std::unique_ptr<TLine>> owned(n);
  for (size_t i = 0; i < n; ++i) owned[i] = std::move(Lines[i]);
  Lines.clear();
  Blocks.clear();
  Blocks.reserve(n);

  auto mergeBlock = [&](const std::vector<size_t>& blk, bool listLine) {
    auto m = std::make_unique<TLine>(Doc);
    std::vector<std::unique_ptr<TvlFormatterText>> runs;
    double left = L[blk[0]]->Left, right = L[blk[0]]->Right(), height = 0;
    for (size_t i : blk) {
      TLine& l = *L[i];
      left = std::min(left, l.Left);
      right = std::max(right, l.Right());
      height = std::max(height, l.Height());
      for (auto& r : l.Texts)
        if (!r->Text.empty()) runs.push_back(std::move(r));
      l.Absorbed = true;
    }
    std::stable_sort(runs.begin(), runs.end(), [](auto& a, auto& b) { return a->Left < b->Left; });
    int tab = 0;
    for (auto& r : runs) {
      r->TabIndex = tab++;
      m->AddText(std::move(r));
    }
    const TLine& first = *L[blk[0]];
    m->Id = first.Id;
    m->First = false;
    for (size_t i : blk) m->First = m->First || L[i]->First;
    m->Left = left;
    m->Top = L[blk.back()]->Top;
    m->Rect.Top = m->Top;
    m->SetHeight(height);
    m->SetRight(right);
    m->TabCount = tab > 0 ? tab - 1 : 0;
    m->IsListItem = first.IsListItem || listLine;
    m->Merged = true;
    for (size_t i : blk) owned[i].reset();
    Blocks.push_back(std::move(m));
  };

  bool keptSeparate = false;
  std::vector<size_t> blk, next;
  size_t i = 0;
  while (i < n) {
    if (i + 1 < n && SideBySide(*L[i], *L[i + 1], 2)) {
      size_t e = TakeBlock(L, i, blk);
      if (blk.size() == 1) {
        Blocks.push_back(std::move(owned[blk[0]]));
        keptSeparate = false;
        i = e + 1;
        continue;
      }
      bool listLine = TwoPieceList(L, blk);
      bool merge = tabs;
      if (!tabs) {
        // No following block counts as one that does not line up.
        bool linesUp = false;
        if (e + 1 < n) {
          TakeBlock(L, e + 1, next);
          linesUp = LinesUp(L, blk, next);
        }
        merge = (!linesUp && !keptSeparate) || listLine;
      }
      if (merge) {
        mergeBlock(blk, listLine);
        keptSeparate = false;
      } else {
        for (size_t k : blk) Blocks.push_back(std::move(owned[k]));
        keptSeparate = true;
      }
      i = e + 1;
    } else {
      Blocks.push_back(std::move(owned[i]));
      keptSeparate = false;
      ++i;
    }
  }
}

void TvlFormatterPage::AttachSignPieces() {
  auto isSign = [](const TLine& l) {
    if (l.Texts.empty()) return false;
    WideString t = Trim(l.Texts[0]->Text);
    return t == u"\u00AE" || t == u"\u00A9" || t == u"TM" || t == u"\u2122";
  };
  size_t i = 0;
  while (i + 1 < Blocks.size()) {
    TLine* s = Blocks[i].get();
    bool signRemoved = false;
    if (isSign(*s) && SideBySide(*s, *Blocks[i + 1], 3)) {
      const double Hs = s->Height(), Ts = s->Top - s->Height(), Bs = s->Top;
      for (size_t j = i + 1; j < Blocks.size(); ++j) {
        TLine* c = Blocks[j].get();
        const double Hc = c->Height(), Tc = c->Top - c->Height(), Bc = c->Top;
        if (Hc < 0.75 * Hs && Tc > Ts && Tc < Bs) {
          InsertPiece(*s, *c);
          Blocks.erase(Blocks.begin() + j);
          break;
        }
        if (0.75 * Hc > Hs && Tc < Ts && Bc > Ts) {
          InsertPiece(*c, *s);
          Blocks.erase(Blocks.begin() + i);
          signRemoved = true;
          break;
        }
        if (!SideBySide(*s, *c, 3)) break;
      }
    }
    if (!signRemoved) ++i;
  }
}

void TvlFormatterPage::OfferBlocks() {
  TvlFormatter* f = Formatter;
  for (auto& b : Blocks) b->RemoveDuplicates();
  if (!f || !f->OnElementDetected) return;
  // A deletion restarts the walk from the last block, so the host sees the
  // blocks after the deleted one again.
  long k = static_cast<long>(Blocks.size()) - 1;
  while (k >= 0) {
    TvlAction action = acRetain;
    f->OnElementDetected(this, Blocks[k].get(), action);
    if (action == acDelete) {
      Blocks.erase(Blocks.begin() + k);
      k = static_cast<long>(Blocks.size()) - 1;
      continue;
    }
    --k;
  }
}

// ---------------------------------------------------------------------------
// Bands

namespace {

struct TvlBand {
  const std::vector<std::unique_ptr<TLine>>& B;
  TvlFormatterHSection& Sec;
  std::vector<TvlFormatterRect> Ranges;
  double Bottom = 0;
  double D = 0;

  TvlFormatterRect BoxOf(const TLine& b) const {
    double sh = b.Texts.empty() ? 0 : Metrics(b.Texts[0]->Font).SpaceHeight;
    return TvlFormatterRect(b.Left, b.Top - sh, b.Right(), b.Top);
  }
  void Track(const TLine& b) {
    D = b.Top - Bottom;
    Bottom = std::max(Bottom, b.Top + b.Height());
  }
  void Place(TLine& b, int Col, const TvlFormatterRect* RowBox) {
    Sec.Columns[Col]->Lines.push_back(&b);
    if (!b.Texts.empty()) Sec.Font = b.Texts[0]->Font;
    if (RowBox)
      Sec.Rect.Extend(RowBox->Bottom, RowBox->Right, RowBox->Top, RowBox->Left);
    else
      Sec.Rect.Extend(b.Top + b.Height(), b.Right(), b.Top, b.Left);
  }
  // A new range for the block's box, with its column at the same position.
  int NewColumn(const TLine& b) {
    TvlFormatterRect box = BoxOf(b);
    int idx = InsertRange(Ranges, box);
    TvlFormatterColumn* c;
    if (Ranges.size() == 1)
      c = Sec.Columns[0].get();
    else
      c = Sec.AddColumn(idx == static_cast<int>(Ranges.size()) - 1 ? -1 : idx);
    c->Rect = box;
    return idx;
  }
};

}  // namespace

size_t TvlFormatterPage::DetectBand(TvlFormatterHSection& Sec, size_t F) {
  const size_t n = Blocks.size();
  TvlBand band{Blocks, Sec, {}, 0, 0};

  // First run: the blocks side by side one after the other.
  size_t s = F;
  bool endedInRange = false;
  while (s + 1 < n && s - F + 1 < kMaxRowPieces && SideBySide(*Blocks[s], *Blocks[s + 1], 2)) {
    TLine& b = *Blocks[s];
    TvlFormatterRect box = band.BoxOf(b);
    int c = FindColumn(band.Ranges, box.Left, box.Right);
    if (c < 0) {
      c = band.NewColumn(b);
      band.Place(b, c, nullptr);
      band.Track(b);
      ++s;
      continue;
    }
    band.Place(b, c, nullptr);
    Sec.Columns[c]->Rect = band.Ranges[c];
    band.Track(b);
    endedInRange = true;
    break;
  }
  if (!endedInRange) {
    int c = band.NewColumn(*Blocks[s]);
    band.Place(*Blocks[s], c, nullptr);
    band.Track(*Blocks[s]);
  }
  size_t result = s;

  // Rows below the first run.
  std::vector<size_t> row;
  std::vector<TLine*> collected;
  std::vector<int> cols;
  while (result + 1 < n) {
    size_t j = result + 1;
    row.assign(1, j);
    collected.assign(1, Blocks[j].get());
    while (j + 1 < n && row.size() < kMaxRowPieces && SideBySide(*Blocks[j], *Blocks[j + 1], 2) &&
           !Collides(*Blocks[j + 1], collected)) {
      ++j;
      row.push_back(j);
      collected.push_back(Blocks[j].get());
    }
    if (j + 1 == n)
      std::stable_sort(row.begin(), row.end(), [&](size_t a, size_t b) { return Blocks[a]->Left < Blocks[b]->Left; });

    const std::vector<TvlFormatterRect> savedRanges = band.Ranges;
    const size_t savedColumns = Sec.Columns.size();
    double rowBottom = band.Bottom, rowD = band.D;
    double prevTop = Blocks[result]->Top;
    bool refused = false;
    cols.clear();
    for (size_t idx : row) {
      TLine& b = *Blocks[idx];
      TvlFormatterRect box = band.BoxOf(b);
      int c = FindColumn(band.Ranges, box.Left, box.Right);
      if (c < 0 && b.Top == prevTop && !band.Ranges.empty() && b.Right() > band.Ranges.back().Right) {
        band.Ranges.push_back(box);
        Sec.AddColumn(-1)->Rect = box;
        c = static_cast<int>(band.Ranges.size()) - 1;
      }
      if (c < 0) {
        refused = true;
        break;
      }
      double dist = b.Top - rowBottom;
      if (rowD > 0 && dist - rowD > 5 && vlfmt::IsTableSection(Sec)) {
        refused = true;
        break;
      }
      rowD = dist;
      rowBottom = std::max(rowBottom, b.Top + b.Height());
      cols.push_back(c);
      prevTop = b.Top;
    }
    if (!refused) {
      for (size_t k = 2; k < cols.size() && !refused; ++k)
        if (cols[k] == cols[k - 1] && cols[k - 1] == cols[k - 2]) refused = true;
      bool twoInOne = false;
      for (size_t k = 1; k < cols.size(); ++k)
        if (cols[k] == cols[k - 1]) twoInOne = true;
      if (twoInOne && rowBottom > band.Bottom) {
        double rise = rowBottom - band.Bottom;
        double fromFirst = rowBottom - Blocks[row[0]]->Top;
        if (rise - fromFirst > 10) refused = true;
      }
    }
    if (refused) {
      band.Ranges = savedRanges;
      Sec.Columns.resize(savedColumns);
      break;
    }
    for (size_t k = 0; k < row.size(); ++k) {
      TLine& b = *Blocks[row[k]];
      TvlFormatterRect box = band.BoxOf(b);
      TvlFormatterRect& r = band.Ranges[cols[k]];
      r.Left = std::min(r.Left, box.Left);
      r.Top = std::min(r.Top, box.Top);
      r.Right = std::max(r.Right, box.Right);
      r.Bottom = std::max(r.Bottom, box.Bottom);
      band.Place(b, cols[k], &box);
      Sec.Columns[cols[k]]->Rect = r;
    }
    band.Bottom = rowBottom;
    band.D = rowD;
    result = j;
  }
  return result;
}

void TvlFormatterPage::BuildSections() {
  Sections.clear();
  const TvlPageGeometry& g = LayoutGlobals().Page;
  TvlFormatterHSection* cur = nullptr;
  TvlFormatterColumn* curCol = nullptr;
  auto newOneColumn = [&]() {
    auto s = std::make_unique<TvlFormatterHSection>(Doc);
    curCol = s->AddColumn();
    curCol->Rect = TvlFormatterRect(g.LeftMargin, g.TopMargin, g.Width - g.RightMargin, g.Height - g.BottomMargin);
    cur = s.get();
    Sections.push_back(std::move(s));
  };
  auto add = [&](TLine* b, bool touch) {
    curCol->Lines.push_back(b);
    if (!touch) return;
    if (!b->Texts.empty()) cur->Font = b->Texts[0]->Font;
    cur->Rect.Extend(b->Top + b->Height(), b->Right(), b->Top, b->Left);
  };
  newOneColumn();
  const size_t n = Blocks.size();
  if (n == 0) return;
  if (FormattingMode() == fmFormattedWithTabs) {
    for (size_t i = 0; i + 1 < n; ++i) add(Blocks[i].get(), true);
    add(Blocks[n - 1].get(), false);
    return;
  }
  size_t i = 0;
  while (i + 2 <= n) {
    if (SideBySide(*Blocks[i], *Blocks[i + 1], 2)) {
      auto sec = std::make_unique<TvlFormatterHSection>(Doc);
      sec->AddColumn();
      size_t e = DetectBand(*sec, i);
      if (e == i) {
        if (!cur) newOneColumn();
        add(Blocks[i].get(), true);
      } else {
        Sections.push_back(std::move(sec));
        cur = nullptr;
        curCol = nullptr;
      }
      i = e;
    } else {
      if (!cur) newOneColumn();
      add(Blocks[i].get(), true);
    }
    ++i;
  }
  if (i == n - 1) {
    if (!cur) {
      newOneColumn();
      TLine* b = Blocks[i].get();
      cur->Rect.Extend(b->Top + b->Height(), b->Right(), b->Top, b->Left);
    }
    add(Blocks[i].get(), false);
  }
}

void TvlFormatterPage::Layout() {
  TvlLayoutGlobals& g = LayoutGlobals();
  if (Settings) g.Page = TvlPageGeometry::From(*Settings);
  SortLines();
  MergeBlocks();
  AttachSignPieces();
  OfferBlocks();
  BuildSections();
  for (auto& s : Sections) s->Layout();
  if (Doc) Render(*Doc);
}
