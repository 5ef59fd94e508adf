// Reads documents made through the writer back with LibreOffice and checks
// that nothing is lost: every text in order, list markers, columns and tab
// stops.
#include <gtest/gtest.h>

#include <functional>

#include "rtf/vlRTFDoc.h"
#include "support/OfficeText.h"

using vltest::TempDir;

namespace {

void Page(TvlRTFDoc& doc, double width, double height) {
  TvlPageSettings& p = doc.GetCurrentPageSettings();
  p.SetPaperSize(TvlPaperSize::Custom);
  p.SetWidth(width);
  p.SetHeight(height);
  p.SetLeftMargin(54);
  p.SetRightMargin(54);
  p.SetTopMargin(54);
  p.SetBottomMargin(54);
}

void Font(TvlRTFDoc& doc, const char* name, int size, TColor color = clBlack, TFontStyles style = {}) {
  TFont& f = doc.GetFont();
  f.Name = name;
  f.Size = size;
  f.Color = color;
  f.Style = style;
}

void Para(TvlRTFDoc& doc, const std::u16string& text) {
  doc.BeginParagraph("");
  doc.WriteText(text, 0, 0);
  doc.EndParagraph();
}

struct Document {
  const char* name;
  std::function<void(TvlRTFDoc&)> body;
  std::vector<std::string> texts;  // as the reader shows them, in order
};

void Lists(TvlRTFDoc& doc) {
  Font(doc, "Liberation Serif", 14, clNavy, {fsBold});
  Para(doc, u"Lists and colours");
  Font(doc, "Liberation Sans", 11);
  doc.AddNumberedList(0, taLeftJustify, 0, 1);
  Para(doc, u"Alpha item");
  Para(doc, u"Beta item");
  Para(doc, u"Gamma item");
  doc.EndList();
  doc.BeginParagraph("");
  Font(doc, "Liberation Sans", 11, clRed, {fsItalic});
  doc.WriteText(u"Rouge ", 0, 0);
  Font(doc, "Liberation Sans", 11, clBlue, {fsUnderline});
  doc.WriteText(u"Bleu", 0, 0);
  doc.EndParagraph();
  TFont bulletFont;
  bulletFont.Name = "DejaVu Sans";
  Font(doc, "Liberation Sans", 11);
  doc.AddBulletList(bulletFont, u'\u2022', taLeftJustify, 0, 1);
  Para(doc, u"First bullet");
  Para(doc, u"Second bullet");
  doc.AddNumberedList(0, taLeftJustify, 0, 5);
  Para(doc, u"Epsilon item");
  doc.SelectList(1);
  Para(doc, u"Third bullet");
  doc.SelectList(2);
  Para(doc, u"Zeta item");
  doc.EndList();
  Para(doc, u"After the lists");
}

void ColumnsAndScripts(TvlRTFDoc& doc) {
  Font(doc, "Liberation Sans", 11);
  doc.BeginSection(2, 0, {{18, 234}, {0, 234}});
  Para(doc, u"Left column words");
  doc.ColumnBreak();
  Para(doc, u"Right column words");
  doc.BeginSection(1, 0, {{0, 504}});
  doc.BeginParagraph("");
  doc.WriteText(u"Name", 0, 0);
  doc.WriteText(u"Value", 0, 144);
  doc.WriteText(u"\u0416\u0416", 0, 300);
  doc.EndParagraph();
  TvlPageSettings landscape;
  landscape.Assign(doc.GetCurrentPageSettings());
  landscape.SetOrientation(poLandscape);
  doc.SetCurrentPageSettings(landscape);
  doc.BeginPage();
  doc.SetCurrentPageSettings(landscape);
  Font(doc, "DejaVu Sans", 12);
  Para(doc, u"Ελληνικά κείμενο");
  Para(doc, u"Русский текст");
  Para(doc, u"中文字符");
  Para(doc, u"emoji \U0001F600 end");
  Para(doc, u"Ünïcödé a{b}\\c");
}

void StylesAndLists(TvlRTFDoc& doc) {
  TFont styleFont;
  styleFont.Name = "Liberation Mono";
  styleFont.Size = 10;
  doc.AddParagraphStyle(styleFont, clBlack, "Code");
  Font(doc, "Liberation Sans", 11);
  doc.BeginParagraph("Code");
  doc.WriteText(u"styled line", 0, 0);
  doc.EndParagraph();
  doc.AddNumberedList(0, taLeftJustify, 0, 1);
  Para(doc, u"Numbered with styles");
  Para(doc, u"Second with styles");
}

}  // namespace

TEST(RTFReader, LibreOfficeReadsEverything) {
  if (!vltest::HaveOffice()) GTEST_SKIP() << "soffice is not installed";
  TempDir dir;
  const Document docs[] = {
      {"lists", Lists,
       {"Lists and colours", "1.", "Alpha item", "2.", "Beta item", "3.", "Gamma item", "Rouge Bleu",
        "\xE2\x80\xA2", "First bullet", "\xE2\x80\xA2", "Second bullet", "5.", "Epsilon item",
        "\xE2\x80\xA2", "Third bullet", "6.", "Zeta item", "After the lists"}},
      {"columns", ColumnsAndScripts,
       {"Left column words", "Right column words", "Name\tValue\t\xD0\x96\xD0\x96",
        "Ελληνικά κείμενο", "Русский текст", "中文字符", "emoji \xF0\x9F\x98\x80 end",
        "Ünïcödé a{b}\\c"}},
      {"styled", StylesAndLists, {"styled line", "1.", "Numbered with styles", "2.", "Second with styles"}},
  };
  std::vector<std::string> files;
  for (const Document& d : docs) {
    TvlRTFDoc doc;
    doc.SetFileName(dir.File(std::string(d.name) + ".rtf"));
    doc.SetMeasurementUnit(muPoint);
    Page(doc, 612, 792);
    doc.GetTextFormatting().SetLineSpacing(15);
    doc.BeginDoc();
    d.body(doc);
    doc.EndDoc();
    files.push_back(doc.FileName());
  }
  const auto texts = vltest::OfficeReadText(files, dir.Path());
  for (size_t i = 0; i < files.size(); ++i) {
    ASSERT_TRUE(texts[i].has_value()) << files[i];
    const std::string& text = *texts[i];
    size_t at = 0;
    for (const std::string& want : docs[i].texts) {
      const size_t found = text.find(want, at);
      EXPECT_NE(found, std::string::npos) << docs[i].name << ": \"" << want << "\" missing after " << at
                                          << " in\n" << text;
      if (found != std::string::npos) at = found + want.size();
    }
  }

  // The laid-out document keeps the two columns, the column break and the
  // tab stops.
  const auto flat = vltest::OfficeConvert({files[1]}, "fodt", dir.Path());
  ASSERT_TRUE(flat[0].has_value());
  const std::string xml = vltest::ReadWholeFile(*flat[0]);
  EXPECT_NE(xml.find("fo:column-count=\"2\""), std::string::npos);
  EXPECT_NE(xml.find("fo:break-before=\"column\""), std::string::npos);
  EXPECT_NE(xml.find("<style:tab-stop style:position=\"2in\"/>"), std::string::npos) << xml;
  EXPECT_NE(xml.find("<style:tab-stop style:position=\"4.1665in\"/>"), std::string::npos);
}
