// The shared corpus of real PDFs: which documents it holds and what each
// document's description says.
#pragma once

#include <string>
#include <vector>

namespace vltest {

struct CorpusDoc {
  std::string Name;      // base name, e.g. lo-report-a4
  std::string Pdf;       // path of NAME.pdf
  std::string Expected;  // path of NAME.expected.txt
  std::string Password;  // user password from NAME.json, empty for none
  int Pages = 0;         // page count from NAME.json
};

// Corpus folder beside the repository, empty when it is absent.
std::string CorpusDir();

// Every PDF of the corpus that has an expected text, sorted by name.
std::vector<CorpusDoc> CorpusDocs();

}  // namespace vltest
