#include "rtf/vlRTFDocArea.h"

#include "rtf/vlRTFControlWords.h"
#include "rtf/vlRTFUtils.h"

using namespace vl::rtf;

void TvlRTFDocArea::RenderTo(AnsiString& Text) const {
  const double t = TwipsPerPixel;
  const TvlRTFPageSetup& p = PageSettings;
  Text.append(CRLF);
  AppendTwips(Text, "\\paperw", p.Width, t);
  AppendTwips(Text, "\\paperh", p.Height, t);
  AppendTwips(Text, "\\margl", p.LeftMargin, t);
  AppendTwips(Text, "\\margr", p.RightMargin, t);
  AppendTwips(Text, "\\margt", p.TopMargin, t);
  AppendTwips(Text, "\\margb", p.BottomMargin, t);
  AppendTwips(Text, "\\headery", p.HeaderHeight, t);
  AppendTwips(Text, "\\footery", p.FooterHeight, t);
  Text.append(cw::DocAreaTail);
  for (const auto& item : Sections) {
    const TvlRTFSection& section = *item;
    AppendTwips(Text, "\\paperw", section.PageSettings.Width, section.TwipsPerPixel);
    AppendTwips(Text, "\\paperh", section.PageSettings.Height, section.TwipsPerPixel);
    section.RenderTo(Text);
  }
}
