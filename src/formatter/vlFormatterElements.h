// The layout formatter's element tree: glyphs become runs, runs on one
// baseline become lines, lines are grouped into horizontal sections (bands),
// sections into columns, a column's lines into paragraphs. Coordinates are in
// the formatter's unit (points in a conversion) from the page's top-left
// corner, y downward; for text, Top is the baseline.
#pragma once

#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/vlBase.h"
#include "platform/vlClasses.h"
#include "platform/vlGraphics.h"
#include "writer/vlDocumentWriter.h"

class TvlFormatter;
class TvlFormatterElement;

class TvlFormatterRect : public TPersistent {
public:
  double Left = 0, Top = 0, Right = 0, Bottom = 0;

  TvlFormatterRect() = default;
  TvlFormatterRect(double ALeft, double ATop, double ARight, double ABottom)
      : Left(ALeft), Top(ATop), Right(ARight), Bottom(ABottom) {}
  TvlFormatterRect(const TvlFormatterRect& o) : TPersistent(), Left(o.Left), Top(o.Top), Right(o.Right), Bottom(o.Bottom) {}
  TvlFormatterRect& operator=(const TvlFormatterRect& o) {
    Left = o.Left;
    Top = o.Top;
    Right = o.Right;
    Bottom = o.Bottom;
    return *this;
  }
  const char* ClassName() const override { return "TvlFormatterRect"; }
  void Assign(const TPersistent& Source) override;
  // Grows the box to take the given edges; a Left or Top of 0 counts as not
  // yet set and takes the given value.
  void Extend(double ABottom, double ARight, double ATop, double ALeft);
  double Width() const { return Right - Left; }
  double Height() const { return Bottom - Top; }
};

class TvlFormatterEventArgs : public TObject {
public:
  TvlFormatterElement* Element = nullptr;
  const char* ClassName() const override { return "TvlFormatterEventArgs"; }
};

class TvlFontSubstitutionEventArgs : public TvlFormatterEventArgs {
public:
  TFont OriginalFont;
  TFont SubstituteFont;
  const char* ClassName() const override { return "TvlFontSubstitutionEventArgs"; }
  void SetSubstituteFont(const TFont& Value) { SubstituteFont.Assign(Value); }
};

// What a host wants done with an element the formatter detected.
enum TvlAction : uint8_t { acRetain, acLeaveSpace, acDelete };

// Sender is the page, section or column that holds the element.
using TvlOnElementDetected = TvlEvent<TObject* /*Sender*/, TvlFormatterElement* /*Element*/, TvlAction& /*Action*/>;
// Sender is the formatter.
using TvlOnFontSubstituting = TvlEvent<TObject* /*Sender*/, TvlFontSubstitutionEventArgs& /*Args*/>;

enum TvlElementKind : uint8_t {
  ekPage = 0,
  ekHSection = 1,
  ekColumn = 2,
  ekParagraph = 3,
  ekTextLine = 4,
  ekText = 5,
  ekImage = 6,
  ekTable = 7
};

// The page's size and text area, in the formatter's unit.
struct TvlPageGeometry {
  double Width = 0, Height = 0;
  double LeftMargin = 0, TopMargin = 0, RightMargin = 0, BottomMargin = 0;
  static TvlPageGeometry From(const TvlPageSettings& S);
};

// Process-wide layout state: the formatting mode every element's rendering
// reads, the formatter laying out a page (for events and measuring), and the
// font-fit cache. Reset by every new page and by every formatter.
struct TvlLayoutGlobals {
  TvlFormattingMode Mode = fmFormatted;
  TvlFormatter* Formatter = nullptr;
  // (font name, size) -> fitted size.
  std::unordered_map<AnsiString, double> FitCache;
  TvlPageGeometry Page;
  void Reset() {
    Mode = fmFormatted;
    Page = TvlPageGeometry();
    Formatter = nullptr;
    FitCache.clear();
  }
};
TvlLayoutGlobals& LayoutGlobals();

class TvlFormatterElement : public TObject {
public:
  TvlFormatterRect Rect;
  TvlDocumentWriter* Doc = nullptr;
  int Number = 0;
  uint8_t Kind = 0;

  explicit TvlFormatterElement(uint8_t AKind, TvlDocumentWriter* ADoc = nullptr) : Doc(ADoc), Kind(AKind) {}
  const char* ClassName() const override { return "TvlFormatterElement"; }
  TvlFormattingMode FormattingMode() const { return LayoutGlobals().Mode; }
  void SetFormattingMode(TvlFormattingMode Value) { LayoutGlobals().Mode = Value; }

  virtual void Layout() {}
  virtual void Render(TvlDocumentWriter& Writer) = 0;
};

class TvlFormatterContent : public TvlFormatterElement {
public:
  double Left = 0;
  double Top = 0;  // baseline for text, top edge for an image
  using TvlFormatterElement::TvlFormatterElement;
};

class TvlFormatterText : public TvlFormatterContent {
public:
  WideString Text;
  TFont Font;
  std::vector<TvlFormatterRect> GlyphRects;
  int TabIndex = 0;
  double CharSpacing = 0;
  double Width = 0;
  bool Deleted = false;
  double Right = 0;
  int Id = 0;

  explicit TvlFormatterText(TvlDocumentWriter* ADoc = nullptr) : TvlFormatterContent(ekText, ADoc) {}
  const char* ClassName() const override { return "TvlFormatterText"; }
  void Render(TvlDocumentWriter&) override {}
};

class TvlFormatterTextLine : public TvlFormatterContent {
public:
  std::vector<std::unique_ptr<TvlFormatterText>> Texts;
  int ParagraphIndex = 0;
  int TabCount = 0;
  bool IsListItem = false;
  bool Absorbed = false;
  bool First = false;
  bool Merged = false;
  int Id = 0;
  // List kind found by the column's paragraph building: 0 none, 1 bullet, 2 number.
  uint8_t ListKind = 0;

  explicit TvlFormatterTextLine(TvlDocumentWriter* ADoc = nullptr) : TvlFormatterContent(ekTextLine, ADoc) {}
  const char* ClassName() const override { return "TvlFormatterTextLine"; }

  double Height() const { return FHeight; }
  void SetHeight(double Value) {
    FHeight = Value;
    Rect.Bottom = Rect.Top + Value;
  }
  double Right() const { return FRight; }
  void SetRight(double Value) {
    FRight = Value;
    FWidth = Value - Left;
  }
  double Width() const { return FWidth; }
  int Count() const { return static_cast<int>(Texts.size()); }

  TvlFormatterText* AddText(std::unique_ptr<TvlFormatterText> Text);
  TvlFormatterText* InsertText(std::unique_ptr<TvlFormatterText> Text, int Index);
  TvlFormatterText* GetText(int Index) const;
  TvlFormatterText* LastText() const { return Texts.empty() ? nullptr : Texts.back().get(); }
  // The run texts joined, as 8-bit text.
  AnsiString GetLineText() const;
  // The run texts joined, wide.
  WideString GetWideLineText() const;
  // Removes runs that repeat another run at the same position.
  void RemoveDuplicates();
  void Render(TvlDocumentWriter&) override {}

private:
  double FHeight = 0;
  double FRight = 0;
  double FWidth = 0;
};

class TvlFormatterParagraph : public TvlFormatterContent {
public:
  std::vector<TvlFormatterTextLine*> Lines;
  double LineSpacing = 0;
  uint8_t Alignment = 0;
  TFont Font;
  double LeftIndent = 0;
  TvlFormatterRect ColumnRect;
  double SpaceBefore = 0;
  bool IsFiller = false;
  bool IsBulletList = false;
  bool IsNumberedList = false;
  double RightIndent = 0;
  // Lines made for the paragraph itself (filler paragraphs).
  std::vector<std::unique_ptr<TvlFormatterTextLine>> OwnLines;

  explicit TvlFormatterParagraph(TvlDocumentWriter* ADoc = nullptr) : TvlFormatterContent(ekParagraph, ADoc) {}
  const char* ClassName() const override { return "TvlFormatterParagraph"; }
  int Count() const { return static_cast<int>(Lines.size()); }
  uint8_t ListKind() const { return IsBulletList ? 1 : IsNumberedList ? 2 : 0; }
  void Render(TvlDocumentWriter& Writer) override;
};

class TvlFormatterColumn : public TvlFormatterElement {
public:
  std::vector<TvlFormatterTextLine*> Lines;
  std::vector<std::unique_ptr<TvlFormatterParagraph>> Paragraphs;
  // Tables found inside the column; filled once table detection exists.
  std::vector<std::unique_ptr<TvlFormatterElement>> Tables;

  explicit TvlFormatterColumn(TvlDocumentWriter* ADoc = nullptr) : TvlFormatterElement(ekColumn, ADoc) {}
  const char* ClassName() const override { return "TvlFormatterColumn"; }
  int LineCount() const { return static_cast<int>(Lines.size()); }
  void Layout() override;
  void Render(TvlDocumentWriter& Writer) override;
};

class TvlFormatterHSection : public TvlFormatterElement {
public:
  std::vector<std::unique_ptr<TvlFormatterColumn>> Columns;
  bool IsTable = false;
  TFont Font;
  // What Render writes: the columns (or, once tables exist, the table).
  std::vector<TvlFormatterElement*> Contents;
  TvlColumnSpecs ColumnSpecs;

  explicit TvlFormatterHSection(TvlDocumentWriter* ADoc = nullptr) : TvlFormatterElement(ekHSection, ADoc) {}
  const char* ClassName() const override { return "TvlFormatterHSection"; }
  int ColumnCount() const { return Columns.empty() ? 1 : static_cast<int>(Columns.size()); }
  TvlFormatterColumn* AddColumn(int Index = -1);
  // Lays the columns side by side from the left margin (two or more columns).
  void ComputeColumnGeometry(double LeftMargin);
  void Layout() override;
  void Render(TvlDocumentWriter& Writer) override;
};

class TvlFormatterPage : public TvlFormatterElement {
public:
  TvlPageSettings* Settings = nullptr;
  std::vector<std::unique_ptr<TvlFormatterTextLine>> Lines;
  std::vector<std::unique_ptr<TvlFormatterHSection>> Sections;
  std::vector<std::unique_ptr<TvlFormatterTextLine>> Blocks;
  TvlFormatter* Formatter = nullptr;

  explicit TvlFormatterPage(TvlDocumentWriter* ADoc = nullptr);
  const char* ClassName() const override { return "TvlFormatterPage"; }
  void Layout() override;
  void Render(TvlDocumentWriter& Writer) override;

  // Steps of Layout, public for the layout's own tests.
  void SortLines();
  void MergeBlocks();
  void AttachSignPieces();
  void OfferBlocks();
  void BuildSections();
  // Fills Sec with the band of columns starting at block F; returns the index
  // of the last block it took.
  size_t DetectBand(TvlFormatterHSection& Sec, size_t F);
};

// Names, sizes and styles equal; the second form also compares colours.
bool SameFont(const TFont& A, const TFont& B);
bool SameFontAndColor(const TFont& A, const TFont& B);
// Largest text-extent height of the line's runs, in points.
double TextHeight(const TvlFormatterTextLine& Line);
// Appends blank paragraphs reproducing a vertical gap: one of line spacing 10
// per whole ten points, then one for the remainder.
void MakeFillerParagraphs(std::vector<std::unique_ptr<TvlFormatterParagraph>>& List, TvlDocumentWriter* Writer,
                          double Gap);
