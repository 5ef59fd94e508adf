// Converts every document of the shared corpus with the real converter, has
// LibreOffice read each RTF back, and checks that the words come back in
// reading order. The floors are what the output reaches today, so a
// regression fails here.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "e2e/CorpusSupport.h"
#include "e2e/ConvertSupport.h"
#include "support/OfficeText.h"

namespace {

struct Floor {
  double Recall, Order;
};

// Per-document floors, a little below what the output measures. The zero
// is Type3 text, which the extractor never gets.
const std::map<std::string, Floor>& Floors() {
  static const std::map<std::string, Floor> floors = {
      {"cairo-svg-poster", {0.95, 0.92}},
      {"chromium-article-letter", {0.98, 0.98}},
      {"chromium-article-letter-qdf", {0.98, 0.98}},
      {"chromium-invoice-a4", {0.98, 0.87}},
      {"chromium-invoice-a4-aes128", {0.98, 0.87}},
      {"groff-ms-handbook", {0.98, 0.98}},
      {"groff-ms-handbook-rc4-40", {0.98, 0.98}},
      {"groff-tbl-ps2pdf", {0.98, 0.96}},
      {"gs-redistilled-letter", {0.96, 0.96}},
      {"lo-columns-letter", {0.99, 0.71}},
      {"lo-columns-letter-rc4-128-secret", {0.99, 0.71}},
      {"lo-images-pagesizes", {0.99, 0.90}},
      {"lo-long-200pages", {0.99, 0.98}},
      {"lo-report-a4", {0.99, 0.98}},
      {"lo-report-a4-objstm", {0.99, 0.98}},
      {"lo-tables-multilingual", {0.97, 0.94}},
      {"lualatex-multilingual-a4", {0.99, 0.99}},
      {"pdftex-twocolumn-letter", {0.98, 0.91}},
      {"pdftex-twocolumn-letter-rc4-128", {0.98, 0.91}},
      {"pdftex-type3-bitmap-a5", {0.00, 0.00}},
      {"rl-canvas-letter", {0.88, 0.84}},
      {"rl-canvas-letter-incremental", {0.89, 0.85}},
      {"rl-dense-page", {0.99, 0.99}},
      {"rl-platypus-report", {0.98, 0.93}},
      {"rl-platypus-report-linearized", {0.98, 0.93}},
      {"rl-scan-rotate-sizes", {0.99, 0.92}},
  };
  return floors;
}
constexpr Floor kMeanFloor = {0.94, 0.89};

}  // namespace

TEST(EndToEnd, CorpusWordsComeBackInReadingOrder) {
  const std::vector<vltest::CorpusDoc> docs = vltest::CorpusDocs();
  if (docs.empty()) GTEST_SKIP() << "no corpus at ../shared/corpus";
  if (!vltest::HaveOffice()) GTEST_SKIP() << "soffice is not installed";
  if (vltest::SharedToolsDir().empty()) GTEST_SKIP() << "no word scorer at ../shared/tools";

  vltest::TempDir tmp;
  std::vector<std::string> rtfs;
  std::vector<const vltest::CorpusDoc*> converted;
  for (const vltest::CorpusDoc& d : docs) {
    const std::string rtf = tmp.File(d.Name + ".rtf");
    const std::string error = vltest::ConvertPdf(d.Pdf, rtf, "", d.Password);
    EXPECT_EQ(error, "") << d.Name;
    if (!error.empty()) continue;
    rtfs.push_back(rtf);
    converted.push_back(&d);
  }
  const auto texts = vltest::OfficeReadText(rtfs, tmp.Path());
  std::vector<std::pair<std::string, std::string>> pairs;
  for (size_t i = 0; i < texts.size(); ++i) {
    // A run that selected no page writes no file; its text is empty.
    const std::string txt = tmp.File(converted[i]->Name + ".txt");
    if (!texts[i]) std::ofstream(txt, std::ios::binary).flush();
    pairs.emplace_back(converted[i]->Expected, txt);
  }
  const auto scores = vltest::ScoreWords(pairs);
  ASSERT_TRUE(scores.has_value()) << "the word scorer did not run";

  double recall = 0, order = 0;
  for (size_t i = 0; i < converted.size(); ++i) {
    const std::string& name = converted[i]->Name;
    const auto it = Floors().find(name);
    ASSERT_NE(it, Floors().end()) << name << " has no floor";
    const Floor floor = it->second;
    const vltest::WordScore& s = (*scores)[i];
    std::printf("%-40s recall %.4f order %.4f\n", name.c_str(), s.Recall, s.Order);
    EXPECT_GE(s.Recall, floor.Recall) << name;
    EXPECT_GE(s.Order, floor.Order) << name;
    recall += s.Recall;
    order += s.Order;
  }
  // Every document counts in the mean; one that failed counts as zero.
  recall /= static_cast<double>(docs.size());
  order /= static_cast<double>(docs.size());
  std::printf("mean of %zu: recall %.4f order %.4f\n", docs.size(), recall, order);
  EXPECT_GE(recall, kMeanFloor.Recall);
  EXPECT_GE(order, kMeanFloor.Order);
}
