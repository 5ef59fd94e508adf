// The converter component: owns the output settings, builds the writer
// chain of a run (parser -> formatter -> RTF writer) through its factory,
// runs the parser and relays job, page and progress events.
#pragma once

#include <memory>

#include "entry/vlConverterFactory.h"
#include "entry/vlDocSettings.h"
#include "entry/vlEvents.h"
#include "platform/vlClasses.h"

// OutputFileName completed with ".rtf" when, trimmed, it is not empty and
// has no extension (no "." after the last "/", "\" or ":"); a name ending
// in "." counts as having one.
AnsiString CompleteOutputFileName(const AnsiString& OutputFileName);

class TvlFileConverter : public TComponent {
public:
  explicit TvlFileConverter(TComponent* AOwner = nullptr);
  ~TvlFileConverter() override;
  TvlFileConverter(const TvlFileConverter&) = delete;
  TvlFileConverter& operator=(const TvlFileConverter&) = delete;
  const char* ClassName() const override { return "TvlFileConverter"; }

  // Runs one conversion; raises on any failure.
  void Convert();

  const AnsiString& InputFileName() const { return FInputFileName; }
  // With Preload set and an existing file, also counts its pages.
  void SetInputFileName(const AnsiString& Value);
  const AnsiString& OutputFileName() const { return FOutputFileName; }
  void SetOutputFileName(const AnsiString& Value) { FOutputFileName = Value; }
  bool OpenAfterCreate() const { return FOpenAfterCreate; }
  void SetOpenAfterCreate(bool Value) { FOpenAfterCreate = Value; }
  TvlDocSettings& OutputSettings() { return FOutputSettings; }
  void SetOutputSettings(const TvlDocSettings& Value) { FOutputSettings.Assign(Value); }
  int InputFilePageCount() const { return FPreloadPageCount; }
  bool Preload() const { return FPreload; }
  void SetPreload(bool Value);

  void SetOnNeedPassword(TvlOnNeedPassword Value) { FOnNeedPassword = std::move(Value); }
  void SetOnStartJob(TvlOnStartJob Value) { FOnStartJob = std::move(Value); }
  void SetOnEndJob(TvlOnEndJob Value) { FOnEndJob = std::move(Value); }
  void SetOnProgress(TvlOnProgress Value) { FOnProgress = std::move(Value); }
  void SetOnStartPage(TvlOnStartPage Value) { FOnStartPage = std::move(Value); }
  void SetOnEndPage(TvlOnEndPage Value) { FOnEndPage = std::move(Value); }
  void SetOnFontSubstituting(TvlOnFontSubstituting Value) { FOnFontSubstituting = std::move(Value); }
  void SetOnElementDetected(TvlOnElementDetected Value) { FOnElementDetected = std::move(Value); }

  // Replaces the factory (hosts and tests that supply their own objects).
  void SetFactory(std::unique_ptr<TvlConverterFactory> Factory);

private:
  void PrepareConversion();
  void CreateWriterChain();
  void ApplySettings();
  void HookEvents();
  void RunConversion();
  void ReleaseWriterChain();
  void DoStartJob();
  void DoEndJob();
  void FillArgs(TvlConverterEventArgs& Args);
  void PageStarted(int PageNumber);
  void PageFormatted(int PageOrdinal);
  void PageWritten();
  void FireProgress();

  AnsiString FInputFileName;
  AnsiString FOutputFileName;
  bool FOpenAfterCreate = false;
  TvlDocSettings FOutputSettings;
  bool FPreload = false;
  TvlOnNeedPassword FOnNeedPassword;
  TvlOnStartJob FOnStartJob;
  TvlOnEndJob FOnEndJob;
  TvlOnProgress FOnProgress;
  TvlOnStartPage FOnStartPage;
  TvlOnEndPage FOnEndPage;
  TvlOnFontSubstituting FOnFontSubstituting;
  TvlOnElementDetected FOnElementDetected;

  TvlDocumentParser* FParser = nullptr;  // held by the factory
  std::unique_ptr<TvlDocumentWriter> FFormatter;
  std::unique_ptr<TvlDocumentWriter> FRTFWriter;
  TvlStartJobEventArgs FStartJobArgs;
  TvlEndJobEventArgs FEndJobArgs;
  TvlPageEventArgs FPageArgs;
  TvlProgressEventArgs FProgressArgs;
  AnsiString FEventInputFileName;
  AnsiString FEventOutputFileName;
  bool FFormatted = false;
  int FPageNumber = 0;
  int FPageIndex = 0;
  int FPreloadPageCount = 0;
  uint8_t FOutputFormat = 0;
  std::unique_ptr<TvlConverterFactory> FFactory;
};
