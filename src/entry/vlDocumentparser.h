// The document parser: turns an input document into calls on a document
// writer, selecting pages by a range and reporting page start and end.
#pragma once

#include <cstdint>

#include "entry/vlEvents.h"
#include "platform/vlClasses.h"
#include "writer/vlConvUtils.h"
#include "writer/vlDocumentWriter.h"

class TvlDocumentParser : public TPersistent {
public:
  TvlDocumentParser() = default;
  explicit TvlDocumentParser(TvlDocumentWriter* AWriter) : FWriter(AWriter) {}
  const char* ClassName() const override { return "TvlDocumentParser"; }

  virtual int PageCount() { return 1; }
  virtual int ProcessedPageCount() { return 0; }
  virtual int SelectedPageCount() { return 0; }
  // Loads the document; raises on failure.
  virtual void Open(const AnsiString& FileName, const AnsiString& Password) = 0;
  // Loads the document from Stream (not taken over); base: nothing.
  virtual void OpenStream(TStream& Stream, const AnsiString& Password) { (void)Stream, (void)Password; }
  // Plays every page in range on the writer.
  virtual void Parse() = 0;
  virtual void Close() = 0;

  // Whether page PageNumber is in PageRange (see IsPageInRange in vlConvUtils).
  bool IsPageInRange(int PageNumber) const { return ::IsPageInRange(FPageRange, PageNumber); }

  uint8_t ExtractionOptions() const { return FExtractionOptions; }
  void SetExtractionOptions(uint8_t Value) { FExtractionOptions = Value; }
  const AnsiString& PageRange() const { return FPageRange; }
  void SetPageRange(const AnsiString& Value) { FPageRange = Value; }
  const TvlOnNeedPassword& OnNeedPassword() const { return FOnNeedPassword; }
  void SetOnNeedPassword(TvlOnNeedPassword Value) { FOnNeedPassword = std::move(Value); }
  void SetOnPageStart(TvlOnPageNotify Value) { FOnPageStart = std::move(Value); }
  void SetOnPageEnd(TvlOnPageNotify Value) { FOnPageEnd = std::move(Value); }
  TvlDocumentWriter* Writer() const { return FWriter; }
  void SetWriter(TvlDocumentWriter* Value) { FWriter = Value; }

  // Reached by the content side as pages start and end.
  virtual void DoPageStart(int PageNumber) {
    if (FOnPageStart) FOnPageStart(this, PageNumber);
  }
  virtual void DoPageEnd(int PageNumber) {
    if (FOnPageEnd) FOnPageEnd(this, PageNumber);
  }

protected:
  // Begin and end of Parse; nothing listens to them.
  virtual void DoJobStart() {}
  virtual void DoJobEnd() {}

  uint8_t FExtractionOptions = 0;
  AnsiString FPageRange;
  TvlOnNeedPassword FOnNeedPassword;
  TvlOnPageNotify FOnPageEnd;
  TvlOnPageNotify FOnPageStart;
  TvlDocumentWriter* FWriter = nullptr;
};
