// Continues the text in the next column of a column section.
#pragma once

#include "rtf/vlRTFElement.h"

class TvlRTFColumnBreak : public TvlRTFElement {
public:
  void RenderTo(AnsiString& Text) const override;
};
