#include "rtf/vlRTFSection.h"

#include "rtf/vlRTFControlWords.h"
#include "rtf/vlRTFUtils.h"

using namespace vl::rtf;

TvlRTFSection::TvlRTFSection(uint8_t Kind, double TwipsPerPixel)
    : TwipsPerPixel(TwipsPerPixel), SectionKind(Kind) {}

TvlRTFElements& TvlRTFSection::Header() {
  if (!HeaderElements) HeaderElements = std::make_unique<TvlRTFElements>();
  return *HeaderElements;
}

TvlRTFElements& TvlRTFSection::Footer() {
  if (!FooterElements) FooterElements = std::make_unique<TvlRTFElements>();
  return *FooterElements;
}

void TvlRTFSection::RenderTo(AnsiString& Text) const {
  const double t = TwipsPerPixel;
  const TvlRTFPageSetup& p = PageSettings;
  switch (SectionKind) {
    case vlskContinuous:
      Text.append(cw::PlainSectionStart);
      break;
    case vlskColumns:
      Text.append(cw::ColumnSectionStart);
      AppendWord(Text, "\\cols", ColumnCount);
      for (size_t i = 0; i < Columns.size(); ++i) {
        AppendWord(Text, "\\colno", static_cast<int64_t>(i + 1));
        AppendTwips(Text, "\\colsr", Columns[i].Spacing, t);
        AppendTwips(Text, "\\colw", Columns[i].Width, t);
        AppendTwips(Text, "\\marglsxn", p.LeftMargin, t);
        AppendTwips(Text, "\\margrsxn", p.RightMargin, t);
      }
      break;
    default:
      Text.append(CRLF);
      Text.append(cw::PageSectionStart);
      if (p.Landscape) Text.append("\\lndscpsxn");
      Text.append("\\dntblnsbdb");
      AppendTwips(Text, "\\pgwsxn", p.Width, t);
      AppendTwips(Text, "\\pghsxn", p.Height, t);
      AppendTwips(Text, "\\marglsxn", p.LeftMargin, t);
      AppendTwips(Text, "\\margrsxn", p.RightMargin, t);
      AppendTwips(Text, "\\margtsxn", p.TopMargin, t);
      AppendTwips(Text, "\\margbsxn", p.BottomMargin, t);
      if (p.BinNumber != 0) {
        AppendWord(Text, "\\binfsxn", p.BinNumber);
        AppendWord(Text, "\\binsxn", p.BinNumber);
      }
      AppendTwips(Text, "\\headery", p.HeaderHeight, t);
      AppendTwips(Text, "\\footery", p.FooterHeight, t);
      Text.append("\\sectdefaultcl");
      Text.append(CRLF);
      break;
  }
  if (HasHeader()) {
    Text.append("{\\header");
    HeaderElements->RenderTo(Text);
    Text.push_back('}');
    Text.append(CRLF);
  }
  Body.RenderTo(Text);
  if (HasFooter()) {
    Text.append("{\\footer");
    FooterElements->RenderTo(Text);
    Text.push_back('}');
    Text.append(CRLF);
  }
  Text.append(cw::SectionEnd);
  Text.append(CRLF);
  Text.push_back('}');
}
