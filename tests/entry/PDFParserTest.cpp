#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "entry/vlPDFParser.h"
#include "pdf/core/PDModelException.h"
#include "support/OfficeText.h"
#include "support/PdfBuilder.h"
#include "writer/vlDocumentWriter.h"

namespace {

// Logs the page lifecycle calls with the page size set at each begin.
class PageLog : public TvlDocumentWriter {
public:
  std::vector<std::string> Log;
  void BeginDoc() override { Log.push_back("doc " + Size()); }
  int BeginPage() override {
    Log.push_back("page " + Size());
    return 0;
  }
  void EndPage() override { Log.push_back("end"); }
  void EndDoc() override { Log.push_back("enddoc"); }
  void TextOut(const TFont&, const TvlDoubleRect&, double, double, double, bool, bool, WideChar Ch,
               double) override {
    if (Log.empty() || Log.back().rfind("text ", 0) != 0) Log.push_back("text ");
    Log.back() += static_cast<char>(Ch);
  }

private:
  std::string Size() {
    const TvlPageSettings& s = GetCurrentPageSettings();
    return std::to_string(static_cast<int>(s.Width())) + "x" +
           std::to_string(static_cast<int>(s.Height()));
  }
};

const char* kFont =
    "<< /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >>";

// Pages whose text is their number: "1", "2", ...
std::string NumberedPages(int N) {
  std::vector<std::string> pages;
  for (int k = 1; k <= N; ++k)
    pages.push_back("BT /F1 12 Tf 72 700 Td (" + std::to_string(k) + ") Tj ET");
  return vltest::PdfBuilder::SimpleDocument(pages, kFont);
}

class ParserTest : public ::testing::Test {
protected:
  std::string Write(const std::string& Bytes, const std::string& Name = "in.pdf") {
    const std::string path = Tmp.File(Name);
    std::ofstream(path, std::ios::binary) << Bytes;
    return path;
  }
  // Opens and parses Path with Range; returns the writer's log.
  std::vector<std::string> Run(const std::string& Path, const std::string& Range) {
    PageLog writer;
    TvlPDFParser parser(&writer);
    parser.SetExtractionOptions(3);
    parser.SetPageRange(Range);
    parser.SetOnPageStart([&](TObject*, int n) { writer.Log.push_back("start " + std::to_string(n)); });
    parser.Open(Path, "");
    parser.Parse();
    parser.Close();
    Processed = parser.ProcessedPageCount();
    Selected = parser.SelectedPageCount();
    return writer.Log;
  }
  vltest::TempDir Tmp;
  int Processed = -1, Selected = -1;
};

}  // namespace

TEST_F(ParserTest, PlaysSelectedPagesInDocumentOrder) {
  const std::string pdf = Write(NumberedPages(4));
  using Log = std::vector<std::string>;
  struct Case {
    const char* Range;
    Log Expected;
  } cases[] = {
      {"", {"doc 612x792", "start 1", "text 1", "end", "page 612x792", "start 2", "text 2", "end",
            "page 612x792", "start 3", "text 3", "end", "page 612x792", "start 4", "text 4", "end",
            "enddoc"}},
      {"3,1", {"doc 612x792", "start 1", "text 1", "end", "page 612x792", "start 3", "text 3", "end",
               "enddoc"}},
      {"2,2", {"doc 612x792", "start 2", "text 2", "end", "enddoc"}},
      {"2 4", {"doc 612x792", "start 2", "text 2", "end", "page 612x792", "start 4", "text 4", "end",
               "enddoc"}},
      {"5-3", {}},
      {"1-3x", {}},
      {"9", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(pdf, c.Range), c.Expected) << "range '" << c.Range << "'";
    const int pages = static_cast<int>(std::count(c.Expected.begin(), c.Expected.end(), "end"));
    EXPECT_EQ(Processed, pages) << c.Range;
    EXPECT_EQ(Selected, pages) << c.Range;
  }
}

TEST_F(ParserTest, SizesPagesFromTheirBoxes) {
  struct Case {
    const char* Boxes;
    const char* Size;
  } cases[] = {
      {"/MediaBox [0 0 1224 792] /CropBox [0 0 612 792]", "doc 612x792"},
      {"/MediaBox [0 792 612 0]", "doc 612x792"},
      {"/MediaBox [0 0 612 792] /Rotate 90", "doc 612x792"},
      {"/MediaBox [0 0 420 595]", "doc 420x595"},
  };
  for (const Case& c : cases) {
    vltest::PdfBuilder b;
    b.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
        .Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>")
        .Object(3, std::string("<< /Type /Page /Parent 2 0 R ") + c.Boxes + " /Contents 4 0 R >>")
        .Stream(4, "", "")
        .Trailer("/Root 1 0 R");
    const auto log = Run(Write(b.Build()), "");
    ASSERT_FALSE(log.empty()) << c.Boxes;
    EXPECT_EQ(log.front(), c.Size) << c.Boxes;
  }
}

TEST_F(ParserTest, AsksForThePasswordOnce) {
  const auto enc = vltest::QpdfTransform(NumberedPages(1),
                                         {"--allow-weak-crypto", "--encrypt", "secret", "owner", "128", "--use-aes=n", "--"});
  if (!enc) GTEST_SKIP() << "qpdf is not available";
  const std::string path = Write(*enc);
  {
    PageLog writer;
    TvlPDFParser plain(&writer);
    try {
      plain.Open(path, "");
      GTEST_SKIP() << "no standard security handler: encrypted files open without a password";
    } catch (const ExPasswordRequired&) {
    }
  }
  struct Case {
    bool Handler;
    const char* Answer;
    bool Opens;
    int Asked;
  } cases[] = {{false, "", false, 0}, {true, "secret", true, 1}, {true, "wrong", false, 1}};
  for (const Case& c : cases) {
    PageLog writer;
    TvlPDFParser parser(&writer);
    int asked = 0;
    if (c.Handler)
      parser.SetOnNeedPassword([&](TObject* sender, AnsiString& p) {
        EXPECT_EQ(sender, &parser);
        ++asked;
        p = c.Answer;
      });
    if (c.Opens) {
      parser.Open(path, "");
      EXPECT_EQ(parser.PageCount(), 1);
    } else {
      EXPECT_THROW(parser.Open(path, ""), ExPasswordRequired) << c.Answer;
    }
    EXPECT_EQ(asked, c.Asked) << c.Answer;
  }
  // A password given to Open is used without asking.
  PageLog writer;
  TvlPDFParser parser(&writer);
  parser.SetOnNeedPassword([](TObject*, AnsiString&) { FAIL() << "asked"; });
  parser.Open(path, " secret ");
  EXPECT_EQ(parser.PageCount(), 1);
}

TEST_F(ParserTest, UnreadableRangeFailsTheOpen) {
  const std::string pdf = Write(NumberedPages(3));
  struct Case {
    const char* Range;
    const char* Message;
  } cases[] = {{"3-", "'' is not a valid integer value"},
               {"-3", "'' is not a valid integer value"},
               {"1,,2", "'' is not a valid integer value"},
               {"1 - 3", "'' is not a valid integer value"},
               {"1-2-3", "'2-3' is not a valid integer value"},
               {"99999999999", "'99999999999' is not a valid integer value"}};
  for (const Case& c : cases) {
    PageLog writer;
    TvlPDFParser parser(&writer);
    parser.SetPageRange(c.Range);
    try {
      parser.Open(pdf, "");
      ADD_FAILURE() << "no error for '" << c.Range << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), c.Message) << c.Range;
    }
  }
}

TEST_F(ParserTest, HugePageCountIsNotWalked) {
  // /Count claims two billion pages; only one exists.
  vltest::PdfBuilder b;
  b.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 2000000000 >>")
      .Object(3, std::string("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources ") +
                     kFont + " /Contents 4 0 R >>")
      .Stream(4, "", "BT /F1 12 Tf 72 700 Td (1) Tj ET")
      .Trailer("/Root 1 0 R");
  const std::string pdf = Write(b.Build());
  EXPECT_EQ(Run(pdf, "1").size(), 5u);
  EXPECT_EQ(Selected, 1);
  // With every page selected the loop stops at the first page that is missing.
  EXPECT_ANY_THROW(Run(pdf, ""));
}
