#include <gtest/gtest.h>

#include <functional>

#include "rtf/vlRTFHeader.h"
#include "rtf/vlRTFParagraph.h"

namespace {

constexpr double kTwipsPerPixel = 15.0;
double Pt(double points) { return points * 96.0 / 72.0; }

TvlTextItem MakeRun(std::u16string text, uint8_t style = 0, double tab = 0) {
  TvlTextItem r;
  r.FontIndex = 0;
  r.ColorIndex = 1;
  r.Size = 12;
  r.Text = std::move(text);
  r.Style = style;
  r.TabPosition = tab;
  return r;
}

}  // namespace

TEST(RTFParagraph, Render) {
  TvlRTFHeader header;
  header.FontIndex("Arial", 1);
  header.ColorIndex(0);
  header.AddList(std::make_unique<TvlRTFList>());
  header.Styles.push_back({"s11", "Body", 0, 1, 10, vlfsItalic});

  using Setup = std::function<void(TvlRTFParagraph&)>;
  struct Case {
    const char* name;
    Setup setup;
    std::string expected;
  } cases[] = {
      {"plain exact spacing", [](TvlRTFParagraph&) {},
       "{\\pard\\ql\\fi0\\li0\\ri0\\sb0\\sl-280\\slmult0\\f0\\cf1\\fs24\\b0\\i0 \\expndtw0 Hello\\par}"},
      {"indents, at-least spacing, justify",
       [](TvlRTFParagraph& p) {
         auto& f = p.Item.TextFormatting;
         f.Alignment = 3;
         f.FirstLineIndent = Pt(-18);
         f.LeftIndent = Pt(36);
         f.RightIndent = Pt(7.25);
         f.SpaceBefore = Pt(6);
         f.LineSpacing = Pt(-15);
         f.LineSpacingAtLeast = true;
         p.Item.Runs[0].CharSpacing = Pt(0.5);
       },
       "{\\pard\\qj\\fi-360\\li720\\ri145\\sb120\\sl300\\slmult0\\f0\\cf1\\fs24\\b0\\i0 \\expndtw10 "
       "Hello\\par}"},
      {"no line spacing, right and centre words",
       [](TvlRTFParagraph& p) {
         p.Item.TextFormatting.UseLineSpacing = false;
         p.Item.TextFormatting.Alignment = 1;
       },
       "{\\pard\\qr\\fi0\\li0\\ri0\\sb0\\f0\\cf1\\fs24\\b0\\i0 \\expndtw0 Hello\\par}"},
      {"unknown alignment is left",
       [](TvlRTFParagraph& p) {
         p.Item.TextFormatting.UseLineSpacing = false;
         p.Item.TextFormatting.Alignment = 9;
       },
       "{\\pard\\ql\\fi0\\li0\\ri0\\sb0\\f0\\cf1\\fs24\\b0\\i0 \\expndtw0 Hello\\par}"},
      {"borders",
       [](TvlRTFParagraph& p) {
         auto& f = p.Item.TextFormatting;
         f.UseLineSpacing = false;
         f.BorderLeft = f.BorderBottom = true;
         f.BorderSpacing = Pt(2);
       },
       "{\\pard\\ql\\fi0\\li0\\ri0\\sb0\\brdrl\\brsp40\\brdrb\\brsp40\\brdrbtw\\brsp40"
       "\\f0\\cf1\\fs24\\b0\\i0 \\expndtw0 Hello\\par}"},
      {"list item",
       [](TvlRTFParagraph& p) {
         p.Flags = vlpfListItem;
         p.ListIndex = 0;
         p.Item.TextFormatting.UseLineSpacing = false;
       },
       "{\\pard\\ls1\\ql\\fi0\\li0\\ri0\\sb0\\f0\\cf1\\fs24\\b0\\i0 \\expndtw0 Hello\\par}"},
      {"list item with unknown list",
       [](TvlRTFParagraph& p) {
         p.Flags = vlpfListItem;
         p.ListIndex = 5;
         p.Item.TextFormatting.UseLineSpacing = false;
       },
       "{\\pard\\ql\\fi0\\li0\\ri0\\sb0\\f0\\cf1\\fs24\\b0\\i0 \\expndtw0 Hello\\par}"},
      {"tab stops lead the paragraph, tabs stay with their runs",
       [](TvlRTFParagraph& p) {
         p.Item.TextFormatting.UseLineSpacing = false;
         p.Item.Runs.push_back(MakeRun(u"B", 0, 144));
         p.Item.Runs.push_back(MakeRun(u"C", 0, 300));
         p.Item.Runs.push_back(MakeRun(u"D", 0, 144));
       },
       "{\\pard\\ql\\fi0\\li0\\ri0\\sb0\\tx2160\\tx4500\\f0\\cf1\\fs24\\b0\\i0 \\expndtw0 Hello"
       "\\f0\\cf1\\fs24\\b0\\i0 \\expndtw0 \\tab B\\f0\\cf1\\fs24\\b0\\i0 \\expndtw0 \\tab C"
       "\\f0\\cf1\\fs24\\b0\\i0 \\expndtw0 \\tab D\\par}"},
      {"styles of runs end where the run ends",
       [](TvlRTFParagraph& p) {
         p.Item.TextFormatting.UseLineSpacing = false;
         p.Item.Runs[0].Style = vlfsBold | vlfsItalic | vlfsUnderline | vlfsStrikeOut;
         p.Item.Runs.push_back(MakeRun(u"x", vlfsUnderline));
         p.Item.Runs.push_back(MakeRun(u"y"));
       },
       "{\\pard\\ql\\fi0\\li0\\ri0\\sb0\\f0\\cf1\\fs24 \\b \\i \\strike \\ul \\expndtw0 Hello"
       "\\f0\\cf1\\fs24\\b0\\i0 \\ul\\strike0 \\expndtw0 x\\f0\\cf1\\fs24\\b0\\i0\\ulnone \\expndtw0 y\\par}"},
      {"paragraph style replaces the run formatting",
       [](TvlRTFParagraph& p) {
         p.StyleIndex = 0;
         p.Item.TextFormatting.UseLineSpacing = false;
       },
       "{\\pard\\ql\\fi0\\li0\\ri0\\sb0 \\s11\\f0\\cf1\\fs20\\b0 \\i \\expndtw0 Hello\\par}"},
      {"bookmark and escaped text",
       [](TvlRTFParagraph& p) {
         p.Item.TextFormatting.UseLineSpacing = false;
         p.Item.Runs[0].Text = u"{\u0416}";
         p.Item.Runs[0].IsBookmark = true;
         p.Item.Runs[0].BookmarkName = u"m\u00E9";
       },
       "{\\pard\\ql\\fi0\\li0\\ri0\\sb0\\f0\\cf1\\fs24\\b0\\i0 \\expndtw0 {\\bkmkstart m\xE9}"
       "\\{\\u1046?\\}{\\bkmkend m\xE9}\\par}"},
      {"table cell form, no bookmark words",
       [](TvlRTFParagraph& p) {
         p.Flags = vlpfInTable;
         p.Item.TextFormatting.UseLineSpacing = false;
         p.Item.Runs[0].IsBookmark = true;
         p.Item.Runs[0].BookmarkName = u"m";
       },
       "\\pard\\intbl\\ql\\fi0\\li0\\ri0\\sb0{\\f0\\cf1\\fs24\\b0\\i0 \\expndtw0 Hello"},
  };
  for (const auto& c : cases) {
    TvlRTFParagraph p(&header, kTwipsPerPixel);
    p.Item.TextFormatting.LineSpacing = Pt(14);
    p.Item.Runs.push_back(MakeRun(u"Hello"));
    c.setup(p);
    AnsiString text;
    p.Render(text);
    EXPECT_EQ(text, "\r\n" + c.expected + "\r\n") << c.name;
  }
}
