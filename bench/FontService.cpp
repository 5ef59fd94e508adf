// Measures the font service's hot paths: per-glyph text extents (as the
// extractor's fallback box and the formatter's fits use them), character
// advances and glyph outline boxes.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/vlFontService.h"
#include "platform/vlGeometry.h"
#include "writer/vlConvUtils.h"

namespace {
template <class F>
double NsPerCall(long n, F&& f) {
  auto t0 = std::chrono::steady_clock::now();
  for (long i = 0; i < n; ++i) f(i);
  auto t1 = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::nano>(t1 - t0).count() / n;
}
}  // namespace

int main() {
  setenv("FONTCONFIG_FILE", VL_SOURCE_DIR "/tests/fonts/fonts.conf", 1);
  auto& fs = vl::TvlFontService::Instance();
  auto t0 = std::chrono::steady_clock::now();
  size_t names = fs.FamilyNames().size();
  auto t1 = std::chrono::steady_clock::now();
  std::printf("family list: %zu names in %.1f ms (first use)\n", names,
              std::chrono::duration<double, std::milli>(t1 - t0).count());

  TFont fonts[3];
  fonts[0].Name = "Arial";
  fonts[1].Name = "Times New Roman";
  fonts[1].Style = {fsBold};
  fonts[2].Name = "Courier New";
  for (TFont& f : fonts) f.Size = 11;
  const WideString text = u"The quick brown fox jumps over the lazy dog";
  volatile long sink = 0;
  double ch = NsPerCall(3000000, [&](long i) {
    WideString one(1, text[i % text.size()]);
    sink = sink + TextExtent(one, fonts[i % 3]).cx;
  });
  double line = NsPerCall(300000, [&](long i) { sink = sink + TextExtent(text, fonts[i % 3]).cx; });
  double adv = NsPerCall(3000000, [&](long i) {
    sink = sink + static_cast<long>(fs.CharAdvance(fonts[i % 3], text[i % text.size()]));
  });
  double outline = NsPerCall(200000, [&](long i) {
    vl::TvlPath p;
    fs.AddCharOutline(p, fonts[i % 3].Name, fonts[i % 3].Style, 14.67, text[i % text.size()], 0, -13);
    p.Transform({1, 0, 0, 1, 100, 700});
    sink = sink + p.IntegerBounds().Right;
  });
  std::printf("TextExtent of one character: %.0f ns\n", ch);
  std::printf("TextExtent of a %zu-character line: %.0f ns\n", text.size(), line);
  std::printf("CharAdvance: %.0f ns\n", adv);
  std::printf("glyph outline box: %.0f ns\n", outline);
  return 0;
}
