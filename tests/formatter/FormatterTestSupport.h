// Test support for the layout formatter: a writer that records the calls the
// formatter replays, and a builder that lays out words in a font at given
// positions (measured with the font service) as the glyph calls the content
// extractor would make.
#pragma once

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "formatter/vlFormatter.h"
#include "writer/vlConvUtils.h"
#include "writer/vlDocumentWriter.h"

namespace fmtest {

inline TFont MakeFont(const char* Name, int Size, bool Bold = false) {
  TFont f;
  f.Name = Name;
  f.Size = Size;
  f.Color = clBlack;
  if (Bold) f.Style.Include(fsBold);
  return f;
}

struct Para {
  std::string Text;  // runs joined; a tab position shows as "\t"
  int Alignment = 0;
  double LeftIndent = 0, RightIndent = 0, SpaceBefore = 0, LineSpacing = 0;
  std::vector<double> Tabs;
  std::vector<std::string> Fonts;
};

// Records the calls as text, one line each, and the paragraphs as records.
class RecordingWriter : public TvlDocumentWriter {
public:
  std::vector<std::string> Calls;
  std::vector<Para> Paras;
  bool FailBeginPage = false;

  std::string Joined() const {
    std::string s;
    for (auto& c : Calls) s += c + "\n";
    return s;
  }
  // The texts of the paragraphs that are not blank fillers.
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (auto& p : Paras)
      if (p.Text.find_first_not_of(' ') != std::string::npos) out.push_back(p.Text);
    return out;
  }
  int CountCalls(const std::string& Prefix) const {
    int n = 0;
    for (auto& c : Calls) n += c.rfind(Prefix, 0) == 0;
    return n;
  }

  void BeginDoc() override { Calls.push_back("BeginDoc"); }
  void EndDoc() override { Calls.push_back("EndDoc"); }
  int BeginPage() override {
    if (FailBeginPage) throw Exception("cannot begin page");
    Calls.push_back("BeginPage");
    return ++FPages;
  }
  void EndPage() override { Calls.push_back("EndPage"); }
  void SetCurrentPageSettings(const TvlPageSettings& V) override {
    TvlDocumentWriter::SetCurrentPageSettings(V);
    std::ostringstream s;
    s << "PageSettings " << V.LeftMargin() << " " << V.TopMargin() << " " << V.RightMargin() << " "
      << V.BottomMargin();
    Calls.push_back(s.str());
  }
  void BeginSection(int ColumnCount, int Reserved, const TvlColumnSpecs& Columns) override {
    std::ostringstream s;
    s << "BeginSection " << ColumnCount << " " << Reserved;
    for (auto& c : Columns) s << " " << std::lround(c.Spacing) << ":" << std::lround(c.Width);
    Calls.push_back(s.str());
  }
  void ColumnBreak() override { Calls.push_back("ColumnBreak"); }
  void BeginParagraph(const AnsiString&) override {
    Para p;
    TvlTextFormatting& tf = GetTextFormatting();
    p.Alignment = tf.Alignment();
    p.LeftIndent = tf.LeftIndent();
    p.RightIndent = tf.RightIndent();
    p.SpaceBefore = tf.SpaceBefore();
    p.LineSpacing = tf.LineSpacing();
    Paras.push_back(p);
    Calls.push_back("BeginParagraph");
  }
  void EndParagraph() override {
    Calls.push_back("EndParagraph " + (Paras.empty() ? std::string() : Paras.back().Text));
  }
  double WriteText(const WideString& Text, double, double TabPosition) override {
    if (!Paras.empty()) {
      if (TabPosition > 0) {
        Paras.back().Text += "\t";
        Paras.back().Tabs.push_back(TabPosition);
      }
      Paras.back().Text += vl::WideToUtf8(Text);
      Paras.back().Fonts.push_back(GetFont().Name + " " + std::to_string(GetFont().Size));
    }
    return 0;
  }
  int AddBulletList(const TFont&, WideChar Bullet, TAlignment, uint8_t Follow, int StartAt) override {
    Calls.push_back("AddBulletList " + vl::WideToUtf8(WideString(1, Bullet)) + " " + std::to_string(Follow) + " " +
                    std::to_string(StartAt));
    return FLists++;
  }
  int AddNumberedList(uint8_t NumberFormat, TAlignment Alignment, uint8_t Follow, int StartAt) override {
    Calls.push_back("AddNumberedList " + std::to_string(NumberFormat) + " " + std::to_string(Alignment) + " " +
                    std::to_string(Follow) + " " + std::to_string(StartAt));
    return FLists++;
  }
  void SelectList(int Index) override { Calls.push_back("SelectList " + std::to_string(Index)); }
  void EndList() override { Calls.push_back("EndList"); }

private:
  int FPages = 1;
  int FLists = 0;
};

// Glyph calls for one page, in drawing order.
class GlyphScript {
public:
  double PageWidth = 612, PageHeight = 792;
  // Scales the advances, as a PDF whose widths are narrower than the font's.
  double WidthScale = 1;

  struct Glyph {
    TFont Font;
    TvlDoubleRect Rect;
    double X, Y, Width;
    bool ContinuesString, ContinuesShow;
    WideChar Ch;
  };
  std::vector<Glyph> Glyphs;

  static double Advance(WideChar c, const TFont& f) { return TextExtent(WideString(1, c), f).cx / PixelsPerPoint; }
  static double Width(const std::string& Utf8, const TFont& f) {
    return TextExtent(vl::Utf8ToWide(Utf8), f).cx / PixelsPerPoint;
  }

  // One text-showing operator: the characters of Utf8 from X on the
  // baseline at distance Baseline from the page top. Returns the end.
  double Show(double X, double Baseline, const std::string& Utf8, const TFont& Font) {
    WideString w = vl::Utf8ToWide(Utf8);
    bool first = true;
    for (WideChar c : w) {
      TSize ext = TextExtent(WideString(1, c), Font);
      double adv = ext.cx / PixelsPerPoint * WidthScale;
      double top = Baseline - 0.8 * ext.cy / PixelsPerPoint;
      Glyph g{Font,
              {X * PixelsPerPoint, top * PixelsPerPoint, X * PixelsPerPoint + ext.cx, top * PixelsPerPoint + ext.cy},
              X, PageHeight - Baseline, adv, !first, !first, c};
      Glyphs.push_back(g);
      X += adv;
      first = false;
    }
    return X;
  }

  // A line of words in one operator, spaces drawn as glyphs; when Right is
  // given, word spacing stretches the line so it ends there (justified text).
  double Words(double X, double Baseline, const std::string& Text, const TFont& Font, double Right = 0) {
    WideString w = vl::Utf8ToWide(Text);
    double natural = TextExtent(w, Font).cx / PixelsPerPoint * WidthScale;
    size_t spaces = std::count(w.begin(), w.end(), u' ');
    double stretch = (Right > 0 && spaces > 0) ? (Right - X - natural) / spaces : 0;
    bool first = true;
    for (WideChar c : w) {
      size_t before = Glyphs.size();
      X = Show(X, Baseline, vl::WideToUtf8(WideString(1, c)), Font);
      if (!first && before < Glyphs.size()) Glyphs[before].ContinuesString = Glyphs[before].ContinuesShow = true;
      first = false;
      if (c == u' ') X += stretch;
    }
    return X;
  }

  void Play(TvlDocumentWriter& W) const {
    for (auto& g : Glyphs) W.TextOut(g.Font, g.Rect, g.X, g.Y, g.Width, g.ContinuesString, g.ContinuesShow, g.Ch, 0);
  }

  // Sets the page up as the PDF side does, plays the glyphs and ends the page.
  void RunPage(TvlDocumentWriter& W, bool First = true) const {
    W.SetMeasurementUnit(muPoint);
    TvlPageSettings& s = W.GetCurrentPageSettings();
    s.SetPaperSize(TvlPaperSize::Custom);
    s.SetWidth(PageWidth);
    s.SetHeight(PageHeight);
    if (First)
      W.BeginDoc();
    else
      W.BeginPage();
    Play(W);
    W.EndPage();
  }
};

// Converts Script as a one-page document and returns what the writer saw.
inline std::unique_ptr<RecordingWriter> Convert(const GlyphScript& Script, TvlFormattingMode Mode = fmFormatted) {
  auto rec = std::make_unique<RecordingWriter>();
  TvlFormatter f(rec.get());
  f.SetFormattingMode(Mode);
  Script.RunPage(f);
  f.EndDoc();
  return rec;
}

}  // namespace fmtest
