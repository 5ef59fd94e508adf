// The fixture writer must produce files a strict peer accepts, or every test
// built on it proves nothing.
#include "support/PdfBuilder.h"

#include <gtest/gtest.h>

namespace {

using vltest::PdfBuilder;

PdfBuilder Base() {
  PdfBuilder b;
  b.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>")
      .Object(3, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Contents 4 0 R >>")
      .FlateStream(4, "", "0 0 m 10 10 l S")
      .Trailer("/Root 1 0 R");
  return b;
}

TEST(PdfBuilderTest, QpdfAcceptsEveryForm) {
  if (!vltest::QpdfAvailable()) GTEST_SKIP() << "qpdf not installed";
  struct Case {
    const char* Note;
    std::string Pdf;
  };
  std::vector<Case> cases;
  cases.push_back({"classic", Base().Build()});
  cases.push_back({"xref stream", Base().XRefStream().Build()});
  {
    PdfBuilder b = Base();
    b.Update().Object(5, "(added)").Free(4, 1).Object(3, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 100] >>");
    cases.push_back({"incremental update", b.Build()});
  }
  {
    PdfBuilder b;
    b.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
        .ObjectStream(10, {{2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>"},
                           {3, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 9 9] >>"}})
        .Trailer("/Root 1 0 R");
    cases.push_back({"object stream", b.Build()});
  }
  {
    PdfBuilder b = Base();
    b.Hybrid({4});
    cases.push_back({"hybrid", b.Build()});
  }
  cases.push_back({"simple document", PdfBuilder::SimpleDocument({"BT ET", "q Q"})});
  for (const auto& c : cases) EXPECT_TRUE(vltest::QpdfCheck(c.Pdf)) << c.Note << "\n" << c.Pdf;

  PdfBuilder b = Base();
  std::string pdf = b.Build();
  EXPECT_EQ(pdf.compare(b.OffsetOf(2), 9, "2 0 obj\n<"), 0);
  EXPECT_EQ(pdf.compare(b.XRefOffsets()[0], 4, "xref"), 0);
}

}  // namespace
