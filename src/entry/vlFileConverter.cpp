#include "entry/vlFileConverter.h"

#include <sys/stat.h>

#include "writer/vlConvUtils.h"

AnsiString CompleteOutputFileName(const AnsiString& OutputFileName) {
  if (TrimBlanks(OutputFileName).empty()) return OutputFileName;
  size_t sep = OutputFileName.find_last_of("/\\:");
  size_t dot = OutputFileName.rfind('.');
  bool hasExtension = dot != AnsiString::npos && (sep == AnsiString::npos || dot > sep);
  return hasExtension ? OutputFileName : OutputFileName + ".rtf";
}

TvlFileConverter::TvlFileConverter(TComponent* AOwner)
    : TComponent(AOwner), FFactory(std::make_unique<TvlConverterFactory>()) {}

TvlFileConverter::~TvlFileConverter() {
  FFormatter.reset();
  FRTFWriter.reset();
  FFactory.reset();  // frees a preload parser with it
}

void TvlFileConverter::SetFactory(std::unique_ptr<TvlConverterFactory> Factory) {
  FFactory = std::move(Factory);
  FParser = nullptr;
  if (FPreload && FFactory) FFactory->CreatePreloadParser();
}

void TvlFileConverter::SetPreload(bool Value) {
  FPreload = Value;
  if (FPreload && FFactory && !FFactory->Parser()) FFactory->CreatePreloadParser();
}

void TvlFileConverter::SetInputFileName(const AnsiString& Value) {
  FInputFileName = Value;
  struct stat st;
  TvlDocumentParser* parser = FFactory ? FFactory->Parser() : nullptr;
  if (FPreload && parser && ::stat(Value.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
    parser->Open(Value, "");
    FPreloadPageCount = parser->PageCount();
    parser->Close();
  }
}

void TvlFileConverter::Convert() {
  FOutputFileName = CompleteOutputFileName(FOutputFileName);
  try {
    PrepareConversion();
    FEventInputFileName = FInputFileName;
    FEventOutputFileName = FOutputFileName;
    FParser->Open(FInputFileName, "");
    RunConversion();
  } catch (...) {
    // A failed run releases its objects at once; the output was never
    // finished, because EndDoc was not reached.
    ReleaseWriterChain();
    throw;
  }
  ReleaseWriterChain();
}

void TvlFileConverter::PrepareConversion() {
  FPageNumber = 0;
  FPageIndex = 0;
  CreateWriterChain();
  ApplySettings();
  HookEvents();
  if (FOnNeedPassword) FParser->SetOnNeedPassword(FOnNeedPassword);
}

void TvlFileConverter::CreateWriterChain() {
  if (!FFactory) FFactory = std::make_unique<TvlConverterFactory>();
  FRTFWriter = FFactory->CreateRTFWriter(FOutputFormat);
  FFormatter = FFactory->CreateFormatter(FRTFWriter.get());
  FParser = FFactory->CreateParser(FFormatter.get());
  FRTFWriter->SetFileName(FOutputFileName);
  FRTFWriter->SetOpenAfterCreate(FOpenAfterCreate);
}

void TvlFileConverter::ApplySettings() {
  FParser->SetExtractionOptions(3);
  FParser->SetPageRange(FOutputSettings.PageRange);
  FFormatter->SetFormattingMode(FOutputSettings.Preferences().FormattingMode);
}

void TvlFileConverter::HookEvents() {
  FParser->SetOnPageStart([this](TObject*, int page) { PageStarted(page); });
  FParser->SetOnPageEnd([](TObject*, int) {});
  FFormatter->SetOnPageFormatted([this](TObject*, int ordinal) { PageFormatted(ordinal); });
  FFormatter->SetOnPageWritten([this](TObject*, int) { PageWritten(); });
  FFactory->SetFormatterEvents(*FFormatter, FOnElementDetected, FOnFontSubstituting);
}

void TvlFileConverter::RunConversion() {
  DoStartJob();
  FParser->Parse();
  FParser->Close();
  DoEndJob();
}

void TvlFileConverter::ReleaseWriterChain() {
  FFormatter.reset();
  if (FParser) {
    if (FPreload) {
      FParser->SetWriter(nullptr);
      FParser->SetOnPageStart({});
      FParser->SetOnPageEnd({});
    } else if (FFactory) {
      FFactory->ReleaseParser();
    }
  }
  FParser = nullptr;
  FRTFWriter.reset();
}

void TvlFileConverter::FillArgs(TvlConverterEventArgs& Args) {
  Args.InputFileName = FEventInputFileName;
  Args.OutputFileName = FEventOutputFileName;
  Args.PageCount = FParser->PageCount();
  Args.SelectedPageCount = FParser->SelectedPageCount();
}

void TvlFileConverter::DoStartJob() {
  if (!FOnStartJob) return;
  FillArgs(FStartJobArgs);
  FStartJobArgs.PageRange = FOutputSettings.PageRange;
  FOnStartJob(this, FStartJobArgs);
}

void TvlFileConverter::DoEndJob() {
  if (!FOnEndJob) return;
  FillArgs(FEndJobArgs);
  FEndJobArgs.ProcessedPageCount = FParser->ProcessedPageCount();
  FOnEndJob(this, FEndJobArgs);
}

void TvlFileConverter::FireProgress() {
  if (!FOnProgress) return;
  FillArgs(FProgressArgs);
  FProgressArgs.PageIndex = FPageIndex;
  FProgressArgs.PageNumber = FPageNumber;
  FProgressArgs.Formatted = FFormatted;
  FOnProgress(this, FProgressArgs);
}

void TvlFileConverter::PageStarted(int PageNumber) {
  FFormatted = false;
  FPageNumber = PageNumber;
  ++FPageIndex;
  if (FOnStartPage) {
    FillArgs(FPageArgs);
    FPageArgs.PageIndex = FPageIndex;
    FPageArgs.PageNumber = FPageNumber;
    FOnStartPage(this, FPageArgs);
  }
  FireProgress();
}

void TvlFileConverter::PageFormatted(int PageOrdinal) {
  if (PageOrdinal != FPageIndex) FPageIndex = PageOrdinal;
  FFormatted = true;
  FireProgress();
}

void TvlFileConverter::PageWritten() {
  if (!FOnEndPage) return;
  FillArgs(FPageArgs);
  FPageArgs.PageIndex = FPageIndex;
  FPageArgs.PageNumber = FPageNumber;
  FOnEndPage(this, FPageArgs);
}
