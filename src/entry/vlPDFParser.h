// The PDF document parser: opens a PDF (asking once for a password when the
// document needs one), selects pages by the page range and plays each
// selected page on a content extractor that writes to the writer.
#pragma once

#include <memory>

#include "entry/vlDocumentparser.h"

class TvlPDDocument;

class TvlPDFParser : public TvlDocumentParser {
public:
  TvlPDFParser();
  explicit TvlPDFParser(TvlDocumentWriter* AWriter);
  ~TvlPDFParser() override;
  const char* ClassName() const override { return "TvlPDFParser"; }

  int PageCount() override { return FPageCount; }
  int ProcessedPageCount() override { return FProcessedPageCount; }
  int SelectedPageCount() override { return FSelectedPageCount; }
  // Loads FileName; on ExPasswordRequired asks OnNeedPassword once and
  // tries once more. Counts the pages and the pages in range.
  void Open(const AnsiString& FileName, const AnsiString& Password) override;
  // Loads from a copy of Stream's bytes; no password request, no counting.
  void OpenStream(TStream& Stream, const AnsiString& Password) override;
  // Plays every page in range, in document order, on the writer.
  void Parse() override;
  // Releases the loaded document; the counters and the password stay.
  void Close() override;

  TvlPDDocument& Document() { return *FDocument; }

private:
  // Highest page number the page loop and the count must look at for a
  // non-blank range.
  int LastPageToExamine(int Count) const;

  std::unique_ptr<TvlPDDocument> FDocument;
  int FPageCount = 0;
  int FProcessedPageCount = 0;
  int FSelectedPageCount = 0;
};
