#include "entry/vlConverterFactory.h"

#include "entry/vlPDFParser.h"
#include "formatter/vlFormatter.h"
#include "rtf/vlRTFDoc.h"

namespace {

// Stand-in for the formatter until it is built: it reports each page as
// formatted and written.
class TvlPendingFormatter : public TvlDocumentWriter {
public:
  explicit TvlPendingFormatter(TvlRTFDoc* ADoc) : TvlDocumentWriter(nullptr, ADoc), FDoc(ADoc) {}
  const char* ClassName() const override { return "TvlFormatter"; }
  void SetOnElementDetected(TvlOnElementDetected Value) { FOnElementDetected = std::move(Value); }
  void SetOnFontSubstituting(TvlOnFontSubstituting Value) { FOnFontSubstituting = std::move(Value); }
  void BeginDoc() override { FDoc->BeginDoc(); }
  int BeginPage() override {
    FDoc->BeginPage();
    return ++FPageCount;
  }
  void EndPage() override {
    if (FOnPageFormatted) FOnPageFormatted(this, FPageCount + 1);
    FDoc->EndPage();
    if (FOnPageWritten) FOnPageWritten(this, FPageCount + 1);
  }
  void EndDoc() override { FDoc->EndDoc(); }

private:
  TvlRTFDoc* FDoc;
  int FPageCount = 0;
  TvlOnElementDetected FOnElementDetected;
  TvlOnFontSubstituting FOnFontSubstituting;
};

// The classes this factory hands out.
using RTFWriterClass = TvlRTFDoc;
using FormatterClass = TvlFormatter;
using ParserClass = TvlPDFParser;

}  // namespace

TvlConverterFactory::~TvlConverterFactory() = default;

std::unique_ptr<TvlDocumentWriter> TvlConverterFactory::CreateRTFWriter(uint8_t OutputFormat) {
  if (OutputFormat != 0) throw Exception("Unknown output format");
  return std::make_unique<RTFWriterClass>(nullptr);
}

std::unique_ptr<TvlDocumentWriter> TvlConverterFactory::CreateFormatter(TvlDocumentWriter* Writer) {
  auto* doc = dynamic_cast<RTFWriterClass*>(Writer);
  if (!doc) throw Exception("The formatter needs an RTF writer");
  return std::make_unique<FormatterClass>(doc);
}

void TvlConverterFactory::SetFormatterEvents(TvlDocumentWriter& Formatter,
                                             const TvlOnElementDetected& OnElementDetected,
                                             const TvlOnFontSubstituting& OnFontSubstituting) {
  if (auto* f = dynamic_cast<FormatterClass*>(&Formatter)) {
    f->SetOnElementDetected(OnElementDetected);
    f->SetOnFontSubstituting(OnFontSubstituting);
  }
}

std::unique_ptr<TvlDocumentParser> TvlConverterFactory::NewParser(TvlDocumentWriter* Writer) {
  return std::make_unique<ParserClass>(Writer);
}

TvlDocumentParser* TvlConverterFactory::CreateParser(TvlDocumentWriter* Writer) {
  if (FParser) {
    FParser->SetWriter(Writer);
    return FParser.get();
  }
  FParser = NewParser(Writer);
  return FParser.get();
}

TvlDocumentParser* TvlConverterFactory::CreatePreloadParser() {
  if (!FParser) FParser = NewParser(nullptr);
  return FParser.get();
}
