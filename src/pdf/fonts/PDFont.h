// The font model: a font object answers, for every character code of a
// shown string, which character it is and how wide it is. Fonts are built
// completely when created and are read-only afterwards (only the embedded
// program is loaded on first use).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "pdf/core/PDBaseObject.h"
#include "pdf/pages/PDMatrix.h"
#include "pdf/pages/PDRect.h"
#include "platform/vlBase.h"

class TvlPDDocument;
class TvlPDResource;
class TvlPDCMapParser;

// Subtype/program kind of a font.
enum TvlFontKind : std::uint8_t {
  fkUnknown = 0,
  fkType1 = 1,  // also MMType1
  fkType1C = 2,
  fkType1COT = 3,  // Type1 with an OpenType program
  fkType3 = 4,
  fkTrueType = 5,
  fkTrueTypeOT = 6,
  fkCIDFontType0 = 7,
  fkCIDFontType0C = 8,
  fkCIDFontType0OT = 9,
  fkCIDFontType2 = 10,
  fkCIDFontType2OT = 11,
};

// Font descriptor flag bits (bit n has value 2^(n-1)).
inline constexpr int kFontFlagFixedPitch = 1 << 0;
inline constexpr int kFontFlagSerif = 1 << 1;
inline constexpr int kFontFlagSymbolic = 1 << 2;
inline constexpr int kFontFlagItalic = 1 << 6;
inline constexpr int kFontFlagForceBold = 1 << 18;

// EmbedState values.
inline constexpr std::uint8_t kNotEmbedded = 0;
inline constexpr std::uint8_t kEmbedded = 1;
inline constexpr std::uint8_t kEmbeddedSubset = 2;

class TvlPDFont : public TvlPDElement {
public:
  virtual ~TvlPDFont();

  // Builds the font object for a font dictionary: null when FontDict is null
  // or has no Subtype. Type1/MMType1, Type1C, Type3 and TrueType (and any
  // other subtype, as kind 0) give a simple font; Type0 a composite font.
  // Errors from parsing a ToUnicode map propagate.
  static std::unique_ptr<TvlPDFont> CreateFont(TvlPDDocument* Doc, TvlPDResource* Resource,
                                               TvlPDDictionary* FontDict,
                                               std::string_view ResourceName);

  virtual bool IsCIDFont() const { return false; }
  // 0 horizontal; the interpreter treats 1 as vertical.
  virtual int GetWritingMode() const { return 0; }

  // Decodes the code at Index (1-based) of Text, which holds one element per
  // byte of the shown string (or per 16-bit code of a composite font's hex
  // string). CodeLength receives the number of elements the code used,
  // Unicode its character (or a Symbol-font code), GlyphName the glyph name
  // where the encoding gives one (valid while the font lives), Width the
  // advance in text space units. Reserved1..3 are set to 0. Returns false
  // when the font cannot decode anything.
  virtual bool DecodeChar(const WideString& Text, int Index, int& CodeLength,
                          std::uint16_t& Unicode, std::string_view& GlyphName, double& Width,
                          double& Reserved1, double& Reserved2, double& Reserved3) const = 0;

  // Advance of a code in text space units.
  virtual double GetWidth(std::uint16_t Code) const;

  // The decoded embedded font program, loaded on the first call; null when
  // there is none or the reference is not a stream.
  const std::vector<std::uint8_t>* GetFontFileStream();

  bool IsBold() const { return FBoldByName || (FFlags & kFontFlagForceBold) != 0; }
  bool IsItalic() const { return FItalicByName || (FFlags & kFontFlagItalic) != 0; }
  bool IsSerif() const { return (FFlags & kFontFlagSerif) != 0; }
  bool IsFixedPitch() const { return (FFlags & kFontFlagFixedPitch) != 0; }
  bool IsSymbolic() const { return (FFlags & kFontFlagSymbolic) != 0; }

  const AnsiString& ResourceName() const { return FResourceName; }
  TvlFontKind FontKind() const { return FFontKind; }
  const AnsiString& BaseFont() const { return FBaseFont; }
  const AnsiString& FontName() const { return FFontName; }
  const AnsiString& EncodingName() const { return FEncodingName; }
  std::uint8_t EmbedState() const { return FEmbedState; }
  bool HasEncoding() const { return FHasEncoding; }
  bool HasDifferences() const { return FHasDifferences; }
  int Flags() const { return FFlags; }
  int MissingWidth() const { return FMissingWidth; }
  int ItalicAngle() const { return FItalicAngle; }
  double Ascent() const { return FAscent; }
  double Descent() const { return FDescent; }
  const TvlPDRect& FontBBox() const { return FFontBBox; }
  // Null for fonts that use the standard 1/1000 glyph scale (standard
  // fonts other than Type3).
  const TvlPDMatrix* FontMatrix() const { return FFontMatrix ? &*FFontMatrix : nullptr; }
  // The ToUnicode map, or null.
  const TvlPDCMapParser* ToUnicode() const { return FToUnicode.get(); }
  // True when the descriptor names an embedded program (FontFile,
  // FontFile2 or a usable FontFile3).
  bool HasFontFile() const { return FFontFileObjNum >= 0; }

  TvlPDDocument* Document() const { return FDocument; }
  TvlPDResource* Resource() const { return FResource; }
  TvlPDDictionary* Dictionary() const { return FDict; }

protected:
  TvlPDFont(TvlPDDocument* Doc, TvlPDResource* Resource, TvlPDDictionary* FontDict,
            std::string_view ResourceName, TvlFontKind Kind, std::string_view BaseFont);

  // Reads the FontDescriptor of Dict (the font, or a composite font's
  // descendant): Flags, FontName, font program and kind, EmbedState,
  // MissingWidth, Ascent, Descent, FontBBox.
  void ReadFontDescriptor(TvlPDDictionary* Dict);
  // Parses the ToUnicode stream of Dict when there is one.
  void ReadToUnicode(TvlPDDictionary* Dict);

  TvlPDResource* FResource;
  TvlPDDictionary* FDict;
  AnsiString FResourceName;
  TvlFontKind FFontKind;
  AnsiString FBaseFont;
  AnsiString FFontName;
  AnsiString FEncodingName;
  std::optional<TvlPDMatrix> FFontMatrix;
  double FAscent = 0.95;
  double FDescent = -0.35;
  TvlPDRect FFontBBox{0, 0, 0, 0};
  int FFlags = kFontFlagSerif;
  int FMissingWidth = 0;
  int FItalicAngle = 0;
  std::uint8_t FEmbedState = kNotEmbedded;
  bool FBoldByName = false;
  bool FItalicByName = false;
  bool FHasEncoding = false;
  bool FHasDifferences = false;
  // Object number of the FontFile/FontFile2/FontFile3 stream, -1 for none.
  int FFontFileObjNum = -1;
  int FFontFileGenNum = 0;
  std::unique_ptr<TvlPDCMapParser> FToUnicode;

private:
  bool FFontFileLoaded = false;
  std::unique_ptr<std::vector<std::uint8_t>> FFontFile;
};
