// Simple (single-byte) fonts: Type1, MMType1, Type1C, Type3, TrueType.
// Everything a code needs (glyph name, character, width) is resolved into
// 256-entry tables when the font is built, so decoding is a table lookup.
#pragma once

#include <array>
#include <string>

#include "pdf/fonts/PDFont.h"

class TvlBuiltInFont;

class TvlPD8bitFont : public TvlPDFont {
public:
  TvlPD8bitFont(TvlPDDocument* Doc, TvlFontKind Kind, std::string_view BaseFont,
                std::string_view ResourceName, TvlPDDictionary* FontDict, TvlPDResource* Resource);
  ~TvlPD8bitFont() override;

  bool DecodeChar(const WideString& Text, int Index, int& CodeLength, std::uint16_t& Unicode,
                  std::string_view& GlyphName, double& Width, double& Reserved1, double& Reserved2,
                  double& Reserved3) const override;
  double GetWidth(std::uint16_t Code) const override;

  // Glyph name of a code after the base encoding and Differences; empty
  // when the code has none (or is outside 0..255).
  void GetGlyphName(int Code, std::string& Name) const;
  std::string_view GlyphName(int Code) const;

  int FirstChar() const { return FFirstChar; }
  int LastChar() const { return FLastChar; }

private:
  void ReadEncoding(const TvlBuiltInFont* BuiltIn);
  void ReadWidths(const TvlBuiltInFont* BuiltIn);
  void BuildDecodeTable();

  std::array<std::string, 256> FGlyphNames;
  std::array<double, 256> FWidths{};
  // What DecodeChar answers per code.
  std::array<std::uint16_t, 256> FUnicode{};
  std::array<bool, 256> FReportsGlyphName{};
  int FFirstChar = 0;
  int FLastChar = 0;
};
