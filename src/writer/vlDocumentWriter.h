// The abstract output side: one vocabulary of document, page, text, list,
// table, picture and shape operations that every producer calls and every
// writer implements. The base owns the shared drawing state and gives every
// other operation an empty default, so a writer overrides only what it
// supports.
#pragma once

#include <memory>
#include <vector>

#include "platform/vlBitmap.h"
#include "platform/vlGraphics.h"
#include "writer/vlBookmarkManager.h"
#include "writer/vlConvUtils.h"
#include "writer/vlDocInfo.h"
#include "writer/vlStyleManager.h"
#include "writer/vlWriterClasses.h"

// (Sender, PageNumber): a page's content was collected / written out.
using TvlPageNumberEvent = TvlEvent<TObject*, int>;
using TvlNotifyEvent = TvlEvent<TObject*>;

// One column of a section: the space after it and its width.
struct TvlColumnSpec {
  double Spacing = 0;
  double Width = 0;
  bool operator==(const TvlColumnSpec&) const = default;
};
using TvlColumnSpecs = std::vector<TvlColumnSpec>;

class TvlDocumentWriter : public TvlComponent {
public:
  explicit TvlDocumentWriter(TComponent* AOwner = nullptr);
  // For writers that wrap another: the writer argument is ignored here.
  TvlDocumentWriter(TComponent* AOwner, TvlDocumentWriter* Writer);
  ~TvlDocumentWriter() override;
  TvlDocumentWriter(const TvlDocumentWriter&) = delete;
  TvlDocumentWriter& operator=(const TvlDocumentWriter&) = delete;
  const char* ClassName() const override { return "TvlDocumentWriter"; }

  // ---- non-virtual accessors ----
  const AnsiString& FileName() const { return FFileName; }
  void SetFileName(const AnsiString& Value) { FFileName = Value; }
  bool OpenAfterCreate() const { return FOpenAfterCreate; }
  void SetOpenAfterCreate(bool Value) { FOpenAfterCreate = Value; }
  TvlFormattingMode FormattingMode() const { return FFormattingMode; }
  void SetFormattingMode(TvlFormattingMode Value) { FFormattingMode = Value; }
  TvlImageSettings& ImageSettings() { return FImageSettings; }
  TvlTableSettings& TableSettings() { return FTableSettings; }
  void SetTableSettings(const TvlTableSettings& Value) { FTableSettings.Assign(Value); }
  TvlStyleManager& StyleManager() { return *FStyleManager; }
  void SetStyleManager(const TvlStyleManager& Value) { FStyleManager->Assign(Value); }
  TvlBookmarkManager& BookmarkManager() { return *FBookmarkManager; }
  void SetBookmarkManager(const TvlBookmarkManager& Value) { FBookmarkManager->Assign(Value); }

  const TvlPageNumberEvent& OnPageWritten() const { return FOnPageWritten; }
  void SetOnPageWritten(TvlPageNumberEvent Value) { FOnPageWritten = std::move(Value); }
  const TvlNotifyEvent& OnBeginDocument() const { return FOnBeginDocument; }
  void SetOnBeginDocument(TvlNotifyEvent Value) { FOnBeginDocument = std::move(Value); }
  const TvlNotifyEvent& OnEndDocument() const { return FOnEndDocument; }
  void SetOnEndDocument(TvlNotifyEvent Value) { FOnEndDocument = std::move(Value); }
  const TvlPageNumberEvent& OnPageFormatted() const { return FOnPageFormatted; }
  void SetOnPageFormatted(TvlPageNumberEvent Value) { FOnPageFormatted = std::move(Value); }

  // ---- drawing state ----
  virtual TvlTextFormatting& GetTextFormatting();
  virtual void SetTextFormatting(const TvlTextFormatting& Value);
  virtual TBrush& GetBrush();
  virtual void SetBrush(const TBrush& Value);
  virtual TPen& GetPen();
  virtual void SetPen(const TPen& Value);
  virtual TFont& GetFont();
  virtual void SetFont(const TFont& Value);
  virtual void SetMeasurementUnit(TvlMeasurementUnit Value);
  virtual TvlMeasurementUnit GetMeasurementUnit();
  virtual TvlDocInfo& GetDocInfo();
  virtual void SetDocInfo(const TvlDocInfo& Value);
  virtual TvlPageSettings& GetPageSettings();
  virtual void SetPageSettings(const TvlPageSettings& Value);
  virtual TvlPageSettings& GetCurrentPageSettings();
  virtual void SetCurrentPageSettings(const TvlPageSettings& Value);

  // ---- document and pages ----
  virtual void BeginDoc() {}
  virtual void EndDoc() {}
  // Starts the second or a later page; the number of pages begun (base 0).
  virtual int BeginPage() { return 0; }
  virtual void EndPage() {}
  virtual void BeginSection(int ColumnCount, int Reserved, const TvlColumnSpecs& Columns) {
    (void)ColumnCount, (void)Reserved, (void)Columns;
  }
  virtual void BeginPlainSection() {}
  virtual void ColumnBreak() {}

  // ---- text ----
  // One glyph: Font is the caller's (copy it to keep it); GlyphRect in
  // pixels, y down; X, Y the origin in the current unit with Y up from the
  // page bottom; Width the advance; CharSpacing the PDF character spacing.
  virtual void TextOut(const TFont& Font, const TvlDoubleRect& GlyphRect, double X, double Y, double Width,
                       bool ContinuesString, bool ContinuesShow, WideChar Ch, double CharSpacing) {
    (void)Font, (void)GlyphRect, (void)X, (void)Y, (void)Width, (void)ContinuesString, (void)ContinuesShow,
        (void)Ch, (void)CharSpacing;
  }
  virtual void BeginParagraph(const AnsiString& StyleName) { (void)StyleName; }
  virtual void BeginCellParagraph(int CellIndex, const AnsiString& StyleName) { (void)CellIndex, (void)StyleName; }
  virtual void EndParagraph() {}
  // Alignment: 0 left, 1 right, 2 centre, 3 justify.
  virtual void BeginTextBox(const TvlDoubleRect& Bounds, uint8_t Alignment, TvlVAlignment VAlignment) {
    (void)Bounds, (void)Alignment, (void)VAlignment;
  }
  virtual void EndTextBox() {}
  virtual int AddParagraphStyle(const TFont& Font, TColor Color, const AnsiString& Name) {
    (void)Font, (void)Color, (void)Name;
    return -1;
  }
  virtual int AddNumberedList(uint8_t NumberFormat, TAlignment Alignment, uint8_t Follow, int StartAt) {
    (void)NumberFormat, (void)Alignment, (void)Follow, (void)StartAt;
    return -1;
  }
  virtual int AddBulletList(const TFont& Font, WideChar Bullet, TAlignment Alignment, uint8_t Follow, int StartAt) {
    (void)Font, (void)Bullet, (void)Alignment, (void)Follow, (void)StartAt;
    return -1;
  }
  virtual void SelectList(int ListIndex) { (void)ListIndex; }
  virtual void EndList() {}
  virtual void WriteCellText(int CellIndex, const WideString& Text) { (void)CellIndex, (void)Text; }
  virtual double WriteText(const WideString& Text, double CharSpacing, double TabPosition) {
    (void)Text, (void)CharSpacing, (void)TabPosition;
    return 0;
  }
  virtual double WriteBookmarkedText(const WideString& Text, const WideString& BookmarkName, int A, int B,
                                     double Position) {
    (void)Text, (void)BookmarkName, (void)A, (void)B, (void)Position;
    return 0;
  }

  // ---- pictures (Graphic is the caller's; null is allowed and unsupported) ----
  virtual int AddImage(const TGraphic* Graphic) {
    (void)Graphic;
    return -1;
  }
  virtual void DrawImageAt(const TGraphic* Graphic, double X, double Y) { (void)Graphic, (void)X, (void)Y; }
  virtual void DrawImage(const TvlDoubleRect& Bounds, const TGraphic* Graphic) { (void)Bounds, (void)Graphic; }
  virtual void DrawImageIndex(const TvlDoubleRect& Bounds, int ImageIndex) { (void)Bounds, (void)ImageIndex; }

  // ---- shapes ----
  virtual void Line(double X1, double Y1, double X2, double Y2) { (void)X1, (void)Y1, (void)X2, (void)Y2; }
  virtual void Rectangle(bool Filled, double X1, double Y1, double X2, double Y2) {
    (void)Filled, (void)X1, (void)Y1, (void)X2, (void)Y2;
  }
  virtual void RoundRect(bool Filled, double X1, double Y1, double X2, double Y2, double X3, double Y3) {
    (void)Filled, (void)X1, (void)Y1, (void)X2, (void)Y2, (void)X3, (void)Y3;
  }
  virtual void Ellipse(bool Filled, double X1, double Y1, double X2, double Y2) {
    (void)Filled, (void)X1, (void)Y1, (void)X2, (void)Y2;
  }
  virtual void Polygon(const std::vector<TvlDoublePoint>& Points, bool Filled) { (void)Points, (void)Filled; }
  virtual void PolyLine(const std::vector<TvlDoublePoint>& Points) { (void)Points; }
  virtual void Arc(double X1, double Y1, double X2, double Y2, double X3, double Y3, double X4, double Y4) {
    (void)X1, (void)Y1, (void)X2, (void)Y2, (void)X3, (void)Y3, (void)X4, (void)Y4;
  }
  virtual void Pie(bool Filled, double X1, double Y1, double X2, double Y2, double X3, double Y3, double X4,
                   double Y4) {
    (void)Filled, (void)X1, (void)Y1, (void)X2, (void)Y2, (void)X3, (void)Y3, (void)X4, (void)Y4;
  }
  virtual void Chord(bool Filled, double X1, double Y1, double X2, double Y2, double X3, double Y3, double X4,
                     double Y4) {
    (void)Filled, (void)X1, (void)Y1, (void)X2, (void)Y2, (void)X3, (void)Y3, (void)X4, (void)Y4;
  }
  virtual void PolyBezier(const std::vector<TvlDoublePoint>& Points) { (void)Points; }

  // ---- tables ----
  virtual int BeginTable(int ColumnCount, double Left, double Width) {
    (void)ColumnCount, (void)Left, (void)Width;
    return 0;
  }
  virtual double NewRow(double Height) {
    (void)Height;
    return -1;
  }
  virtual double NewAutoRow() { return -1; }
  virtual void SetCellShading(int CellIndex, double Value) { (void)CellIndex, (void)Value; }
  virtual void SetCellRight(int CellIndex, double Right) { (void)CellIndex, (void)Right; }
  virtual void EndTable() {}

  // ---- header and footer ----
  virtual void BeginHeader() {}
  virtual void EndHeader() {}
  virtual void BeginFooter() {}
  virtual void EndFooter() {}

  // ---- saved drawing states ----
  virtual int SaveEngineState() { return -1; }
  virtual void RestoreEngineState(int Index) { (void)Index; }
  virtual void ClearEngineStates() {}

protected:
  AnsiString FFileName;
  TvlFormattingMode FFormattingMode = fmFormatted;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TBrush> FBrush;
  bool FOpenAfterCreate = false;
  TvlDocInfo FDocInfo;
  TvlImageSettings FImageSettings;
  TvlTextFormatting FTextFormatting;
  TvlPageSettings FPageSettings;
  TvlPageSettings FCurrentPageSettings;
  TvlTableSettings FTableSettings;
  TvlMeasurementUnit FMeasurementUnit = muPixel;
  TvlPageNumberEvent FOnPageWritten;
  TvlNotifyEvent FOnBeginDocument;
  TvlNotifyEvent FOnEndDocument;
  TvlPageNumberEvent FOnPageFormatted;
  std::shared_ptr<TvlStyleManager> FStyleManager;
  std::shared_ptr<TvlBookmarkManager> FBookmarkManager;
};
