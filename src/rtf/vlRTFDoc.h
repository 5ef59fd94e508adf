// The document writer that produces the RTF file. Every operation adds
// elements to a tree kept in memory; EndDoc renders the whole tree as one
// text and writes the file in one go.
#pragma once

#include <memory>
#include <vector>

#include "rtf/vlRTFDocArea.h"
#include "rtf/vlRTFHeader.h"
#include "rtf/vlRTFParagraph.h"
#include "writer/vlDocumentWriter.h"

class TvlRTFDoc : public TvlDocumentWriter {
public:
  explicit TvlRTFDoc(TComponent* AOwner = nullptr);
  ~TvlRTFDoc() override;
  const char* ClassName() const override { return "TvlRTFDoc"; }

  // ---- drawing state ----
  void SetMeasurementUnit(TvlMeasurementUnit Value) override;
  TvlPageSettings& GetCurrentPageSettings() override;
  void SetCurrentPageSettings(const TvlPageSettings& Value) override;

  // ---- document and pages ----
  // Creates the output file (replacing an existing one) and begins page 1.
  // A file that cannot be created fails here with the system's reason.
  void BeginDoc() override;
  // Renders the tree and writes the file; failures carry the system's reason.
  void EndDoc() override;
  int BeginPage() override;
  void BeginSection(int ColumnCount, int Reserved, const TvlColumnSpecs& Columns) override;
  void BeginPlainSection() override;
  void ColumnBreak() override;

  // ---- paragraphs, runs and lists ----
  void BeginParagraph(const AnsiString& StyleName) override;
  void BeginCellParagraph(int CellIndex, const AnsiString& StyleName) override;
  void EndParagraph() override;
  double WriteText(const WideString& Text, double CharSpacing, double TabPosition) override;
  void WriteCellText(int CellIndex, const WideString& Text) override;
  double WriteBookmarkedText(const WideString& Text, const WideString& BookmarkName, int A, int B,
                             double Position) override;
  int AddParagraphStyle(const TFont& Font, TColor Color, const AnsiString& Name) override;
  int AddNumberedList(uint8_t NumberFormat, TAlignment Alignment, uint8_t Follow, int StartAt) override;
  int AddBulletList(const TFont& Font, WideChar Bullet, TAlignment Alignment, uint8_t Follow,
                    int StartAt) override;
  void SelectList(int ListIndex) override;
  void EndList() override;

  // ---- page header and footer ----
  void BeginHeader() override;
  void EndHeader() override;
  void BeginFooter() override;
  void EndFooter() override;

  // ---- saved drawing states ----
  int SaveEngineState() override;
  void RestoreEngineState(int Index) override;
  void ClearEngineStates() override;

  // ---- the element tree, for the elements and for inspection ----
  TvlRTFHeader& Header() { return *FHeader; }
  TvlRTFDocArea& DocArea() { return *FDocArea; }
  TvlRTFSection* CurrentSection() const { return FCurrentSection; }
  TvlRTFElements* Target() const { return FTarget; }
  TvlRTFParagraph* CurrentParagraph() const { return FCurrentParagraph; }
  TvlTextEffects& TextEffects() { return *FTextEffects; }
  // Pixels per unit of the current measurement unit.
  double UnitFactor() const { return FFactor; }
  static double TwipsPerPixel() { return 1.0 / Factor(muTwip); }
  int CurrentPage() const { return FCurrentPage; }
  int PageCount() const { return FPageCount; }
  bool DocumentOpen() const { return FDocumentOpen; }
  bool ListActive() const { return FListActive; }
  int ListIndex() const { return FListIndex; }
  int EngineStateCount() const { return static_cast<int>(FEngineStates.size()); }

  // The whole RTF text of the document as EndDoc writes it.
  void RenderDocument(AnsiString& Text);

protected:
  // Snapshot of page settings as the section elements keep them (pixels).
  static TvlRTFPageSetup PageSetupOf(const TvlPageSettings& Settings);
  TvlRTFSection* NewSection(uint8_t Kind);
  // A run in the current font, lengths already in pixels.
  TvlTextItem MakeRun(const WideString& Text, double CharSpacing, double TabPosition);
  // Brings the header's style sheet in line with the shared style registry,
  // registering the styles' fonts and colours before the tables render.
  void SyncStyles();

  int FCurrentPage = 0;
  int FPageCount = 0;
  std::unique_ptr<TvlTextEffects> FTextEffects;
  double FFactor = 1.0;
  bool FParagraphOpen = false;
  bool FDocumentOpen = false;
  std::vector<std::unique_ptr<TvlEngineState>> FEngineStates;
  // Copies of the images placed in the document.
  std::vector<std::unique_ptr<TGraphic>> FImages;
  TvlRTFElements* FTarget = nullptr;
  std::unique_ptr<TvlRTFDocArea> FDocArea;
  TvlRTFSection* FCurrentSection = nullptr;
  // The paragraph begun last: owned here until EndParagraph places it.
  std::unique_ptr<TvlRTFParagraph> FPendingParagraph;
  TvlRTFParagraph* FCurrentParagraph = nullptr;
  std::unique_ptr<TvlRTFHeader> FHeader;
  bool FInTextBox = false;
  bool FListActive = false;
  int FListIndex = 0;
  int FTableColumnCount = 0;
  bool FInTable = false;
  int FCellIndex = 0;
  int FOutput = -1;  // file descriptor of the output file while the document is open
  TvlDoubleRect FLastImageBounds;
};
