// Sections of the document body: one page section per page and the
// continuous column sections that carry its text.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "rtf/vlRTFElement.h"

// A section's page setup, every length in pixels.
struct TvlRTFPageSetup {
  double Width = 0, Height = 0;
  double LeftMargin = 0, RightMargin = 0, TopMargin = 0, BottomMargin = 0;
  double HeaderHeight = 0, FooterHeight = 0;
  bool Landscape = false;
  int BinNumber = 0;
};

// One column of a column section: the space after it and its width, pixels.
struct TvlRTFColumn {
  double Spacing = 0;
  double Width = 0;
};

enum : uint8_t { vlskContinuous = 0, vlskPage = 1, vlskColumns = 2 };

class TvlRTFSection : public TvlRTFElement {
public:
  explicit TvlRTFSection(uint8_t Kind, double TwipsPerPixel);

  // Page header and footer lists, created on first use.
  TvlRTFElements& Header();
  TvlRTFElements& Footer();
  bool HasHeader() const { return HeaderElements && HeaderElements->Count() > 0; }
  bool HasFooter() const { return FooterElements && FooterElements->Count() > 0; }

  std::unique_ptr<TvlRTFElements> HeaderElements;
  TvlRTFElements Body;
  std::unique_ptr<TvlRTFElements> FooterElements;
  TvlRTFPageSetup PageSettings;
  double TwipsPerPixel;
  std::vector<TvlRTFColumn> Columns;
  int ColumnCount = 1;
  int Reserved = 0;
  uint8_t SectionKind;

  void RenderTo(AnsiString& Text) const override;
};
