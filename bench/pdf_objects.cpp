// Object loading: open a document and fetch every object, for the largest
// file of the shared corpus (or a file given on the command line).
#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>

#include "pdf/core/PDBaseDoc.h"
#include "pdf/core/PDDocument.h"

int main(int argc, char** argv) {
  std::string path = argc > 1 ? argv[1] : "";
  if (path.empty()) {
    std::filesystem::path dir = VL_SOURCE_DIR "/../shared/corpus";
    uintmax_t best = 0;
    if (std::filesystem::exists(dir))
      for (const auto& e : std::filesystem::directory_iterator(dir))
        if (e.path().extension() == ".pdf" && e.file_size() > best &&
            e.path().string().find("rc4") == std::string::npos &&
            e.path().string().find("aes") == std::string::npos) {
          best = e.file_size();
          path = e.path().string();
        }
  }
  if (path.empty()) {
    std::fprintf(stderr, "no input file\n");
    return 1;
  }
  const int rounds = 20;
  size_t objects = 0;
  auto t0 = std::chrono::steady_clock::now();
  std::clock_t c0 = std::clock();
  for (int r = 0; r < rounds; ++r) {
    TvlPDDocument doc;
    doc.LoadFromFile(path);
    objects = 0;
    for (int32_t n : doc.GetBaseDoc()->GetXRef()->EntryNumbers())
      if (doc.FetchObject(n)) ++objects;
  }
  double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  double cpu = static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
  std::printf("%s: %zu bytes, %zu objects\n", path.c_str(),
              static_cast<size_t>(std::filesystem::file_size(path)), objects);
  // CPU time is the figure to compare on a shared machine; wall time includes waiting.
  std::printf("open + fetch all objects: %.2f ms CPU, %.2f ms wall per run (%d runs)\n",
              cpu * 1000 / rounds, s * 1000 / rounds, rounds);
  return 0;
}
