// Lays out a dense synthetic page (3,000 glyphs on 60 lines in two columns)
// over and over and reports glyphs per second for collecting, laying out
// and replaying the page on a writer that keeps nothing.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "formatter/vlFormatter.h"
#include "writer/vlConvUtils.h"

namespace {

struct Glyph {
  TvlDoubleRect Rect;
  double X, Y, Width;
  bool Continues;
  WideChar Ch;
};

std::vector<Glyph> DensePage(const TFont& Font, double PageHeight) {
  const char* words[] = {"harvest", "field", "row", "the", "of", "and", "grain", "river", "valley", "stone"};
  std::vector<Glyph> out;
  for (int row = 0; row < 30; ++row) {
    const double baseline = 80 + row * 12.5;
    for (int col = 0; col < 2; ++col) {
      double x = col == 0 ? 72 : 322;
      int count = 0;
      for (int w = 0; count < 50; ++w) {
        std::string word = words[(row * 7 + col * 3 + w) % 10];
        word += ' ';
        for (char c : word) {
          if (count == 50) break;
          TSize ext = TextExtent(WideString(1, static_cast<WideChar>(c)), Font);
          double adv = ext.cx / PixelsPerPoint;
          double top = baseline - 0.8 * ext.cy / PixelsPerPoint;
          out.push_back({{x * PixelsPerPoint, top * PixelsPerPoint, x * PixelsPerPoint + ext.cx,
                          top * PixelsPerPoint + ext.cy},
                         x, PageHeight - baseline, adv, count > 0, static_cast<WideChar>(c)});
          x += adv;
          ++count;
        }
      }
    }
  }
  return out;
}

// Keeps only counts, to show the page was laid out as a two-column band.
class CountingWriter : public TvlDocumentWriter {
public:
  int Sections = 0, ColumnBreaks = 0, Paragraphs = 0;
  void BeginSection(int, int, const TvlColumnSpecs&) override { ++Sections; }
  void ColumnBreak() override { ++ColumnBreaks; }
  void BeginParagraph(const AnsiString&) override { ++Paragraphs; }
};

}  // namespace

int main(int argc, char** argv) {
  setenv("FONTCONFIG_FILE", VL_SOURCE_DIR "/tests/fonts/fonts.conf", 0);
  const int pages = argc > 1 ? std::atoi(argv[1]) : 300;
  TFont font;
  font.Name = "Times New Roman";
  font.Size = 8;
  font.Color = clBlack;
  const double height = 792;
  const std::vector<Glyph> page = DensePage(font, height);

  CountingWriter sink;
  TvlFormatter f(&sink);
  bool begun = false;
  auto run = [&](int n) {
    for (int p = 0; p < n; ++p) {
      f.SetMeasurementUnit(muPoint);
      TvlPageSettings& s = f.GetCurrentPageSettings();
      s.SetPaperSize(TvlPaperSize::Custom);
      s.SetWidth(612);
      s.SetHeight(height);
      if (!begun)
        f.BeginDoc();
      else
        f.BeginPage();
      begun = true;
      for (const Glyph& g : page) f.TextOut(font, g.Rect, g.X, g.Y, g.Width, g.Continues, g.Continues, g.Ch, 0);
      f.EndPage();
    }
  };
  run(5);  // warm the font service's caches
  auto t0 = std::chrono::steady_clock::now();
  run(pages);
  double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  double glyphs = static_cast<double>(page.size()) * pages;
  const double all = pages + 5;
  std::printf("per page: %.2f sections, %.2f column breaks, %.2f paragraphs\n", sink.Sections / all,
              sink.ColumnBreaks / all, sink.Paragraphs / all);
  std::printf("formatter: %zu glyphs/page, %d pages in %.3f s: %.0f glyphs/s, %.3f ms/page\n", page.size(), pages,
              secs, glyphs / secs, secs * 1000 / pages);
  return 0;
}
