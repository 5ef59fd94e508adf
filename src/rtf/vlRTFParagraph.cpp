#include "rtf/vlRTFParagraph.h"

#include <algorithm>
#include <cmath>

#include "rtf/vlRTFHeader.h"
#include "rtf/vlRTFUtils.h"

using namespace vl::rtf;

void TvlRTFParagraph::RenderTo(AnsiString& Text) const {
  const size_t start = Text.size();
  try {
    RenderParagraph(Text);
  } catch (...) {
    // A paragraph that cannot be rendered is left out, not the document.
    Text.resize(start);
  }
}

void TvlRTFParagraph::RenderParagraph(AnsiString& Text) const {
  const double t = TwipsPerPixel;
  const TvlRTFParaFormat& f = Item.TextFormatting;
  const bool inTable = (Flags & vlpfInTable) != 0;
  const TvlRTFStyle* style = nullptr;
  if (Header && StyleIndex >= 0 && StyleIndex < static_cast<int>(Header->Styles.size()))
    style = &Header->Styles[static_cast<size_t>(StyleIndex)];

  Text.append(CRLF);
  Text.append(inTable ? "\\pard\\intbl" : "{\\pard");
  if ((Flags & vlpfListItem) && Header) {
    if (const TvlRTFList* list = Header->ListAt(ListIndex)) {
      Text.push_back('\\');
      Text.append(list->Name);
    }
  }
  switch (f.Alignment) {
    case 1: Text.append("\\qr"); break;
    case 2: Text.append("\\qc"); break;
    case 3: Text.append("\\qj"); break;
    default: Text.append("\\ql"); break;
  }
  AppendTwips(Text, "\\fi", f.FirstLineIndent, t);
  AppendTwips(Text, "\\li", f.LeftIndent, t);
  AppendTwips(Text, "\\ri", f.RightIndent, t);
  AppendTwips(Text, "\\sb", f.SpaceBefore, t);
  if (f.UseLineSpacing) {
    Text.append("\\sl");
    if (!f.LineSpacingAtLeast) Text.push_back('-');
    AppendInt(Text, Twips(std::fabs(f.LineSpacing), t));
    Text.append("\\slmult0");
  }
  if (f.BorderLeft || f.BorderRight || f.BorderTop || f.BorderBottom) {
    AnsiString spacing = "\\brsp";
    AppendInt(spacing, Twips(f.BorderSpacing, t));
    if (f.BorderLeft) Text.append("\\brdrl").append(spacing);
    if (f.BorderRight) Text.append("\\brdrr").append(spacing);
    if (f.BorderTop) Text.append("\\brdrt").append(spacing);
    if (f.BorderBottom) Text.append("\\brdrb").append(spacing);
    if (f.BorderTop || f.BorderBottom) Text.append("\\brdrbtw").append(spacing);
  }
  // Tab stops belong to the paragraph's properties, ahead of its text:
  // readers ignore stops defined after text has started.
  std::vector<int64_t> stops;
  for (const TvlTextItem& run : Item.Runs) {
    if (run.TabPosition <= 0) continue;
    const int64_t stop = Twips(run.TabPosition, t);
    if (std::find(stops.begin(), stops.end(), stop) != stops.end()) continue;
    stops.push_back(stop);
    AppendWord(Text, "\\tx", stop);
  }
  if (inTable) Text.push_back('{');

  uint8_t previous = 0;
  for (const TvlTextItem& run : Item.Runs) {
    uint8_t current;
    if (style) {
      Text.append(" \\");
      Text.append(style->Keyword);
      AppendFontFormatting(Text, style->FontIndex, style->ColorIndex, style->Size, style->Style);
      current = style->Style;
    } else {
      AppendFontFormatting(Text, run.FontIndex, run.ColorIndex, run.Size, run.Style);
      current = run.Style;
    }
    // Strike-out and underline have no "off" word in the run formatting;
    // end them explicitly so they do not run on into the following runs.
    if ((previous & vlfsStrikeOut) && !(current & vlfsStrikeOut)) Text.append("\\strike0");
    if ((previous & vlfsUnderline) && !(current & vlfsUnderline)) Text.append("\\ulnone");
    previous = current;
    Text.push_back(' ');
    AppendTwips(Text, "\\expndtw", run.CharSpacing, t);
    Text.push_back(' ');
    if (run.TabPosition > 0) Text.append("\\tab ");
    const bool bookmark = run.IsBookmark && !inTable;
    if (bookmark) {
      Text.append("{\\bkmkstart ");
      AppendEncodedText(Text, run.BookmarkName);
      Text.push_back('}');
    }
    AppendEncodedText(Text, run.Text);
    if (bookmark) {
      Text.append("{\\bkmkend ");
      AppendEncodedText(Text, run.BookmarkName);
      Text.push_back('}');
    }
  }
  if (!inTable) Text.append("\\par}");
  Text.append(CRLF);
}
