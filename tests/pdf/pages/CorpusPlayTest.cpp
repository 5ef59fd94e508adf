// Plays every page of every corpus PDF on the recording device and compares
// the glyph count with what pdftotext extracts from the same page.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "pdf/core/PDBaseObject.h"
#include "pdf/core/PDDocument.h"
#include "pdf/pages/PDPage.h"
#include "pdf/pages/PDResource.h"
#include "support/RecordingDevice.h"

namespace {

namespace fs = std::filesystem;

const std::string kCorpus = VL_SOURCE_DIR "/../shared/corpus";

std::string ReadFile(const fs::path& P) {
  std::ifstream in(P, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string PasswordOf(const fs::path& Pdf) {
  fs::path json = Pdf;
  json.replace_extension(".json");
  static const std::regex re("\"password\"\\s*:\\s*\"([^\"]*)\"");
  std::smatch m;
  const std::string text = ReadFile(json);
  return std::regex_search(text, m, re) ? m[1].str() : std::string();
}

// Non-blank characters per page as pdftotext -raw sees them (pages end with
// a form feed); empty when the tool is missing.
std::vector<long> PdftotextCounts(const fs::path& Pdf, const std::string& Password) {
  std::string cmd = "pdftotext -q -raw ";
  if (!Password.empty()) cmd += "-upw '" + Password + "' ";
  cmd += "'" + Pdf.string() + "' - 2>/dev/null";
  std::vector<long> pages;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return pages;
  long count = 0;
  bool any = false;
  int c;
  while ((c = fgetc(p)) != EOF) {
    any = true;
    if (c == '\f') {
      pages.push_back(count);
      count = 0;
    } else if (c > 32 && (c & 0xC0) != 0x80) {
      // A code point: an ASCII character or a UTF-8 lead byte. NBSP
      // (C2 A0) is blank and counted out below.
      if (c == 0xC2) {
        const int n = fgetc(p);
        if (n != 0xA0) ++count;
        if (n == EOF) break;
        continue;
      }
      ++count;
    }
  }
  pclose(p);
  if (!any) pages.clear();
  return pages;
}

bool AllFontsBuilt(TvlPDPage* Page) {
  TvlPDResource* res = Page->GetResources();
  TvlPDDictionary* fonts = res && res->Dictionary() ? res->Dictionary()->GetDictionary("Font") : nullptr;
  return !fonts || res->FontCount() == fonts->Count();
}

TEST(CorpusPlay, EveryPageGlyphCounts) {
  if (!fs::is_directory(kCorpus)) GTEST_SKIP() << "corpus not found at " << kCorpus;
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(kCorpus))
    if (e.path().extension() == ".pdf") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  std::ofstream report(VL_BINARY_DIR "/corpus-glyphs.txt");
  report << "file pages compared glyphs pdftotext ratio\n";
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    const std::string password = PasswordOf(file);
    TvlPDDocument doc;
    doc.SetPassword(nullptr, password);
    try {
      doc.LoadFromFile(file.string());
    } catch (const std::exception& e) {
      report << file.filename().string() << " not loaded: " << e.what() << "\n";
      continue;
    }
    const std::vector<long> expected = PdftotextCounts(file, password);
    RecordingDevice dev;
    dev.Quiet = true;
    int pages = 0, compared = 0;
    long ours = 0, theirs = 0;
    const int count = doc.GetPageCount();
    for (int n = 1; n <= count; ++n) {
      const long inkBefore = dev.InkGlyphs, formsBefore = dev.Forms, t3Before = dev.Type3Glyphs;
      EXPECT_NO_THROW(doc.PlayPage(&dev, n, true, false, false, 0, 96, 96)) << "page " << n;
      ++pages;
      // Forms draw nothing and Type3 glyphs are pictures: such pages are not comparable.
      if (dev.Forms != formsBefore || dev.Type3Glyphs != t3Before) continue;
      // Fonts the font side cannot build yet (composite fonts) show nothing.
      if (!AllFontsBuilt(doc.GetPage(n))) continue;
      if (static_cast<size_t>(n) > expected.size()) continue;
      ++compared;
      ours += dev.InkGlyphs - inkBefore;
      theirs += expected[n - 1];
    }
    const double ratio = theirs ? double(ours) / double(theirs) : (ours ? 99.0 : 1.0);
    char line[256];
    std::snprintf(line, sizeof line, "%s %d %d %ld %ld %.4f\n", file.filename().string().c_str(),
                  pages, compared, ours, theirs, ratio);
    report << line;
    // Until decryption is there, encrypted files only have to survive.
    if (compared && !(doc.IsEncrypted() && ours == 0)) {
      EXPECT_NEAR(ratio, 1.0, 0.05) << line;
    }
  }
}

}  // namespace
