// Event types of the converter and the argument objects they carry.
#pragma once

#include <cstdint>

#include "formatter/vlFormatterElements.h"  // TvlAction, TvlOnElementDetected, TvlOnFontSubstituting
#include "platform/vlBase.h"
#include "platform/vlClasses.h"

class TvlConverterEventArgs : public TObject {
public:
  const char* ClassName() const override { return "TvlConverterEventArgs"; }
  AnsiString InputFileName;
  int SelectedPageCount = 0;  // pages of the document the range selects
  int PageCount = 0;          // pages in the document
  AnsiString OutputFileName;
};

class TvlStartJobEventArgs : public TvlConverterEventArgs {
public:
  const char* ClassName() const override { return "TvlStartJobEventArgs"; }
  AnsiString PageRange;
};

class TvlEndJobEventArgs : public TvlConverterEventArgs {
public:
  const char* ClassName() const override { return "TvlEndJobEventArgs"; }
  int ProcessedPageCount = 0;
};

class TvlPageEventArgs : public TvlConverterEventArgs {
public:
  const char* ClassName() const override { return "TvlPageEventArgs"; }
  int PageIndex = 0;   // 1-based ordinal within the run
  int PageNumber = 0;  // page number in the PDF
};

class TvlProgressEventArgs : public TvlPageEventArgs {
public:
  const char* ClassName() const override { return "TvlProgressEventArgs"; }
  bool Formatted = false;  // false: reading started; true: laid out
};

// Sender, Password (the handler may change it).
using TvlOnNeedPassword = TvlEvent<TObject*, AnsiString&>;
using TvlOnStartJob = TvlEvent<TObject*, TvlStartJobEventArgs&>;
using TvlOnEndJob = TvlEvent<TObject*, TvlEndJobEventArgs&>;
using TvlOnProgress = TvlEvent<TObject*, TvlProgressEventArgs&>;
using TvlOnStartPage = TvlEvent<TObject*, TvlPageEventArgs&>;
using TvlOnEndPage = TvlEvent<TObject*, TvlPageEventArgs&>;
// TvlOnElementDetected and TvlOnFontSubstituting belong to the formatter and
// are passed to it unchanged.
// Sender, PageNumber: the parser's page start and end notifications.
using TvlOnPageNotify = TvlEvent<TObject*, int>;
