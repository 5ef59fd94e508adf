#include "formatter/vlFormatterLines.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "formatter/vlFormatter.h"

namespace vlfmt {

namespace {

double PixelsPerPointValue() { return PixelsPerPoint; }

struct MetricsKey {
  AnsiString Name;
  int Size;
  uint8_t Style;
  bool operator==(const MetricsKey&) const = default;
};
struct MetricsKeyHash {
  size_t operator()(const MetricsKey& k) const {
    return std::hash<AnsiString>()(k.Name) ^ (static_cast<size_t>(k.Size) * 131) ^ (static_cast<size_t>(k.Style) << 20);
  }
};

}  // namespace

TSize MeasurePx(const WideString& S, const TFont& Font) {
  if (TvlFormatter* f = LayoutGlobals().Formatter) return f->MeasureText(S, Font);
  return TvlFormatter::MeasureWithService(S, Font);
}

double ExtentWidth(const WideString& S, const TFont& Font) { return MeasurePx(S, Font).cx / PixelsPerPointValue(); }
double ExtentHeight(const WideString& S, const TFont& Font) { return MeasurePx(S, Font).cy / PixelsPerPointValue(); }

const TvlFontMetrics& Metrics(const TFont& Font) {
  // Asked for every glyph: most glyphs share the previous glyph's font.
  static std::unordered_map<MetricsKey, TvlFontMetrics, MetricsKeyHash> cache;
  static MetricsKey lastKey{"", -1, 0};
  static TvlFontMetrics* last = nullptr;
  if (last && lastKey.Size == Font.Size && lastKey.Style == Font.Style.ToByte() && lastKey.Name == Font.Name)
    return *last;
  MetricsKey key{Font.Name, Font.Size, Font.Style.ToByte()};
  auto it = cache.find(key);
  if (it == cache.end()) {
    TvlFontMetrics m;
    TSize sp = MeasurePx(u" ", Font);
    m.SpaceWidth = sp.cx / PixelsPerPointValue();
    m.SpaceHeight = sp.cy / PixelsPerPointValue();
    m.WWidth = MeasurePx(u"W", Font).cx / PixelsPerPointValue();
    if (cache.size() > 4096) cache.clear();
    it = cache.emplace(key, m).first;
  }
  lastKey = key;
  last = &it->second;
  return *last;
}

bool IsAsciiLetter(WideChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool IsAsciiDigit(WideChar c) { return c >= u'0' && c <= u'9'; }

WideString Trim(const WideString& S) {
  size_t b = 0, e = S.size();
  while (b < e && S[b] <= u' ') ++b;
  while (e > b && S[e - 1] <= u' ') --e;
  return S.substr(b, e - b);
}

bool ReadInteger(const WideString& S, long long& Value) {
  size_t i = 0;
  bool neg = false;
  if (i < S.size() && (S[i] == u'+' || S[i] == u'-')) neg = S[i++] == u'-';
  if (i >= S.size() || S.size() - i > 18) return false;
  long long v = 0;
  for (; i < S.size(); ++i) {
    if (!IsAsciiDigit(S[i])) return false;
    v = v * 10 + (S[i] - u'0');
  }
  Value = neg ? -v : v;
  return true;
}

bool ListNumberTest(const WideString& FirstRunText) {
  // Asked for every glyph of a line: look at the trimmed ends only.
  const WideString& s = FirstRunText;
  size_t b = 0, e = s.size();
  while (b < e && s[b] <= u' ') ++b;
  while (e > b && s[e - 1] <= u' ') --e;
  if (e - b == 1) return !IsAlnum(s[b]);
  if (e - b == 2) return !IsAlnum(s[b + 1]) && ((s[b] >= u'1' && s[b] <= u'9') || IsAsciiLetter(s[b]));
  return false;
}

bool BoldNumberTest(const TvlFormatterTextLine& Line, const TFont& GlyphFont) {
  if (Line.Count() != 1) return false;
  const TvlFormatterText& r = *Line.Texts[0];
  if (!GlyphFont.Style.Contains(fsBold) || !r.Font.Style.Contains(fsBold)) return false;
  // Longer texts cannot read as an integer; checking them per string would
  // rescan a growing run.
  if (r.Text.size() > 40 || r.Text.find(u' ') != WideString::npos) return false;
  WideString digits;
  for (WideChar c : r.Text)
    if (c != u'.') digits += c;
  long long v;
  return ReadInteger(digits, v);
}

int ColumnListTest(const WideString& /*PrevWord*/, const WideString& Word, const TFont& Font) {
  int result = 0;
  WideString t = Trim(Word);
  if (!t.empty() && Word.size() < 2) {
    if (IsAsciiLetter(Word[0]))
      result = (Font.Name == "Symbol" || Font.Charset == SYMBOL_CHARSET) ? 1 : 0;
    else
      result = 1;
  }
  if (!t.empty() && !IsAlnum(t.back())) {
    WideString body = t.substr(0, t.size() - 1);
    long long v;
    if (ReadInteger(body, v) && v > 0 && body[0] != u'+' && body[0] != u'-') return 2;
    if (body.size() == 1 && IsAsciiLetter(body[0])) return 2;
  }
  return result;
}

bool SideBySide(const TvlFormatterTextLine& A, const TvlFormatterTextLine& B, double Tol) {
  if (A.Top == B.Top) return true;
  double a1 = A.Top - A.Height(), a2 = A.Top;
  double b1 = B.Top - B.Height() + Tol, b2 = B.Top;
  auto inside = [](double v, double lo, double hi) { return v > lo && v < hi; };
  bool bands = inside(b1, a1, a2) || inside(b2, a1, a2) || inside(a1, b1, b2) || inside(a2, b1, b2);
  if (!bands) return false;
  bool hOverlap = B.Left + 5 <= A.Right() && A.Left + 5 <= B.Right();
  return !hOverlap;
}

bool Collides(const TvlFormatterTextLine& B, const std::vector<TvlFormatterTextLine*>& Collected) {
  for (const TvlFormatterTextLine* A : Collected) {
    bool h = B.Left + 1 < A->Right() && A->Left + 1 < B.Right();
    if (!h) continue;
    double ta = A->Top - A->Height(), tb = B.Top - B.Height();
    if (std::fabs(ta - tb) >= 2 || std::fabs(A->Top - B.Top) >= 2) return true;
  }
  return false;
}

int FindColumn(const std::vector<TvlFormatterRect>& Ranges, double L, double R) {
  auto rnd = [](double v) { return std::nearbyint(v); };
  const int n = static_cast<int>(Ranges.size());
  if (n == 0) return -1;
  if (n == 1) {
    double lo = rnd(Ranges[0].Left), hi = rnd(Ranges[0].Right);
    return (rnd(L) >= lo && rnd(L) <= hi && rnd(R) >= lo && rnd(R) <= hi) ? 0 : -1;
  }
  for (int i = 0; i < n - 1; ++i) {
    const TvlFormatterRect& a = Ranges[i];
    const TvlFormatterRect& b = Ranges[i + 1];
    if (i == 0 && b.Left >= R && rnd(L) >= rnd(a.Left) && rnd(L) <= rnd(a.Right)) return 0;
    if (a.Left <= L && L < b.Left && a.Left <= R && R < b.Left) return i;
    if (i == 0) {
      bool overA = L < a.Right && R > a.Left;
      bool overB = L < b.Right && R > b.Left;
      if ((overA && overB) || (a.Left <= L && L < a.Right && R > b.Left)) return -1;
    } else {
      const TvlFormatterRect& p = Ranges[i - 1];
      if (p.Right <= L && p.Right <= R && b.Left > L && b.Left > R) return i;
    }
  }
  const TvlFormatterRect& last = Ranges[n - 1];
  const TvlFormatterRect& prev = Ranges[n - 2];
  if ((last.Left <= L && L <= last.Right) || (prev.Right <= L && (last.Right >= L || last.Right >= R)))
    return n - 1;
  return -1;
}

int InsertRange(std::vector<TvlFormatterRect>& Ranges, const TvlFormatterRect& Range) {
  auto it = std::find_if(Ranges.begin(), Ranges.end(), [&](const TvlFormatterRect& r) { return r.Left > Range.Left; });
  int idx = static_cast<int>(it - Ranges.begin());
  Ranges.insert(it, Range);
  return idx;
}

void InsertPiece(TvlFormatterTextLine& Line, TvlFormatterTextLine& Piece) {
  while (!Piece.Texts.empty()) {
    std::unique_ptr<TvlFormatterText> p = std::move(Piece.Texts.front());
    Piece.Texts.erase(Piece.Texts.begin());
    bool placed = false;
    for (int i = 0; i < Line.Count() && !placed; ++i) {
      TvlFormatterText& r = *Line.Texts[i];
      if (r.Left > p->Left) {
        Line.InsertText(std::move(p), i);
        placed = true;
        break;
      }
      double rightEdge = r.Left + ExtentWidth(r.Text, r.Font);
      if (p->Left < rightEdge) {
        double x = r.Left;
        size_t at = r.Text.size();
        for (size_t k = 0; k < r.Text.size(); ++k) {
          x += ExtentWidth(r.Text.substr(k, 1), r.Font);
          if (x > p->Left) {
            at = k;
            break;
          }
        }
        r.Text.insert(at, p->Text);
        placed = true;
      }
    }
    // A piece right of every run ends the line rather than being lost.
    if (!placed && p) Line.AddText(std::move(p));
  }
  if (Piece.Left < Line.Left) Line.Left = Piece.Left;
  if (Piece.Right() > Line.Right()) Line.SetRight(Piece.Right());
  else Line.SetRight(Line.Right());
  Line.TabCount = Line.Texts.empty() ? 0 : Line.Texts.back()->TabIndex;
}

// ---------------------------------------------------------------------------

void TvlGlyphCollector::StartPage(TvlFormatterPage* APage, double APageHeight) {
  Page = APage;
  PageHeight = APageHeight;
  RunSequence = 0;
  CurrentLine = -1;
  FRunLine = -1;
}

static bool IsArialUnicode(const TFont& f) { return f.Name == "Arial Unicode MS"; }

std::unique_ptr<TvlFormatterText> TvlGlyphCollector::NewRun(const TFont& Font, const TvlDoubleRect& GlyphRect, double X,
                                                           double B, double Width, WideChar Ch, double CharSpacing) {
  auto r = std::make_unique<TvlFormatterText>(Page ? Page->Doc : nullptr);
  r->Left = X;
  r->Top = B;
  r->Text = WideString(1, Ch);
  r->Width = Width;
  r->Right = X + Width;
  r->Font = Font;
  r->GlyphRects.emplace_back(GlyphRect.Left, GlyphRect.Top, GlyphRect.Right, GlyphRect.Bottom);
  r->CharSpacing = CharSpacing;
  r->Id = ++RunSequence;
  return r;
}

void TvlGlyphCollector::GrowHeight(TvlFormatterTextLine& L, const TFont& Font, const TvlDoubleRect& GlyphRect) {
  // Compared in points: a box in pixels against a height in points would let
  // a smaller glyph shrink the line.
  double h = (GlyphRect.Bottom - GlyphRect.Top) / PixelsPerPointValue();
  if (h > L.Height()) {
    if (IsArialUnicode(Font) && std::abs(Font.Size) + 3 < h)
      L.SetHeight(std::abs(Font.Size));
    else
      L.SetHeight(h);
  }
}

void TvlGlyphCollector::NewLine(const TFont& Font, const TvlDoubleRect& GlyphRect, double X, double B, double Width,
                                WideChar Ch, double CharSpacing) {
  auto line = std::make_unique<TvlFormatterTextLine>(Page->Doc);
  line->Id = LineSequence++;
  line->Left = X;
  line->Top = std::nearbyint(B);
  line->Rect.Top = line->Top;
  GrowHeight(*line, Font, GlyphRect);
  line->SetRight(X + Width);
  line->AddText(NewRun(Font, GlyphRect, X, B, Width, Ch, CharSpacing));
  Page->Lines.push_back(std::move(line));
  CurrentLine = static_cast<int>(Page->Lines.size()) - 1;
  FRunLine = CurrentLine;
}

void TvlGlyphCollector::JoinRun(TvlFormatterText& R, const TFont& Font, const TvlDoubleRect& GlyphRect, double X,
                                double Width, WideChar Ch, bool MaySpace, bool ContinuesShow) {
  if (MaySpace && R.Right != 0 && !ContinuesShow && !IsArialUnicode(Font)) {
    double sp = Metrics(Font).SpaceWidth;
    if (X - R.Right > sp) {
      R.Text += u' ';
      R.Width += sp;
    }
  }
  R.Text += Ch;
  R.Width += Width;
  R.Right = X + Width;
  R.GlyphRects.emplace_back(GlyphRect.Left, GlyphRect.Top, GlyphRect.Right, GlyphRect.Bottom);
}

bool TvlGlyphCollector::Collect(const TFont& Font, const TvlDoubleRect& GlyphRect, double X, double Y, double Width,
                                bool ContinuesString, bool ContinuesShow, WideChar Ch, double CharSpacing) {
  if (!Page) return false;
  if (!(X >= 0) || !(Y <= PageHeight) || !std::isfinite(Y) || !std::isfinite(X) || !std::isfinite(Width))
    return false;
  const double B = PageHeight - Y;
  const double top = std::nearbyint(B);

  // The line holding the most recent run continues when it is on this baseline.
  TvlFormatterTextLine* L = nullptr;
  if (FRunLine >= 0 && FRunLine < static_cast<int>(Page->Lines.size())) {
    TvlFormatterTextLine* cand = Page->Lines[FRunLine].get();
    TvlFormatterText* last = cand->LastText();
    if (cand->Top == top && last && last->Id == RunSequence) L = cand;
  }

  if (L) {
    TvlFormatterText* R = L->LastText();
    const TvlFontMetrics& lm = Metrics(R->Font);
    double gap = std::fabs(X - L->Right());
    bool bigGap = gap > 2 * lm.WWidth && std::fabs(X - L->Right() - lm.WWidth) > 2;
    L->IsListItem = ListNumberTest(L->Texts[0]->Text);
    if (gap > 8 * lm.SpaceWidth) L->IsListItem = false;
    bool numberStart = !ContinuesString && BoldNumberTest(*L, Font);
    if ((!SameFontAndColor(Font, R->Font) || bigGap) && !ContinuesString) {
      if (bigGap && !L->IsListItem && !numberStart) {
        if (Ch == u' ') return true;
        NewLine(Font, GlyphRect, X, B, Width, Ch, CharSpacing);
        return true;
      }
      auto run = NewRun(Font, GlyphRect, X, B, Width, Ch, CharSpacing);
      run->TabIndex = L->TabCount + 1;
      L->TabCount = run->TabIndex;
      L->AddText(std::move(run));
    } else {
      JoinRun(*R, Font, GlyphRect, X, Width, Ch, true, ContinuesShow);
    }
    if (X + Width > L->Right()) L->SetRight(X + Width);
    GrowHeight(*L, Font, GlyphRect);
    return true;
  }

  if (CurrentLine >= 0 && CurrentLine < static_cast<int>(Page->Lines.size())) {
    TvlFormatterTextLine& C = *Page->Lines[CurrentLine];
    if (B > C.Top - C.Height() && B < C.Top && std::fabs(X - C.Right()) < 2 * Metrics(Font).SpaceWidth &&
        C.LastText()) {
      // A raised glyph close to the line's end (a superscript) stays inline.
      JoinRun(*C.LastText(), Font, GlyphRect, X, Width, Ch, false, ContinuesShow);
      if (X + Width > C.Right()) C.SetRight(X + Width);
      if (Ch != u' ') GrowHeight(C, Font, GlyphRect);
      return true;
    }
  }

  if (Ch == u' ') return true;
  NewLine(Font, GlyphRect, X, B, Width, Ch, CharSpacing);
  return true;
}

}  // namespace vlfmt
