// The document body: the document-level page setup and the sections.
#pragma once

#include "rtf/vlRTFSection.h"

class TvlRTFDocArea : public TvlRTFElement {
public:
  explicit TvlRTFDocArea(double TwipsPerPixel) : TwipsPerPixel(TwipsPerPixel) {}

  TvlRTFSection* AddSection(uint8_t Kind) {
    Sections.push_back(std::make_unique<TvlRTFSection>(Kind, TwipsPerPixel));
    return Sections.back().get();
  }

  std::vector<std::unique_ptr<TvlRTFSection>> Sections;
  TvlRTFPageSetup PageSettings;
  double TwipsPerPixel;

  void RenderTo(AnsiString& Text) const override;
};
