// Settings objects shared by the document writers: page settings with the
// paper table, paragraph formatting and borders, picture settings, text
// effects, table-cell alignment, frames, saved drawing states, and the
// writers' component base.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/vlBitmap.h"
#include "platform/vlClasses.h"
#include "platform/vlGraphics.h"
#include "writer/vlConvUtils.h"

enum TvlFormattingMode : uint8_t { fmFormatted, fmFormattedWithTabs };
enum TvlVAlignment : uint8_t { vaTop, vaCenter, vaBottom };
enum TvlOutputImageFormat : uint8_t { ifBMP, ifJPEG, ifGIF, ifPNG, ifMetafile, ifCCITT3, ifCCITT4 };
enum TvlTextRenderMode : uint8_t { trmFill, trmStroke, trmFillStroke };
enum TvlTextRise : uint8_t { trNormal, trSuperscript, trSubscript };

enum class TvlPaperSize : uint8_t {
  Letter, LetterSmall, Tabloid, Ledger, Legal, Statement, Executive, A3, A4, A4Small, A5, B4, B5, Folio,
  Quarto, ps10X14, ps11X17, Note, Env10, Env11, Env12, Env14, CSheet, DSheet, ESheet, EnvDL, EnvC5, EnvC3,
  EnvC4, EnvC6, EnvC65, EnvB4, EnvB5, EnvB6, EnvItaly, EnvMonarch, EnvPersonal, FanfoldUS, FanfoldStdGerman,
  ISOB4, Custom
};

// Portrait width and height in inches of a paper size (0 x 0 for Custom).
struct TvlPaperDimensions {
  double Width, Height;
};
TvlPaperDimensions PaperDimensions(TvlPaperSize Size);

class EUnsupportedGraphics : public Exception {
public:
  EUnsupportedGraphics() : Exception("Unknown Graphics format") {}
};
class EInvalidEngineState : public Exception {
public:
  EInvalidEngineState() : Exception("Not a valid Engine State identifier") {}
};

// Base of the writers: a component with the published About and Version
// strings, which ignore assignment.
class TvlComponent : public TComponent {
public:
  using TComponent::TComponent;
  const char* ClassName() const override { return "TvlComponent"; }
  AnsiString About() const { return "velmora PDF to RTF"; }
  void SetAbout(const AnsiString&) {}
  AnsiString Version() const { return VL_VERSION; }
  void SetVersion(const AnsiString&) {}
};

// Page size, orientation and margins. Lengths are stored in pixels; the
// accessors speak the unit given by NativeFactor (pixels per unit).
class TvlPageSettings : public TPersistent {
public:
  TvlPageSettings();
  const char* ClassName() const override { return "TvlPageSettings"; }
  // Copies every length, PaperSize, Orientation and BinNumber; keeps NativeFactor.
  void Assign(const TPersistent& Source) override;

  TvlPaperSize PaperSize() const { return FPaperSize; }
  // Other than Custom, takes width and height from the paper table
  // (swapped on a landscape page).
  void SetPaperSize(TvlPaperSize Value);
  double Width() const { return FWidth / FNativeFactor; }
  void SetWidth(double Value) { FWidth = Value * FNativeFactor; }
  double Height() const { return FHeight / FNativeFactor; }
  void SetHeight(double Value) { FHeight = Value * FNativeFactor; }
  TPrinterOrientation Orientation() const { return FOrientation; }
  // A change swaps width and height.
  void SetOrientation(TPrinterOrientation Value);
  double LeftMargin() const { return FLeftMargin / FNativeFactor; }
  void SetLeftMargin(double Value) { FLeftMargin = Value * FNativeFactor; }
  double RightMargin() const { return FRightMargin / FNativeFactor; }
  void SetRightMargin(double Value) { FRightMargin = Value * FNativeFactor; }
  double TopMargin() const { return FTopMargin / FNativeFactor; }
  void SetTopMargin(double Value) { FTopMargin = Value * FNativeFactor; }
  double BottomMargin() const { return FBottomMargin / FNativeFactor; }
  void SetBottomMargin(double Value) { FBottomMargin = Value * FNativeFactor; }
  int BinNumber() const { return FBinNumber; }
  void SetBinNumber(int Value) { FBinNumber = Value; }
  double HeaderHeight() const { return FHeaderHeight / FNativeFactor; }
  void SetHeaderHeight(double Value) { FHeaderHeight = Value * FNativeFactor; }
  double FooterHeight() const { return FFooterHeight / FNativeFactor; }
  void SetFooterHeight(double Value) { FFooterHeight = Value * FNativeFactor; }
  double NativeFactor() const { return FNativeFactor; }
  void SetNativeFactor(double Value) { FNativeFactor = Value; }

  // The stored pixel values, whatever the native factor.
  double WidthPixels() const { return FWidth; }
  double HeightPixels() const { return FHeight; }
  double LeftMarginPixels() const { return FLeftMargin; }
  double RightMarginPixels() const { return FRightMargin; }
  double TopMarginPixels() const { return FTopMargin; }
  double BottomMarginPixels() const { return FBottomMargin; }
  double HeaderHeightPixels() const { return FHeaderHeight; }
  double FooterHeightPixels() const { return FFooterHeight; }

private:
  double FFooterHeight = 0, FWidth = 0, FBottomMargin = 0, FTopMargin = 0, FHeight = 0, FRightMargin = 0,
         FLeftMargin = 0, FHeaderHeight = 0;
  TvlPaperSize FPaperSize = TvlPaperSize::A4;
  TPrinterOrientation FOrientation = poPortrait;
  int FBinNumber = 0;
  double FNativeFactor = 1.0;
};

class TvlBorder : public TPersistent {
public:
  const char* ClassName() const override { return "TvlBorder"; }
  void Assign(const TPersistent& Source) override;

  bool DrawLeft = false, DrawRight = false, DrawTop = false, DrawBottom = false;
  TColor Color = 0;
  TPenStyle Style = psSolid;
  int Width = 1;
};

class TvlParaBorder : public TvlBorder {
public:
  const char* ClassName() const override { return "TvlParaBorder"; }
  // As the border; also copies Spacing from a paragraph border.
  void Assign(const TPersistent& Source) override;

  int Spacing = 0;
};

// Paragraph formatting; lengths in pixels behind a native factor.
class TvlTextFormatting : public TPersistent {
public:
  const char* ClassName() const override { return "TvlTextFormatting"; }
  // Copies lengths, Alignment, Border, UseLineSpacing, LineSpacingAtLeast; keeps NativeFactor.
  void Assign(const TPersistent& Source) override;

  double SpaceBefore() const { return FSpaceBefore / FNativeFactor; }
  void SetSpaceBefore(double Value) { FSpaceBefore = Value * FNativeFactor; }
  double LeftIndent() const { return FLeftIndent / FNativeFactor; }
  void SetLeftIndent(double Value) { FLeftIndent = Value * FNativeFactor; }
  double RightIndent() const { return FRightIndent / FNativeFactor; }
  void SetRightIndent(double Value) { FRightIndent = Value * FNativeFactor; }
  double FirstLineIndent() const { return FFirstLineIndent / FNativeFactor; }
  void SetFirstLineIndent(double Value) { FFirstLineIndent = Value * FNativeFactor; }
  double LineSpacing() const { return FLineSpacing / FNativeFactor; }
  void SetLineSpacing(double Value) { FLineSpacing = Value * FNativeFactor; }
  // 0 left, 1 right, 2 centre, 3 justify.
  uint8_t Alignment() const { return FAlignment; }
  void SetAlignment(uint8_t Value) { FAlignment = Value; }
  TvlParaBorder& Border() { return FBorder; }
  const TvlParaBorder& Border() const { return FBorder; }
  void SetBorder(const TvlParaBorder& Value) { FBorder.Assign(Value); }
  double NativeFactor() const { return FNativeFactor; }
  void SetNativeFactor(double Value) { FNativeFactor = Value; }
  bool UseLineSpacing() const { return FUseLineSpacing; }
  void SetUseLineSpacing(bool Value) { FUseLineSpacing = Value; }
  bool LineSpacingAtLeast() const { return FLineSpacingAtLeast; }
  void SetLineSpacingAtLeast(bool Value) { FLineSpacingAtLeast = Value; }

  double SpaceBeforePixels() const { return FSpaceBefore; }
  double LeftIndentPixels() const { return FLeftIndent; }
  double RightIndentPixels() const { return FRightIndent; }
  double FirstLineIndentPixels() const { return FFirstLineIndent; }
  double LineSpacingPixels() const { return FLineSpacing; }

private:
  double FSpaceBefore = 0, FLeftIndent = 0, FRightIndent = 0, FFirstLineIndent = 0, FLineSpacing = 0.1;
  uint8_t FAlignment = 0;
  TvlParaBorder FBorder;
  double FNativeFactor = 1.0;
  bool FUseLineSpacing = true;
  bool FLineSpacingAtLeast = false;
};

class TvlImageSettings : public TPersistent {
public:
  const char* ClassName() const override { return "TvlImageSettings"; }
  void Assign(const TPersistent& Source) override;

  int SourceDPI = ScreenPixelsPerInch;
  TvlOutputImageFormat OutputImageFormat = ifBMP;
  TPixelFormat ImagePixelFormat = pf24bit;
  int JPEGQuality = 100;  // 0..100
  bool Center = false;
  bool ActualSize = false;
  bool Stretch = false;
  bool Transparent = false;
  bool Proportional = false;
  bool Frame = false;
  bool BehindText = false;
  int PlacementValue = 0;
};

class TvlTextEffects : public TPersistent {
public:
  const char* ClassName() const override { return "TvlTextEffects"; }
  void Assign(const TPersistent& Source) override;

  TvlTextRenderMode TextRenderMode = trmFill;
  TvlTextRise TextRise = trNormal;
};

class TvlTableSettings : public TPersistent {
public:
  const char* ClassName() const override { return "TvlTableSettings"; }
  // Copies the two alignments; keeps NativeFactor.
  void Assign(const TPersistent& Source) override;

  uint8_t CellAlignment = 0;
  TvlVAlignment CellVerticalAlignment = vaTop;
  double NativeFactor = 1.0;
};

// Which sides of a picture or cell frame are drawn, and their lengths.
class TvlFrame : public TPersistent {
public:
  const char* ClassName() const override { return "TvlFrame"; }
  void Assign(const TPersistent& Source) override;

  bool Left = true, Top = true, Right = true, Bottom = true;
  double LeftWidth = 0, TopWidth = 0, RightWidth = 0, BottomWidth = 0;
};

// A snapshot of a writer's drawing state.
class TvlEngineState : public TObject {
public:
  const char* ClassName() const override { return "TvlEngineState"; }
  TFont Font;
  TPen Pen;
  TBrush Brush;
  TvlImageSettings ImageSettings;
  TvlTextFormatting TextFormatting;
  TvlTableSettings TableSettings;
  TvlPageSettings PageSettings;
  TvlTextEffects TextEffects;
};

// Two lists (not owning their items) and two integers.
class TvlBandItem : public TObject {
public:
  const char* ClassName() const override { return "TvlBandItem"; }
  std::vector<TObject*> Items1;
  std::vector<TObject*> Items2;
  int Value1 = 0;
  int Value2 = 0;
};

class TvlPageItem : public TvlBandItem {
public:
  const char* ClassName() const override { return "TvlPageItem"; }
  TvlPageSettings PageSettings;
};
