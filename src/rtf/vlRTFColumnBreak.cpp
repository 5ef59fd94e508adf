#include "rtf/vlRTFColumnBreak.h"

#include "rtf/vlRTFControlWords.h"
#include "rtf/vlRTFUtils.h"

void TvlRTFColumnBreak::RenderTo(AnsiString& Text) const {
  Text.append(vl::rtf::cw::ColumnBreak);
  Text.append(vl::rtf::CRLF);
}
