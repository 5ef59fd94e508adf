// Creates the three working objects of a conversion: the RTF writer, the
// layout formatter that writes to it, and the PDF parser that writes to the
// formatter.
#pragma once

#include <cstdint>
#include <memory>

#include "entry/vlDocumentparser.h"
#include "entry/vlEvents.h"
#include "writer/vlDocumentWriter.h"

class TvlConverterFactory : public TObject {
public:
  TvlConverterFactory() = default;
  ~TvlConverterFactory() override;
  TvlConverterFactory(const TvlConverterFactory&) = delete;
  TvlConverterFactory& operator=(const TvlConverterFactory&) = delete;
  const char* ClassName() const override { return "TvlConverterFactory"; }

  // A new RTF writer for OutputFormat 0 (the only kind); the caller owns it.
  virtual std::unique_ptr<TvlDocumentWriter> CreateRTFWriter(uint8_t OutputFormat);
  // A new formatter that writes to Writer (an RTF writer from CreateRTFWriter).
  virtual std::unique_ptr<TvlDocumentWriter> CreateFormatter(TvlDocumentWriter* Writer);
  // Hands the formatter-only layout events to a formatter from CreateFormatter.
  virtual void SetFormatterEvents(TvlDocumentWriter& Formatter, const TvlOnElementDetected& OnElementDetected,
                                  const TvlOnFontSubstituting& OnFontSubstituting);
  // The held parser re-targeted at Writer, or a new one for Writer that is
  // then held.
  TvlDocumentParser* CreateParser(TvlDocumentWriter* Writer);
  // The held parser, created without a writer when there is none.
  TvlDocumentParser* CreatePreloadParser();
  // The held parser (may be null).
  TvlDocumentParser* Parser() const { return FParser.get(); }
  // Gives up the held parser, so that the next CreateParser makes a new one.
  std::unique_ptr<TvlDocumentParser> ReleaseParser() { return std::move(FParser); }

protected:
  virtual std::unique_ptr<TvlDocumentParser> NewParser(TvlDocumentWriter* Writer);

private:
  std::unique_ptr<TvlDocumentParser> FParser;
};
