// Writes a large synthetic document through the RTF writer the way the
// formatter does (page settings, pictures-free page sections, column
// sections, paragraphs with runs, tabs and list items) and reports the time
// to build the element tree, to render and write it, and the peak memory.
//
//   bench_RTFWriter [PAGES] [OUT.rtf]      (default 1000 pages, a temporary file)
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "rtf/vlRTFDoc.h"

using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

const char16_t* const kWords[] = {u"lorem", u"ipsum", u"dolor", u"sit", u"amet", u"consectetur",
                                  u"adipiscing", u"elit", u"sed", u"do", u"eiusmod", u"tempor",
                                  u"\u0416\u0443\u0440\u043D\u0430\u043B", u"\u03B1\u03B2\u03B3", u"{x}"};

std::u16string Line(unsigned seed, int words) {
  std::u16string s;
  for (int i = 0; i < words; ++i) {
    if (i) s.push_back(u' ');
    s += kWords[(seed + static_cast<unsigned>(i) * 7u) % (sizeof kWords / sizeof kWords[0])];
  }
  return s;
}

void WritePage(TvlRTFDoc& doc, int page, int numbered, int bullets) {
  TvlPageSettings& ps = doc.GetCurrentPageSettings();
  ps.SetPaperSize(TvlPaperSize::Custom);
  ps.SetWidth(612);
  ps.SetHeight(792);
  ps.SetLeftMargin(54);
  ps.SetRightMargin(54);
  ps.SetTopMargin(54);
  ps.SetBottomMargin(54);
  doc.SetCurrentPageSettings(ps);
  TFont& font = doc.GetFont();
  TvlTextFormatting& tf = doc.GetTextFormatting();
  // A heading band, a two-column band, and a band with tabbed lines and lists.
  doc.BeginSection(1, 0, {{0, 504}});
  font.Name = "Liberation Serif";
  font.Size = 16;
  font.Style = TFontStyles{fsBold};
  tf.SetLineSpacing(19);
  doc.BeginParagraph("");
  doc.WriteText(u"Chapter " + std::u16string(1, static_cast<char16_t>(u'A' + page % 26)), 0, 0);
  doc.EndParagraph();
  doc.BeginSection(2, 0, {{18, 243}, {0, 243}});
  font.Name = "Liberation Sans";
  font.Size = 10;
  font.Style = {};
  tf.SetLineSpacing(12);
  for (int col = 0; col < 2; ++col) {
    for (int p = 0; p < 12; ++p) {
      tf.SetFirstLineIndent(p % 3 == 0 ? 12 : 0);
      doc.BeginParagraph("");
      for (int r = 0; r < 3; ++r) {
        font.Style = r == 1 ? TFontStyles{fsItalic} : TFontStyles{};
        font.Color = r == 2 ? clNavy : clBlack;
        doc.WriteText(Line(static_cast<unsigned>(page * 131 + col * 17 + p * 5 + r), 9) + u" ", 0.1 * r, 0);
      }
      doc.EndParagraph();
    }
    if (col == 0) doc.ColumnBreak();
  }
  doc.BeginSection(1, 0, {{0, 504}});
  font.Color = clBlack;
  tf.SetFirstLineIndent(0);
  for (int p = 0; p < 10; ++p) {
    doc.BeginParagraph("");
    doc.WriteText(Line(static_cast<unsigned>(page + p), 2), 0, 0);
    doc.WriteText(Line(static_cast<unsigned>(page + p + 1), 1), 0, 150);
    doc.WriteText(Line(static_cast<unsigned>(page + p + 2), 1), 0, 300);
    doc.EndParagraph();
  }
  doc.SelectList(numbered);
  for (int p = 0; p < 5; ++p) {
    doc.BeginParagraph("");
    doc.WriteText(Line(static_cast<unsigned>(page * 3 + p), 12), 0, 0);
    doc.EndParagraph();
  }
  doc.SelectList(bullets);
  for (int p = 0; p < 5; ++p) {
    doc.BeginParagraph("");
    doc.WriteText(Line(static_cast<unsigned>(page * 5 + p), 12), 0, 0);
    doc.EndParagraph();
  }
  doc.EndList();
}

}  // namespace

int main(int argc, char** argv) {
  const int pages = argc > 1 ? std::atoi(argv[1]) : 1000;
  std::string out = argc > 2 ? argv[2] : "";
  const bool temporary = out.empty();
  if (temporary) out = (std::filesystem::temp_directory_path() / ("bench_rtf_" + std::to_string(getpid()) + ".rtf")).string();

  const auto t0 = Clock::now();
  uintmax_t bytes = 0;
  double build = 0, write = 0;
  {
    TvlRTFDoc doc;
    doc.SetFileName(out);
    doc.SetMeasurementUnit(muPoint);
    doc.BeginDoc();
    TFont bulletFont;
    bulletFont.Name = "DejaVu Sans";
    const int numbered = doc.AddNumberedList(0, taLeftJustify, 0, 1);
    const int bullets = doc.AddBulletList(bulletFont, u'\u2022', taLeftJustify, 0, 1);
    doc.EndList();
    for (int page = 0; page < pages; ++page) {
      if (page > 0) doc.BeginPage();
      WritePage(doc, page, numbered, bullets);
      doc.EndPage();
    }
    const auto t1 = Clock::now();
    doc.EndDoc();
    const auto t2 = Clock::now();
    build = Seconds(t0, t1);
    write = Seconds(t1, t2);
    bytes = std::filesystem::file_size(out);
  }
  const double total = Seconds(t0, Clock::now());
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  std::printf("pages %d, file %.1f MB\n", pages, static_cast<double>(bytes) / 1e6);
  std::printf("build tree %.3f s, render+write %.3f s, total %.3f s (%.2f ms/page)\n", build, write, total,
              1000.0 * total / pages);
  std::printf("peak RSS %.1f MB\n", static_cast<double>(ru.ru_maxrss) / 1024.0);
  if (temporary) std::filesystem::remove(out);
  return 0;
}
