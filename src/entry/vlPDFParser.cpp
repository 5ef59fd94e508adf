#include "entry/vlPDFParser.h"

#include <algorithm>
#include <cctype>

#include "extract/vlPDFContentExtractor.h"
#include "pdf/core/BaseStream.h"
#include "pdf/core/PDDocument.h"
#include "pdf/core/PDModelException.h"
#include "pdf/pages/PDPage.h"
#include "platform/vlFontService.h"

TvlPDFParser::TvlPDFParser() : FDocument(std::make_unique<TvlPDDocument>()) {}

TvlPDFParser::TvlPDFParser(TvlDocumentWriter* AWriter)
    : TvlDocumentParser(AWriter), FDocument(std::make_unique<TvlPDDocument>()) {}

TvlPDFParser::~TvlPDFParser() = default;

void TvlPDFParser::Open(const AnsiString& FileName, const AnsiString& Password) {
  AnsiString password = Password;
  if (!TrimBlanks(password).empty()) FDocument->SetPassword(nullptr, password);
  try {
    FDocument->LoadFromFile(FileName, true);
  } catch (const ExPasswordRequired&) {
    // One request, one more attempt; a second failure propagates.
    if (FOnNeedPassword) FOnNeedPassword(this, password);
    FDocument->SetPassword(nullptr, password);
    FDocument->LoadFromFile(FileName, true);
  }
  FPageCount = FDocument->GetPageCount();
  // A bad range item raises here, before any page of the run.
  if (TrimBlanks(FPageRange).empty()) {
    FSelectedPageCount = std::max(FPageCount, 0);
  } else {
    int selected = 0;
    const int last = LastPageToExamine(FPageCount);
    for (int n = 1; n <= last; ++n)
      if (IsPageInRange(n)) ++selected;
    FSelectedPageCount = selected;
  }
}

void TvlPDFParser::OpenStream(TStream& Stream, const AnsiString& Password) {
  if (!TrimBlanks(Password).empty()) FDocument->SetPassword(nullptr, Password);
  AnsiString bytes(static_cast<size_t>(std::max<int64_t>(Stream.Size(), 0)), '\0');
  Stream.SetPosition(0);
  bytes.resize(Stream.Read(bytes.data(), bytes.size()));
  FDocument->LoadFromStream(new TvlPlatformMemory(std::move(bytes)), true);
}

// A page above every number the range mentions is contained in no item, so
// every such page is examined against all items alike: the first of them
// (which raises when an item is unreadable) stands for the rest, and none of
// them is in range. This keeps a huge page count from being walked.
int TvlPDFParser::LastPageToExamine(int Count) const {
  if (TrimBlanks(FPageRange).empty()) return Count;
  // The largest number written in the range, saturated.
  int64_t largest = 0, cur = 0;
  for (char c : FPageRange) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      cur = std::min<int64_t>(cur * 10 + (c - '0'), INT32_MAX);
    } else {
      largest = std::max(largest, cur);
      cur = 0;
    }
  }
  largest = std::max(largest, cur);
  return static_cast<int>(std::min<int64_t>(Count, largest + 1));
}

void TvlPDFParser::Parse() {
  TvlPDFContentExtractor extractor(FWriter);
  extractor.SetExtractionOptions(FExtractionOptions);
  extractor.SetParser(this);
  extractor.SetInstalledFonts(vl::InstalledFontNames());
  DoJobStart();
  const bool all = TrimBlanks(FPageRange).empty();
  const int count = FDocument->GetPageCount();
  const int last = LastPageToExamine(count);
  bool begun = false;
  for (int n = 1; n <= count; ++n) {
    // No page past `last` is in range (see LastPageToExamine).
    if (!all && n > last) break;
    if (!all && !IsPageInRange(n)) continue;
    ++FProcessedPageCount;
    TvlPDPage* page = FDocument->GetPage(n);
    double width = 0, height = 0;
    page->GetPageSize(width, height);
    FWriter->SetMeasurementUnit(muPoint);
    TvlPageSettings& settings = FWriter->GetCurrentPageSettings();
    settings.SetPaperSize(TvlPaperSize::Custom);
    settings.SetWidth(width);
    settings.SetHeight(height);
    if (!begun) {
      FWriter->BeginDoc();
      begun = true;
    } else {
      FWriter->BeginPage();
    }
    FDocument->PlayPage(&extractor, n, true, false, true, 0, ScreenPixelsPerInch,
                        ScreenPixelsPerInch);
  }
  DoJobEnd();
  if (begun) FWriter->EndDoc();
}

void TvlPDFParser::Close() { FDocument->CloseDocument(); }
