#include "writer/vlDocumentWriter.h"

TvlDocumentWriter::TvlDocumentWriter(TComponent* AOwner)
    : TvlComponent(AOwner),
      FPen(std::make_unique<TPen>()),
      FFont(std::make_unique<TFont>()),
      FBrush(std::make_unique<TBrush>()),
      FStyleManager(TvlStyleManager::Acquire()),
      FBookmarkManager(TvlBookmarkManager::Acquire()) {}

TvlDocumentWriter::TvlDocumentWriter(TComponent* AOwner, TvlDocumentWriter* Writer) : TvlDocumentWriter(AOwner) {
  (void)Writer;
}

TvlDocumentWriter::~TvlDocumentWriter() = default;

TvlTextFormatting& TvlDocumentWriter::GetTextFormatting() { return FTextFormatting; }
void TvlDocumentWriter::SetTextFormatting(const TvlTextFormatting& Value) { FTextFormatting.Assign(Value); }
TBrush& TvlDocumentWriter::GetBrush() { return *FBrush; }
void TvlDocumentWriter::SetBrush(const TBrush& Value) { FBrush->Assign(Value); }
TPen& TvlDocumentWriter::GetPen() { return *FPen; }
void TvlDocumentWriter::SetPen(const TPen& Value) { FPen->Assign(Value); }
TFont& TvlDocumentWriter::GetFont() { return *FFont; }
void TvlDocumentWriter::SetFont(const TFont& Value) { FFont->Assign(Value); }
void TvlDocumentWriter::SetMeasurementUnit(TvlMeasurementUnit Value) { FMeasurementUnit = Value; }
TvlMeasurementUnit TvlDocumentWriter::GetMeasurementUnit() { return FMeasurementUnit; }
TvlDocInfo& TvlDocumentWriter::GetDocInfo() { return FDocInfo; }
void TvlDocumentWriter::SetDocInfo(const TvlDocInfo& Value) { (void)Value; }
TvlPageSettings& TvlDocumentWriter::GetPageSettings() { return FPageSettings; }
void TvlDocumentWriter::SetPageSettings(const TvlPageSettings& Value) { FPageSettings.Assign(Value); }
TvlPageSettings& TvlDocumentWriter::GetCurrentPageSettings() { return FCurrentPageSettings; }
void TvlDocumentWriter::SetCurrentPageSettings(const TvlPageSettings& Value) { FCurrentPageSettings.Assign(Value); }
