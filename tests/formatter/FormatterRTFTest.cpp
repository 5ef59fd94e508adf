// The formatter in front of the RTF writer: the RTF text of laid-out pages,
// and the same file read back by an office suite.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "formatter/FormatterTestSupport.h"
#include "rtf/vlRTFDoc.h"
#include "support/OfficeText.h"

using namespace fmtest;

namespace {

const TFont kBody = MakeFont("Times New Roman", 11);

std::string ReadFile(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Page 1: a heading, two columns, then full-width text; page 2: a list and
// a line with a copyright sign and a superscript.
std::vector<GlyphScript> Pages() {
  std::vector<GlyphScript> pages(2);
  GlyphScript& a = pages[0];
  a.Words(72, 120, "Quarterly Harvest Review", MakeFont("Arial", 16, true));
  for (int i = 0; i < 4; ++i) {
    a.Words(72, 150 + 13 * i, "western field row " + std::to_string(i + 1), kBody);
    a.Words(322, 150 + 13 * i, "eastern field row " + std::to_string(i + 1), kBody);
  }
  a.Words(72, 230, "The quick brown fox jumps over the lazy dog while the farmer watches from the porch and",
          kBody, 540);
  a.Words(72, 243, "the sun sets slowly behind the hills.", kBody);
  GlyphScript& b = pages[1];
  const char* items[] = {"1. Plough the soil", "2. Sow the seeds", "3. Bring in the harvest"};
  for (int i = 0; i < 3; ++i) b.Words(72, 130 + 14 * i, items[i], kBody);
  double x = b.Show(72, 202, "\u00A9", MakeFont("Times New Roman", 16));
  b.Words(x + 2, 200, "2024 Velmora Farms", kBody);
  x = b.Words(72, 240, "Yield rose by 10", kBody);
  x = b.Show(x + 0.3, 236, "3", MakeFont("Times New Roman", 7));
  b.Words(x, 240, " tonnes.", kBody);
  return pages;
}

std::string ConvertToRTF(const std::string& Path, TvlFormattingMode Mode) {
  TvlRTFDoc doc;
  doc.SetFileName(Path);
  TvlFormatter f(&doc);
  f.SetFormattingMode(Mode);
  std::vector<GlyphScript> pages = Pages();
  for (size_t i = 0; i < pages.size(); ++i) pages[i].RunPage(f, i == 0);
  f.EndDoc();
  return ReadFile(Path);
}

}  // namespace

TEST(FormatterRTF, PagesBecomeSectionsColumnsParagraphsAndLists) {
  auto dir = std::filesystem::temp_directory_path() / ("vl_fmt_rtf_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::string formatted = (dir / "formatted.rtf").string();
  std::string tabs = (dir / "tabs.rtf").string();
  std::string rtf = ConvertToRTF(formatted, fmFormatted);
  std::string rtfTabs = ConvertToRTF(tabs, fmFormattedWithTabs);

  struct Case {
    const std::string* Text;
    const char* Word;
    bool Present;
  } cases[] = {
      {&rtf, "\\cols3", true},     {&rtf, "\\column", true},   {&rtf, "\\qj", true},
      {&rtf, "\\ls", true},        {&rtf, "\xA9", true},     {&rtf, "Yield rose by 103 tonnes.", true},
      {&rtfTabs, "\\cols3", false}, {&rtfTabs, "\\tab", true},   {&rtfTabs, "\\tx", true},
  };
  for (auto& c : cases) EXPECT_EQ(c.Text->find(c.Word) != std::string::npos, c.Present) << c.Word;

  if (!vltest::HaveOffice()) {
    std::filesystem::remove_all(dir);
    GTEST_SKIP() << "LibreOffice is not installed; the read-back part was skipped";
  }
  auto texts = vltest::OfficeReadText({formatted, tabs}, (dir / "out").string());
  ASSERT_EQ(texts.size(), 2u);
  const char* expected[] = {"Quarterly Harvest Review", "western field row 1", "eastern field row 4",
                            "The quick brown fox", "Plough the soil", "Bring in the harvest",
                            "\u00A9", "2024 Velmora Farms", "Yield rose by 103 tonnes."};
  for (auto& t : texts) {
    ASSERT_TRUE(t.has_value());
    size_t at = 0;
    for (const char* e : expected) {
      size_t found = t->find(e, at);
      EXPECT_NE(found, std::string::npos) << e << "\n" << *t;
      if (found != std::string::npos) at = found;
    }
  }
  std::filesystem::remove_all(dir);
}
