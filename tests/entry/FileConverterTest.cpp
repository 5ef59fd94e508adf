#include "entry/vlFileConverter.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "entry/vlExport.h"
#include "entry/vlPDFConverter.h"

TEST(FileConverter, OutputNameCompletion) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"C:\\out\\doc", "C:\\out\\doc.rtf"},
      {"doc.txt", "doc.txt"},
      {"doc.", "doc."},
      {"C:\\my.dir\\doc", "C:\\my.dir\\doc.rtf"},
      {"/tmp/my.dir/doc", "/tmp/my.dir/doc.rtf"},
      {"D:doc", "D:doc.rtf"},
      {" doc ", " doc .rtf"},
      {"", ""},
      {"  \t", "  \t"},
  };
  for (const Case& c : cases) EXPECT_EQ(CompleteOutputFileName(c.in), c.out) << "'" << c.in << "'";
}

TEST(FileConverter, DocSettingsAssign) {
  TvlDocSettings a;
  a.PageRange = "2-4";
  a.Preferences().FormattingMode = fmFormattedWithTabs;
  TvlPDFConverter conv;
  conv.SetOutputSettings(a);
  a.PageRange = "1";
  EXPECT_EQ(conv.OutputSettings().PageRange, "2-4");
  EXPECT_EQ(conv.OutputSettings().Preferences().FormattingMode, fmFormattedWithTabs);
  try {
    conv.OutputSettings().Assign(a.Preferences());
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TvlPreferences to a TvlDocSettings");
  }
}

namespace {

std::vector<std::string>* gLog = nullptr;
void Log(const std::string& s) { gLog->push_back(s); }

class FakeWriter : public TvlDocumentWriter {
public:
  void BeginDoc() override { Log("rtf.BeginDoc " + FileName()); }
  void EndDoc() override { Log("rtf.EndDoc"); }
};

// Fires the page events the way the formatter does at the end of a page.
class FakeFormatter : public TvlDocumentWriter {
public:
  void BeginDoc() override { Log("fmt.BeginDoc mode " + std::to_string(FormattingMode())); }
  int BeginPage() override { return ++pages; }
  void EndPage() override {
    if (OnPageFormatted()) OnPageFormatted()(this, pages + 1);
    if (OnPageWritten()) OnPageWritten()(this, pages + 1);
  }
  void EndDoc() override { Log("fmt.EndDoc"); }
  int pages = 0;
};

// A three-page document; a file name "locked" needs the password "pw".
class FakeParser : public TvlDocumentParser {
public:
  using TvlDocumentParser::TvlDocumentParser;
  int PageCount() override { return 3; }
  int ProcessedPageCount() override { return processed; }
  int SelectedPageCount() override { return selected; }
  void Open(const AnsiString& FileName, const AnsiString& Password) override {
    Log("open " + FileName + " ext " + std::to_string(ExtractionOptions()));
    if (FileName == "missing.pdf") throw Exception("File Not Found");
    AnsiString pw = Password;
    if (FileName == "locked.pdf" && pw != "pw") {
      if (FOnNeedPassword) FOnNeedPassword(this, pw);
      if (pw != "pw") throw Exception("Encrypted PDF: Password required for loading");
    }
    selected = CountPagesInRange(PageRange(), 3);
  }
  void Parse() override {
    bool begun = false;
    for (int n = 1; n <= 3; ++n) {
      if (!IsPageInRange(n)) continue;
      ++processed;
      if (!begun) Writer()->BeginDoc();
      else Writer()->BeginPage();
      begun = true;
      DoPageStart(n);
      Writer()->EndPage();
      DoPageEnd(n);
    }
    if (begun) Writer()->EndDoc();
  }
  void Close() override { Log("close"); }
  int processed = 0;
  int selected = 0;
};

class FakeFactory : public TvlConverterFactory {
public:
  std::unique_ptr<TvlDocumentWriter> CreateRTFWriter(uint8_t) override { return std::make_unique<FakeWriter>(); }
  std::unique_ptr<TvlDocumentWriter> CreateFormatter(TvlDocumentWriter*) override {
    return std::make_unique<FakeFormatter>();
  }
  void SetFormatterEvents(TvlDocumentWriter&, const TvlOnElementDetected&, const TvlOnFontSubstituting&) override {}

protected:
  std::unique_ptr<TvlDocumentParser> NewParser(TvlDocumentWriter* Writer) override {
    ++created;
    return std::make_unique<FakeParser>(Writer);
  }

public:
  int created = 0;
};

struct Recorder {
  std::vector<std::string> log;
  Recorder() { gLog = &log; }
  ~Recorder() { gLog = nullptr; }
  void Hook(TvlFileConverter& c) {
    auto common = [this](const char* name, TvlConverterEventArgs& a) {
      Log(std::string(name) + " " + a.InputFileName + ">" + a.OutputFileName + " sel " +
          std::to_string(a.SelectedPageCount) + "/" + std::to_string(a.PageCount));
    };
    c.SetOnStartJob([=](TObject*, TvlStartJobEventArgs& a) {
      common("StartJob", a);
      Log("  range " + a.PageRange);
    });
    c.SetOnStartPage([=](TObject*, TvlPageEventArgs& a) {
      Log("StartPage " + std::to_string(a.PageIndex) + " " + std::to_string(a.PageNumber));
    });
    c.SetOnProgress([=](TObject*, TvlProgressEventArgs& a) {
      Log("Progress " + std::to_string(a.PageIndex) + " " + std::to_string(a.PageNumber) +
          (a.Formatted ? " formatted" : " reading"));
    });
    c.SetOnEndPage([=](TObject*, TvlPageEventArgs& a) {
      Log("EndPage " + std::to_string(a.PageIndex) + " " + std::to_string(a.PageNumber));
    });
    c.SetOnEndJob([=](TObject*, TvlEndJobEventArgs& a) {
      common("EndJob", a);
      Log("  processed " + std::to_string(a.ProcessedPageCount));
    });
  }
};

}  // namespace

TEST(FileConverter, EventOrderForASelectedPage) {
  Recorder r;
  TvlPDFConverter c;
  c.SetFactory(std::make_unique<FakeFactory>());
  r.Hook(c);
  c.SetInputFileName("in.pdf");
  c.SetOutputFileName("out");
  c.OutputSettings().PageRange = "2";
  c.OutputSettings().Preferences().FormattingMode = fmFormattedWithTabs;
  c.Convert();
  EXPECT_EQ(c.OutputFileName(), "out.rtf");
  const std::vector<std::string> want = {
      "open in.pdf ext 3",
      "StartJob in.pdf>out.rtf sel 1/3",
      "  range 2",
      "fmt.BeginDoc mode 1",
      "StartPage 1 2",
      "Progress 1 2 reading",
      "Progress 1 2 formatted",
      "EndPage 1 2",
      "fmt.EndDoc",
      "close",
      "EndJob in.pdf>out.rtf sel 1/3",
      "  processed 1",
  };
  EXPECT_EQ(r.log, want);
}

TEST(FileConverter, NothingSelectedStillRunsTheJob) {
  Recorder r;
  TvlPDFConverter c;
  c.SetFactory(std::make_unique<FakeFactory>());
  r.Hook(c);
  c.SetInputFileName("in.pdf");
  c.SetOutputFileName("out.rtf");
  c.OutputSettings().PageRange = "7-9";
  c.Convert();
  const std::vector<std::string> want = {
      "open in.pdf ext 3", "StartJob in.pdf>out.rtf sel 0/3", "  range 7-9", "close",
      "EndJob in.pdf>out.rtf sel 0/3", "  processed 0",
  };
  EXPECT_EQ(r.log, want);
}

TEST(FileConverter, PasswordHandlerAndFailures) {
  Recorder r;
  TvlPDFConverter c;
  c.SetFactory(std::make_unique<FakeFactory>());
  c.SetInputFileName("locked.pdf");
  try {
    c.Convert();
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Encrypted PDF: Password required for loading");
  }
  int asked = 0;
  c.SetOnNeedPassword([&](TObject* sender, AnsiString& pw) {
    EXPECT_NE(sender, &c);  // the parser asks
    ++asked;
    pw = "pw";
  });
  EXPECT_NO_THROW(c.Convert());
  EXPECT_EQ(asked, 1);
  c.SetInputFileName("missing.pdf");
  EXPECT_THROW(c.Convert(), Exception);
  c.OutputSettings().PageRange = "1,,2";
  c.SetInputFileName("in.pdf");
  EXPECT_THROW(c.Convert(), EConvertError);
}

TEST(FileConverter, PreloadKeepsOneParserAcrossRuns) {
  Recorder r;
  TvlPDFConverter c;
  auto factory = std::make_unique<FakeFactory>();
  FakeFactory* f = factory.get();
  c.SetFactory(std::move(factory));
  c.Convert();
  c.Convert();
  EXPECT_EQ(f->created, 2);  // without preload every run gets a new parser
  c.SetPreload(true);
  EXPECT_EQ(f->created, 3);
  char tmpl[] = "/tmp/vl-preload-XXXXXX";
  int fd = mkstemp(tmpl);
  ASSERT_GE(fd, 0);
  close(fd);
  c.SetInputFileName(tmpl);
  EXPECT_EQ(c.InputFilePageCount(), 3);
  c.Convert();
  c.Convert();
  EXPECT_EQ(f->created, 3);
  unlink(tmpl);
}

TEST(Export, ResultsAndSymbol) {
  const char* in = "/nonexistent/input.pdf";
  const char* out = "/tmp/vl-export-never.rtf";
  const char* range = "";
  EXPECT_EQ(VelmoraPDFtoRTF(&in, &out, &range), 0);
  EXPECT_EQ(VelmoraPDFtoRTF(nullptr, nullptr, nullptr), 0);

  // The shared library defines exactly one symbol of ours.
  FILE* p = popen("nm -D --defined-only " VL_SHARED_LIB_PATH, "r");
  ASSERT_NE(p, nullptr);
  std::vector<std::string> symbols;
  char line[512];
  while (fgets(line, sizeof line, p)) {
    std::string s(line);
    std::string name = s.substr(s.find_last_of(' ') + 1);
    name.erase(name.find_last_not_of("\n") + 1);
    symbols.push_back(name);
  }
  pclose(p);
  EXPECT_EQ(symbols, std::vector<std::string>{"VelmoraPDFtoRTF"});
}
