#include "e2e/CorpusSupport.h"

#include <algorithm>
#include <filesystem>
#include <regex>

#include "support/OfficeText.h"

namespace fs = std::filesystem;

namespace vltest {

std::string CorpusDir() {
  const std::string dir = VL_SOURCE_DIR "/../shared/corpus";
  return fs::is_directory(dir) ? dir : std::string();
}

std::vector<CorpusDoc> CorpusDocs() {
  std::vector<CorpusDoc> docs;
  const std::string dir = CorpusDir();
  if (dir.empty()) return docs;
  for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
    if (e.path().extension() != ".pdf") continue;
    CorpusDoc d;
    d.Name = e.path().stem().string();
    d.Pdf = e.path().string();
    d.Expected = dir + "/" + d.Name + ".expected.txt";
    if (!fs::exists(d.Expected)) continue;
    // The descriptions are small flat JSON objects; two fields are needed.
    const std::string json = ReadWholeFile(dir + "/" + d.Name + ".json");
    std::smatch m;
    if (std::regex_search(json, m, std::regex("\"password\"\\s*:\\s*\"([^\"]*)\"")))
      d.Password = m[1];
    if (std::regex_search(json, m, std::regex("\"pages\"\\s*:\\s*([0-9]+)")))
      d.Pages = std::stoi(m[1]);
    docs.push_back(std::move(d));
  }
  std::sort(docs.begin(), docs.end(),
            [](const CorpusDoc& a, const CorpusDoc& b) { return a.Name < b.Name; });
  return docs;
}

}  // namespace vltest
