#include "pdf/core/PDDocument.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "PdfWalk.h"
#include "pdf/core/PDBaseDoc.h"
#include "pdf/core/PDModelException.h"
#include "support/PdfBuilder.h"

namespace {

using vltest::PdfBuilder;

std::unique_ptr<TvlPDDocument> Load(const std::string& Pdf) {
  auto doc = std::make_unique<TvlPDDocument>();
  doc->LoadFromStream(new TvlPlatformMemory(Pdf), true);
  return doc;
}

PdfBuilder Base() {
  PdfBuilder b;
  b.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [] /Count 0 >>")
      .Object(3, "(three)")
      .Trailer("/Root 1 0 R");
  return b;
}

std::string Text(TvlPDDocument& Doc, int N) {
  TvlPDBaseObject* o = Doc.FetchObject(N);
  return o ? o->ToPDF() : "<none>";
}

TEST(PDDocumentTest, LoadsAndCachesObjects) {
  auto doc = Load(Base().Build());
  EXPECT_TRUE(doc->GetRoot()->HasType("Catalog"));
  EXPECT_EQ(Text(*doc, 3), "(three)");
  EXPECT_EQ(doc->FetchObject(3), doc->FetchObject(3));  // one object, from the cache
  EXPECT_EQ(doc->FetchObject(3)->ObjectNumber, 3);
  EXPECT_EQ(doc->FetchObject(3)->GenerationNumber, 0);
  EXPECT_EQ(doc->FetchObject(0), nullptr);   // the free head of the list
  EXPECT_EQ(doc->FetchObject(99), nullptr);  // beyond the table
  EXPECT_EQ(doc->FetchObject(-1), nullptr);
  EXPECT_FALSE(doc->IsEncrypted());
  // No /Info in the file: one is made with the producer entry.
  TvlPDDictionary* info = doc->GetInfo();
  ASSERT_TRUE(info);
  EXPECT_EQ(info->Get("Producer")->TextValue(), TvlPDBaseDoc::kProducer);
  EXPECT_EQ(doc->GetTrailer()->GetDictionary("Info"), info);
  doc->CloseDocument();
  EXPECT_EQ(doc->FetchObject(3), nullptr);
}

TEST(PDDocumentTest, CrossReferenceForms) {
  struct Case {
    const char* Note;
    std::string Pdf;
    std::vector<std::pair<int, std::string>> Want;
  };
  std::vector<Case> cases;
  cases.push_back({"classic", Base().Build(), {{3, "(three)"}}});
  cases.push_back({"xref stream", Base().XRefStream().Build(), {{3, "(three)"}}});
  {
    PdfBuilder b = Base();
    b.Update().Object(3, "(new three)").Free(2, 1).Object(4, "4");
    cases.push_back({"update: newest wins, free hides older", b.Build(),
                     {{3, "(new three)"}, {4, "4"}}});
  }
  {
    PdfBuilder b = Base();
    b.Update().XRefStream().Object(3, "(stream update)");
    cases.push_back({"classic then stream update", b.Build(), {{3, "(stream update)"}}});
  }
  {
    PdfBuilder b;
    b.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
        .ObjectStream(10, {{2, "<< /Type /Pages /Kids [] /Count 0 >>"}, {3, "(packed)"}, {4, "[4 0 R]"}})
        .ObjectStream(11, {{5, "(other stream)"}}, false)
        .Trailer("/Root 1 0 R");
    cases.push_back({"object streams", b.Build(),
                     {{3, "(packed)"}, {4, "[ 4 0 R ]"}, {5, "(other stream)"}, {2, "<</Count 0 /Kids [ ] /Type /Pages >>"}}});
  }
  {
    PdfBuilder b = Base();
    b.Object(4, "(in both)").Hybrid({4});
    std::string pdf = b.Build();
    cases.push_back({"hybrid: stream-only entry", pdf, {{4, "(in both)"}, {3, "(three)"}}});
  }
  {
    PdfBuilder b = Base();
    b.Object(5, "5").OffsetDelta(5, 3).Object(6, "6").OffsetDelta(6, -20);
    cases.push_back({"entries pointing to the wrong place", b.Build(), {{5, "<none>"}, {6, "<none>"}, {3, "(three)"}}});
  }
  {
    PdfBuilder b = Base();
    b.Stream(7, "/Length 8 0 R", "abc").Object(8, "3");
    cases.push_back({"indirect /Length", b.Build(), {{7, "<</Length 3 >>\r\nstream\r\nabc\r\nendstream"}}});
  }
  {
    PdfBuilder b = Base();
    b.Stream(7, "/Length 7 0 R", "abc");
    cases.push_back({"/Length naming its own stream", b.Build(), {{7, "<none>"}}});
  }
  for (auto& c : cases) {
    SCOPED_TRACE(c.Note);
    std::unique_ptr<TvlPDDocument> doc;
    try {
      doc = Load(c.Pdf);
    } catch (const EKestrin& e) {
      ADD_FAILURE() << e.Message();
      continue;
    }
    for (auto& [n, want] : c.Want) EXPECT_EQ(Text(*doc, n), want) << "object " << n;
  }
}

TEST(PDDocumentTest, StartXRefRules) {
  std::string pdf = Base().Build();
  PdfBuilder twice = Base();
  twice.Update().Object(3, "(updated)");
  std::string updated = twice.Build();  // both startxref within the last 1024 bytes
  EXPECT_EQ(Text(*Load(updated), 3), "(updated)");  // the last one counts

  size_t at = pdf.rfind("startxref");
  std::string value = pdf.substr(at + 10, pdf.find('\n', at + 10) - at - 10);
  struct Case {
    const char* Note;
    std::string Pdf;
    std::string Error;
  } cases[] = {
      {"empty", "", ExInvalidPDFFile::kMessage},
      {"no startxref", "%PDF-1.4\n1 0 obj 1 endobj\n", ExStartXrefNotFound::kMessage},
      {"offset and EOF on one line", pdf.substr(0, at) + "startxref " + value + " %%EOF\n",
       ExStartXrefNotFound::kMessage},
      {"offset 0", pdf.substr(0, at) + "startxref\n0\n%%EOF\n", ExStartXrefNotFound::kMessage},
      {"offset into nowhere", pdf.substr(0, at) + "startxref\n5\n%%EOF\n",
       ExImproperCrossRefTableOrStream::kMessage},
      {"no catalog", PdfBuilder().Object(1, "5").Trailer("/Root 1 0 R").Build(), ExBadRootObj::kMessage},
      {"catalog without pages", PdfBuilder().Object(1, "<< /Type /Catalog >>").Trailer("/Root 1 0 R").Build(),
       ExNoPageTreeObj::kMessage},
  };
  for (const auto& c : cases) {
    try {
      Load(c.Pdf);
      ADD_FAILURE() << c.Note << ": loaded";
    } catch (const EKestrin& e) {
      EXPECT_EQ(e.Message(), c.Error) << c.Note;
    }
  }
  // Far from the end, startxref is still found by searching the whole file.
  std::string padded = pdf.substr(0, pdf.size() - 6) + std::string(5000, ' ') + "%%EOF\n";
  EXPECT_EQ(Text(*Load(padded), 3), "(three)");
}

TEST(PDDocumentTest, SectionDetails) {
  // A table with two subsections: 0..0 and 5..6.
  std::string body = "%PDF-1.4\n";
  size_t o1 = body.size();
  body += "5 0 obj << /Type /Catalog /Pages 6 0 R >> endobj\n";
  size_t o2 = body.size();
  body += "6 0 obj << /Type /Pages /Kids [] /Count 0 >> endobj\n";
  char row[64];
  std::string xref = "xref\n0 1\n0000000000 65535 f\r\n5 2\n";
  snprintf(row, sizeof row, "%010zu 00000 n\r\n", o1);
  xref += row;
  snprintf(row, sizeof row, "%010zu 00000 n\r\n", o2);
  xref += row;
  size_t xo = body.size();
  std::string pdf = body + xref + "trailer << /Root 5 0 R /Size 7 >>\nstartxref\n" + std::to_string(xo) + "\n%%EOF";
  auto doc = Load(pdf);
  EXPECT_EQ(doc->GetObjectCount(), 7);
  EXPECT_TRUE(doc->FetchObject(6));
  EXPECT_EQ(doc->FetchObject(1), nullptr);

  // A /Prev that points back at the newest section ends the chain.
  std::string loop = pdf.substr(0, pdf.rfind("trailer")) + "trailer << /Root 5 0 R /Size 7 /Prev " +
                     std::to_string(xo) + " >>\nstartxref\n" + std::to_string(xo) + "\n%%EOF";
  EXPECT_TRUE(Load(loop)->FetchObject(5));

  // A claimed huge subsection with a few real rows: only the rows cost memory.
  std::string huge = pdf.substr(0, xo) + "xref\n2000000000 1\n0000000009 00000 n\r\n0 1\n0000000000 65535 f\r\n5 2\n" +
                     xref.substr(xref.find("5 2\n") + 4) + "trailer << /Root 5 0 R /Size 7 >>\nstartxref\n" +
                     std::to_string(xo) + "\n%%EOF";
  auto big = Load(huge);
  EXPECT_EQ(big->FetchObject(2000000000), nullptr);
  EXPECT_TRUE(big->FetchObject(6));
}

TEST(PDDocumentTest, ObjectStreamWithDecreasingOffsetsIsEmpty) {
  PdfBuilder c;
  c.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .ObjectStream(10, {{2, "<< /Type /Pages /Kids [] /Count 0 >>"}, {3, "(a)"}}, false)
      .Trailer("/Root 1 0 R");
  std::string pdf = c.Build();
  // Swap the header offsets "2 0 3 38" to "2 38 3 0".
  size_t h = pdf.find("stream\n2 0 3 ");
  ASSERT_NE(h, std::string::npos);
  std::string off = pdf.substr(h + 13, pdf.find(' ', h + 13) - h - 13);
  std::string swapped = "2 " + off + " 3 0";
  std::string header = "2 0 3 " + off;
  ASSERT_EQ(swapped.size(), header.size());
  pdf.replace(h + 7, header.size(), swapped);
  auto doc = Load(pdf);
  EXPECT_EQ(doc->FetchObject(2), nullptr);
  EXPECT_EQ(doc->FetchObject(3), nullptr);
}

TEST(PDDocumentTest, FilesAndPasswords) {
  TvlPDDocument doc;
  EXPECT_THROW(doc.LoadFromFile("no/such/file.pdf"), ExFileNotFound);
  std::string path = testing::TempDir() + "vl_doc_test.pdf";
  {
    std::ofstream f(path, std::ios::binary);
    f << Base().Build();
  }
  doc.SetPassword(nullptr, "pw");
  doc.LoadFromFile(path);
  EXPECT_EQ(doc.GetPassword(), "pw");
  EXPECT_EQ(Text(doc, 3), "(three)");
  doc.CloseDocument();
  EXPECT_EQ(doc.GetPassword(), "pw");
  std::filesystem::remove(path);

  // An encrypted file whose password check fails does not load.
  PdfBuilder e = Base();
  e.Object(9, "<< /Filter /Standard /V 1 /R 2 /O <00> /U <00> /P -4 >>").Trailer("/Root 1 0 R /Encrypt 9 0 R");
  EXPECT_THROW(Load(e.Build()), ExPasswordRequired);
}

// qpdf rewrites of fixtures in every structural form; each must load whole.
TEST(PDDocumentTest, QpdfVariantsLoadWhole) {
  if (!vltest::QpdfAvailable()) GTEST_SKIP() << "qpdf not installed";
  std::string content = "BT /F1 12 Tf 72 712 Td (Hello) Tj ET\n";
  for (int i = 0; i < 50; ++i) content += "0 0 m " + std::to_string(i) + " 5 l S\n";
  std::string fixtures[] = {
      PdfBuilder::SimpleDocument({content, "q Q", content + content}),
      PdfBuilder::SimpleDocument({content}, "<< /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >>"),
  };
  const std::vector<std::vector<std::string>> variants = {
      {"--object-streams=generate"}, {"--compress-streams=y"}, {"--compress-streams=n"},
      {"--qdf"}, {"--linearize"}, {"--object-streams=generate", "--linearize"},
      {"--stream-data=compress", "--recompress-flate", "--compression-level=9"},
  };
  for (const auto& f : fixtures) {
    for (const auto& args : variants) {
      std::optional<std::string> pdf = vltest::QpdfTransform(f, args);
      ASSERT_TRUE(pdf) << args[0];
      vltest::WalkResult r = vltest::WalkDocument(*pdf);
      EXPECT_EQ(r.Fetched, r.Entries) << args[0];
      EXPECT_EQ(r.FlateMismatch, 0) << args[0];
    }
  }
}

// Every PDF of the shared corpus: all objects load and all streams decode.
TEST(PDDocumentTest, CorpusLoadsWhole) {
  std::filesystem::path dir = VL_SOURCE_DIR "/../shared/corpus";
  if (!std::filesystem::exists(dir)) GTEST_SKIP() << "no corpus at " << dir;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".pdf") continue;
    std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    bool encrypted = name.find("-rc4") != std::string::npos || name.find("-aes") != std::string::npos;
    TvlPDDocument doc;
    if (name.find("-secret") != std::string::npos) {
      EXPECT_THROW(doc.LoadFromFile(entry.path().string()), ExPasswordRequired);
      doc.SetPassword(nullptr, "secret");
    }
    ASSERT_NO_THROW(doc.LoadFromFile(entry.path().string()));
    EXPECT_EQ(doc.IsEncrypted(), encrypted);
    vltest::WalkResult r = vltest::WalkDocument(doc);
    EXPECT_EQ(r.Fetched, r.Entries);
    EXPECT_EQ(r.FlateMismatch, 0);
    ++files;
  }
  EXPECT_GT(files, 0);
}

}  // namespace
