// The document header: font, colour, style and list tables.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "rtf/vlRTFElement.h"

// Font style bits as the runs and styles carry them.
enum : uint8_t { vlfsBold = 1, vlfsItalic = 2, vlfsUnderline = 4, vlfsStrikeOut = 8 };

// Character set value meaning "no particular character set".
inline constexpr int vlDefaultCharset = 1;

// Appends "\f<font>\cf<colour>\fs<2×size>" and the bold, italic, strike-out
// and underline words: the character formatting of runs and styles.
void AppendFontFormatting(AnsiString& Text, int FontIndex, int ColorIndex, int Size, uint8_t Style);

struct TvlRTFFontEntry {
  AnsiString Name;
  int Charset = vlDefaultCharset;
};

struct TvlRTFColorEntry {
  int32_t Color = 0;  // the colour value as registered (its identity)
  int32_t RGB = 0;    // its red, green and blue bytes (0x00BBGGRR)
};

// A paragraph style as written to the style sheet.
struct TvlRTFStyle {
  AnsiString Keyword;  // "s11", "s12", ...
  AnsiString Name;
  int FontIndex = 0;
  int ColorIndex = 0;
  int Size = 12;
  uint8_t Style = 0;
};

// Identifiers for lists and styles come from one generator seeded from the
// clock, so two conversions of the same input differ only in these numbers.
class TvlRTFRandom {
public:
  TvlRTFRandom();
  // A number in 0 .. Range-1.
  int Next(int Range);

private:
  std::mt19937 Engine;
};

class TvlRTFList : public TvlRTFElement {
public:
  int StartAt = 1;
  AnsiString Name;           // "ls" + 1-based number
  uint8_t Follow = 0;        // level-follow value
  uint8_t NumberFormat = 0;  // level number format; 23 is a bullet
  uint8_t Alignment = 0;     // 0 left, 1 right, 2 centre
  WideChar Bullet = 0;
  int BulletFont = 0;
  bool IsBullet = false;     // made by the bullet form of registration

  // Appends the list-table entry with the given list identifier; the other
  // identifiers are drawn from Random.
  void RenderEntry(AnsiString& Text, TvlRTFRandom& Random, int ListId) const;
  // Appends the override that binds Name to ListId.
  void RenderOverride(AnsiString& Text, int ListId) const;
  void RenderTo(AnsiString& Text) const override;
};

class TvlRTFHeader : public TvlRTFElement {
public:
  // The system ANSI code page written into the header and used to choose
  // the fonts' character set words.
  int CodePage = 1252;
  std::vector<TvlRTFFontEntry> Fonts;
  std::vector<TvlRTFColorEntry> Colors;
  std::vector<std::unique_ptr<TvlRTFList>> Lists;
  std::vector<TvlRTFStyle> Styles;

  // Index of the font with this exact name and character set, appended
  // when missing; the index is the RTF font number.
  int FontIndex(const AnsiString& Name, int Charset);
  // Colour number (1-based; 0 is the automatic colour) of Color, appended
  // with RGB as its table value when missing.
  int ColorIndex(int32_t Color, int32_t RGB);
  // The same for a plain RGB value.
  int ColorIndex(int32_t Color) { return ColorIndex(Color, Color & 0xFFFFFF); }

  // Appends a list named "ls" + its number and returns its index.
  int AddList(std::unique_ptr<TvlRTFList> List);
  const TvlRTFList* ListAt(int Index) const;

  // RTF character set value for a font entry on CodePage.
  static int CharsetForCodePage(int CodePage);

  void RenderTo(AnsiString& Text) const override;

  mutable TvlRTFRandom Random;

private:
  void RenderLists(AnsiString& Text) const;
  std::unordered_map<std::string, int> FontLookup;
  // Runs mostly repeat the previous run's font: checked before the table.
  int LastFont = -1;
  std::unordered_map<int32_t, int> ColorLookup;
};
