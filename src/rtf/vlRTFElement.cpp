#include "rtf/vlRTFElement.h"

void TvlRTFElement::RenderTo(AnsiString&) const {}

void TvlRTFElements::RenderTo(AnsiString& Text) const {
  for (const auto& item : Items) item->RenderTo(Text);
}
