// The export device every page of a conversion is played on: each visible
// glyph becomes one TextOut and each image one DrawImage on the document
// writer. Vector paths only clip; they produce no output, and form XObjects
// draw nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "extract/vlClipRegion.h"
#include "extract/vlExtractorFonts.h"
#include "pdf/content/PDExportDevice.h"
#include "platform/vlBitmap.h"
#include "platform/vlGraphics.h"
#include "writer/vlConvUtils.h"

class TvlDocumentWriter;
class TvlDocumentParser;
class TvlPDFont;

class TvlPDFContentExtractor : public TvlPDExportDevice {
public:
  explicit TvlPDFContentExtractor(TvlDocumentWriter* Writer);
  ~TvlPDFContentExtractor() override;

  // Bit 0 enables glyph output.
  void SetExtractionOptions(uint8_t Options) { ExtractionOptions = Options; }
  // Receives the page start and end notifications; may be null.
  void SetParser(TvlDocumentParser* Value) { Parser = Value; }
  // Family names output fonts are chosen from.
  void SetInstalledFonts(const std::vector<AnsiString>& Names);

  bool AcceptPage(TvlPDPage* Page, int Rotate, double HDPI, double VDPI, bool UseMediaBox, bool Crop,
                  double SliceX, double SliceY, double SliceW, double SliceH) override;
  void StartPage(int PageNumber, const TvlPDState& State) override;
  void EndPage() override;
  void SaveState(const TvlPDState& State) override;
  void RestoreState(const TvlPDState& State) override;
  void UpdateTransform(const TvlPDState& State, const TvlPDMatrix& Matrix) override;
  void UpdateFillAlpha(const TvlPDState& State) override;
  void UpdateFont(const TvlPDState& State) override;
  void StrokePath(const TvlPDState& State) override;
  void FillPath(const TvlPDState& State) override;
  void FillPathEvenOdd(const TvlPDState& State) override;
  void ClipPath(const TvlPDState& State) override;
  void ClipPathEvenOdd(const TvlPDState& State) override;
  void ClipPathAlternate(const TvlPDState& State) override;
  void BeginTextShow(const TvlPDState& State) override;
  void EndTextShow(const TvlPDState& State) override;
  void BeginString(const TvlPDState& State, std::string_view Text) override;
  void EndString(const TvlPDState& State) override;
  void DrawGlyph(const TvlPDState& State, uint16_t Unicode, double X, double Y, double DX, double DY,
                 std::string_view GlyphName) override;
  void DrawImage(const TvlPDState& State, TvlPDImage& Image) override;

  // Where an image drawn now lands: its unit square in page points, y down.
  TvlDoubleRect ImageBounds(const TvlPDState& State) const;

  // The output font for a PDF font: family chosen by name, bold and italic
  // from the name and the font's flags. Colour and size are set per glyph.
  TFont BuildOutputFont(const TvlPDFont& Font);

private:
  // Outline bounds of a character at an em size of 1000, y down, with the
  // top of the line cell at 0.
  struct GlyphBounds {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Empty = true;
  };
  struct MeasureKey {
    std::string Family;
    uint8_t Style;
    bool operator==(const MeasureKey&) const = default;
  };
  struct MeasureKeyHash {
    size_t operator()(const MeasureKey& K) const {
      return std::hash<std::string>()(K.Family) * 31 + K.Style;
    }
  };
  struct MeasureFace {
    bool Available = false;
    double AscentPerEm = 0;  // cell ascent / em height
    std::unordered_map<uint16_t, GlyphBounds> Glyphs;
  };

  void ClipWithPath(const TvlPDState& State, bool EvenOdd);
  void ResetClip();
  uint16_t FinalUnicode(const TvlPDState& State, uint16_t Unicode, std::string_view GlyphName) const;
  const GlyphBounds& CharBounds(MeasureFace& Face, uint16_t Ch);
  std::unique_ptr<TGraphic> MakePicture(const TvlPDState& State, TvlPDImage& Image);
  MeasureFace* FaceFor(const AnsiString& Family, TFontStyles Style);

  TvlDocumentWriter* Writer;
  TvlDocumentParser* Parser = nullptr;
  uint8_t ExtractionOptions = 0;
  int PageNumber = 0;
  double PageWidth = 0, PageHeight = 0;  // device pixels
  TvlClipRegion ClipRegion;

  std::unique_ptr<vlextract::TvlInstalledFonts> InstalledFonts;
  struct OutputFontSlot {
    bool Built = false;
    uint8_t Flags = 0;
    AnsiString Source;
    TFont Font;
    bool Matched = false;  // an installed family has the font's name
    char Design = 0;       // what the name says (vlextract::DesignFromName)
  };
  std::unordered_map<const TvlPDFont*, OutputFontSlot> OutputFonts;
  TFont OutputFont;
  bool OutputFontMatched = false;
  char OutputFontDesign = 0;
  AnsiString MeasureFamily;
  TFontStyles MeasureStyle;
  MeasureFace* Measure = nullptr;
  std::unordered_map<MeasureKey, MeasureFace, MeasureKeyHash> Faces;

  bool ContinuesShow = false;
  bool ContinuesString = false;
  // The bytes of the string being shown and the next code's position, so a
  // simple font's glyph can be looked up by its character code.
  std::string StringBytes;
  size_t StringPos = 0;
  double ImageSetting = 0;
  // The glyph emitted last on this page: where it ended, its baseline.
  bool HasLast = false;
  double LastEnd = 0, LastY = 0;
  WideChar LastCh = 0;
};
