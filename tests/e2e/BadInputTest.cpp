// Bad input through the two front doors, the exported function and the
// command-line program: each fails cleanly with its message, never crashes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "entry/vlExport.h"
#include "pdf/core/PDDocument.h"
#include "support/OfficeText.h"
#include "support/PdfBuilder.h"

namespace {

const std::string& GoodPdf() {
  static const std::string pdf = vltest::PdfBuilder::SimpleDocument(
      {"BT /F1 12 Tf 72 700 Td (Hello) Tj ET", "BT /F1 12 Tf 72 700 Td (World) Tj ET"},
      "<< /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >>");
  return pdf;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

struct BadCase {
  const char* Label;
  // Writes the input file (or nothing, for a missing one); false to skip.
  std::function<bool(const std::string& path)> Make;
  const char* Range;
  // Text the command-line program's message must contain ("" for any).
  const char* Message;
  // Its exit status: 1 for a failed conversion, an unreadable page range
  // included.
  int Status = 1;
};

const std::vector<BadCase>& BadCases() {
  static const std::vector<BadCase> cases = {
      {"missing file", [](const std::string&) { return true; }, "", "File Not Found"},
      {"not a PDF",
       [](const std::string& p) {
         WriteFile(p, "This is a plain text file.\nNothing here is a PDF.\n");
         return true;
       },
       "", ""},
      {"empty file",
       [](const std::string& p) {
         WriteFile(p, "");
         return true;
       },
       "", ""},
      {"truncated PDF",
       [](const std::string& p) {
         WriteFile(p, GoodPdf().substr(0, GoodPdf().size() / 2));
         return true;
       },
       "", ""},
      {"bad page range",
       [](const std::string& p) {
         WriteFile(p, GoodPdf());
         return true;
       },
       "1,x-,3-", "'' is not a valid integer value"},
      {"encrypted, no password",
       [](const std::string& p) {
         const auto enc = vltest::QpdfTransform(
             GoodPdf(), {"--allow-weak-crypto", "--encrypt", "secret", "owner", "128", "--use-aes=n", "--"});
         if (!enc) return false;
         WriteFile(p, *enc);
         // Without the standard security handler the file opens as if it
         // were plain; there is then no password failure to see.
         try {
           TvlPDDocument doc;
           doc.LoadFromFile(p);
           return false;
         } catch (const Exception&) {
           return true;
         }
       },
       "", "Encrypted PDF: Password required for loading"},
  };
  return cases;
}

int Export(const std::string& in, const std::string& out, const std::string& range) {
  const char* i = in.c_str();
  const char* o = out.c_str();
  const char* r = range.c_str();
  return VelmoraPDFtoRTF(&i, &o, &r);
}

}  // namespace

TEST(BadInput, ExportReturnsZero) {
  vltest::TempDir tmp;
  for (const BadCase& c : BadCases()) {
    const std::string in = tmp.File("in.pdf");
    std::filesystem::remove(in);
    if (!c.Make(in)) continue;
    EXPECT_EQ(Export(in, tmp.File("out.rtf"), c.Range), 0) << c.Label;
  }
  // The same export succeeds on the sound file: -1, not 1.
  WriteFile(tmp.File("good.pdf"), GoodPdf());
  EXPECT_EQ(Export(tmp.File("good.pdf"), tmp.File("good.rtf"), ""), -1);
  EXPECT_TRUE(std::filesystem::exists(tmp.File("good.rtf")));
}

TEST(BadInput, CommandLineExitsWithMessage) {
  vltest::TempDir tmp;
  for (const BadCase& c : BadCases()) {
    const std::string in = tmp.File("in.pdf");
    std::filesystem::remove(in);
    if (!c.Make(in)) continue;
    std::vector<std::string> argv = {VL_TOOL_PATH};
    if (*c.Range) argv.insert(argv.end(), {"--pages", c.Range});
    argv.insert(argv.end(), {in, tmp.File("out.rtf")});
    const vltest::ProgramResult r = vltest::RunProgram(argv, 60);
    EXPECT_FALSE(r.Signalled) << c.Label;
    EXPECT_EQ(r.Status, c.Status) << c.Label << ": " << r.Err;
    EXPECT_NE(r.Err.find(c.Message), std::string::npos) << c.Label << ": " << r.Err;
    EXPECT_FALSE(r.Err.empty()) << c.Label;
  }
}
