// Interprets the content of a text-heavy corpus file and reports operators
// per second. Content streams are decoded once up front, so the figure is the
// interpreter's own speed (tokenizing, operand checks, state, glyph decoding
// and device calls on a device that overrides nothing).
//
//   bench_ContentStream [FILE.pdf] [--repeat N]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "pdf/content/PDContentStream.h"
#include "pdf/content/PDExportDevice.h"
#include "pdf/core/PDBaseObject.h"
#include "pdf/core/PDDocument.h"
#include "pdf/pages/PDPage.h"

// Counts heap allocations, to show what interpretation allocates per operator.
static long gAllocations = 0;
void* operator new(size_t N) {
  ++gAllocations;
  if (void* p = std::malloc(N ? N : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* P) noexcept { std::free(P); }
void operator delete(void* P, size_t) noexcept { std::free(P); }

namespace {

struct PageContent {
  TvlPDResource* Resources;
  std::string Data;
};

// Draws nothing; asks for glyph-by-glyph delivery like the extractor does.
class NullDevice : public TvlPDExportDevice {
public:
  NullDevice() { DrawsGlyphs = true; }
  long Glyphs = 0;
  void DrawGlyph(const TvlPDState&, uint16_t, double, double, double, double,
                 std::string_view) override {
    ++Glyphs;
  }
};

}  // namespace

int main(int argc, char** argv) {
  std::string file = VL_SOURCE_DIR "/../shared/corpus/lo-long-200pages.pdf";
  int repeat = 5;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--repeat") && i + 1 < argc) repeat = std::atoi(argv[++i]);
    else file = argv[i];
  }
  TvlPDDocument doc;
  try {
    doc.LoadFromFile(file);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "cannot load %s: %s\n", file.c_str(), e.what());
    return 1;
  }
  std::vector<PageContent> pages;
  size_t bytes = 0;
  for (int n = 1; n <= doc.GetPageCount(); ++n) {
    TvlPDPage* page = doc.GetPage(n);
    TvlPDBaseObject* contents = page->Dictionary()->Get("Contents");
    std::string data;
    auto add = [&](TvlPDBaseObject* o) {
      if (o && o->IsStream()) data += o->AsStream()->ReadAll() + "\n";
    };
    if (contents && contents->IsArray()) {
      for (int i = 0; i < contents->AsArray()->Count(); ++i) add(contents->AsArray()->Get(i));
    } else {
      add(contents);
    }
    bytes += data.size();
    pages.push_back({page->GetResources(), std::move(data)});
  }
  NullDevice dev;
  const TvlPDRect box(0, 0, 612, 792);
  long operators = 0;
  // One warm-up pass builds the fonts and resources.
  for (const PageContent& p : pages) {
    TvlPDContentStream cs(&doc, nullptr, p.Resources, nullptr);
    cs.DisplayData(dev, p.Data, 1, &box, 0, 96, 96);
  }
  dev.Glyphs = 0;
  const long allocationsBefore = gAllocations;
  const auto start = std::chrono::steady_clock::now();
  for (int r = 0; r < repeat; ++r) {
    for (const PageContent& p : pages) {
      TvlPDContentStream cs(&doc, nullptr, p.Resources, nullptr);
      cs.DisplayData(dev, p.Data, 1, &box, 0, 96, 96);
      operators += cs.OperatorCount;
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const long allocations = gAllocations - allocationsBefore;
  std::printf("%s: %zu pages, %.1f KB of content, %d passes\n", file.c_str(), pages.size(),
              bytes / 1024.0, repeat);
  std::printf("%ld operators, %ld glyphs in %.3f s: %.2f M operators/s, %.2f M glyphs/s, "
              "%.1f MB/s\n",
              operators, dev.Glyphs, seconds, operators / seconds / 1e6, dev.Glyphs / seconds / 1e6,
              bytes * repeat / seconds / 1e6);
  std::printf("%ld heap allocations: %.1f per page, %.4f per operator\n", allocations,
              double(allocations) / (pages.size() * repeat), double(allocations) / operators);
  return 0;
}
