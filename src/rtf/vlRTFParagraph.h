// Paragraphs and their text runs.
#pragma once

#include <cstdint>
#include <vector>

#include "rtf/vlRTFElement.h"

class TvlRTFHeader;

// One run of text in one font.
struct TvlTextItem {
  int FontIndex = 0;   // RTF font number
  int ColorIndex = 0;  // RTF colour number
  WideString Text;
  uint8_t Style = 0;   // bold 1, italic 2, underline 4, strike-out 8
  int Size = 12;       // points
  int Charset = 1;
  double CharSpacing = 0;  // pixels
  double TabPosition = 0;  // pixels; > 0 puts a tab stop there and a tab before the run
  bool IsBookmark = false;
  WideString BookmarkName;
};

// Paragraph formatting as the paragraph was begun, lengths in pixels.
struct TvlRTFParaFormat {
  double SpaceBefore = 0;
  double LeftIndent = 0;
  double RightIndent = 0;
  double FirstLineIndent = 0;
  double LineSpacing = 0.1;
  uint8_t Alignment = 0;  // 0 left, 1 right, 2 centre, 3 justify
  bool UseLineSpacing = true;
  bool LineSpacingAtLeast = false;
  bool BorderLeft = false, BorderRight = false, BorderTop = false, BorderBottom = false;
  double BorderSpacing = 0;
};

struct TvlParagraphItem {
  TvlRTFParaFormat TextFormatting;
  std::vector<TvlTextItem> Runs;
};

enum : uint8_t { vlpfInTable = 2, vlpfListItem = 4 };

class TvlRTFParagraph : public TvlRTFElement {
public:
  TvlRTFParagraph(const TvlRTFHeader* Header, double TwipsPerPixel)
      : TwipsPerPixel(TwipsPerPixel), Header(Header) {}

  TvlParagraphItem Item;
  double TwipsPerPixel;
  uint8_t Flags = 0;
  const TvlRTFHeader* Header;
  int StyleIndex = -1;
  int ListIndex = -1;

  void RenderTo(AnsiString& Text) const override;

private:
  void RenderParagraph(AnsiString& Text) const;
};
