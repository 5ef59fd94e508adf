// The PDF document parser. This stand-in keeps the interface; opening a
// file raises until the PDF reading side is built.
#pragma once

#include "entry/vlDocumentparser.h"

class TvlPDFParser : public TvlDocumentParser {
public:
  TvlPDFParser() = default;
  explicit TvlPDFParser(TvlDocumentWriter* AWriter) : TvlDocumentParser(AWriter) {}
  const char* ClassName() const override { return "TvlPDFParser"; }

  int PageCount() override { return FPageCount; }
  int ProcessedPageCount() override { return FProcessedPageCount; }
  int SelectedPageCount() override { return FSelectedPageCount; }
  void Open(const AnsiString& FileName, const AnsiString& Password) override;
  void Parse() override {}
  void Close() override {}

private:
  int FPageCount = 0;
  int FProcessedPageCount = 0;
  int FSelectedPageCount = 0;
};
