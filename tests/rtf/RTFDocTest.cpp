#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <limits>

#include "RTFTestSupport.h"
#include "rtf/vlRTFDoc.h"
#include "support/OfficeText.h"

using rtftest::MaskIds;
using vltest::ReadWholeFile;
using vltest::TempDir;

namespace {

// A Letter page with one-inch margins, lengths in points.
void LetterPage(TvlRTFDoc& doc) {
  doc.SetMeasurementUnit(muPoint);
  TvlPageSettings& p = doc.GetCurrentPageSettings();
  p.SetPaperSize(TvlPaperSize::Custom);
  p.SetWidth(612);
  p.SetHeight(792);
  p.SetLeftMargin(72);
  p.SetRightMargin(72);
  p.SetTopMargin(72);
  p.SetBottomMargin(72);
}

void UseFont(TvlRTFDoc& doc, const char* name, int size, TColor color = clBlack, TFontStyles style = {}) {
  TFont& f = doc.GetFont();
  f.Name = name;
  f.Size = size;
  f.Color = color;
  f.Style = style;
  f.Charset = DEFAULT_CHARSET;
}

void Para(TvlRTFDoc& doc, const std::u16string& text, double tab = 0) {
  doc.BeginParagraph("");
  doc.WriteText(text, 0, tab);
  doc.EndParagraph();
}

}  // namespace

TEST(RTFDoc, WholeFileBytes) {
  TempDir dir;
  const std::string path = dir.File("doc.rtf");
  TvlRTFDoc doc;
  doc.SetFileName(path);
  LetterPage(doc);
  doc.BeginDoc();
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(std::filesystem::file_size(path), 0u);  // nothing is written before the end
  UseFont(doc, "Arial", 12);
  doc.GetTextFormatting().SetLineSpacing(14);
  doc.BeginSection(2, 0, {{20, 200}, {0, 268}});
  Para(doc, u"Hello");
  doc.ColumnBreak();
  UseFont(doc, "Symbol", 10, clRed, {fsBold});
  doc.GetFont().Charset = SYMBOL_CHARSET;
  doc.AddNumberedList(0, taLeftJustify, 0, 1);
  Para(doc, u"a{b}\\c\u0416");
  doc.EndList();
  doc.EndDoc();

  std::string expected =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab0\r\n\r\n"
      "{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}\r\n\r\n"
      "{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\r\n"
      "\r\n{\\*\\listtable{\\list\\listtemplateid#\\listhybrid";
  for (int level = 0; level <= 8; ++level)
    expected += "{\\listlevel\\levelnfc0\\levelnfcn0\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1"
                "{\\leveltext\\leveltemplateid#\\'02\\'0" + std::to_string(level) +
                ".;}{\\levelnumbers\\'01;}"
                "\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\fbias0\\hres0\\chhres0 \\fi-360\\li720\\lin720}\r\n";
  expected +=
      "{\\listname ;}\\listid#}\r\n"
      "{\\*\\listoverridetable{\\listoverride\\listid#\\listoverridecount0\\ls1}}}\r\n"
      "\r\n\\paperw12240\\paperh15840\\margl1440\\margr1440\\margt1440\\margb1440\\headery0\\footery0"
      "\\nouicompat\\lnbrkrule"
      "\\paperw12240\\paperh15840\r\n"
      " \\sectd{\\dntblnsbdb\\pgwsxn12240\\pghsxn15840\\marglsxn1440\\margrsxn1440\\margtsxn1440"
      "\\margbsxn1440\\headery0\\footery0\\sectdefaultcl\r\n\\sect\r\n}"
      "\\paperw12240\\paperh15840"
      "\\sectd\\sbknone{\\cols2\\colno1\\colsr400\\colw4000\\marglsxn1440\\margrsxn1440"
      "\\colno2\\colsr0\\colw5360\\marglsxn1440\\margrsxn1440"
      "\r\n{\\pard\\ql\\fi0\\li0\\ri0\\sb0\\sl-280\\slmult0\\f0\\cf1\\fs24\\b0\\i0 \\expndtw0 Hello\\par}\r\n"
      "\\column \r\n"
      "\r\n{\\pard\\ls1\\ql\\fi0\\li0\\ri0\\sb0\\sl-280\\slmult0\\f1\\cf2\\fs20 \\b\\i0 \\expndtw0 "
      "a\\{b\\}\\\\c\\u1046?\\par}\r\n"
      "\\sect\r\n}}";
  EXPECT_EQ(MaskIds(ReadWholeFile(path)), expected);
}

TEST(RTFDoc, Units) {
  // A length reaches the file as points × 20 whatever unit it was given in.
  struct Case {
    TvlMeasurementUnit unit;
    double value;
    const char* word;
  } cases[] = {
      {muPoint, 72, "\\li1440"},
      {muInch, 1, "\\li1440"},
      {muTwip, 1440, "\\li1440"},
      {muPixel, 96, "\\li1440"},
      {muMillimetre, 10, "\\li567"},
      {static_cast<TvlMeasurementUnit>(7), 96, "\\li1440"},  // unknown units count as pixels
  };
  for (const auto& c : cases) {
    TvlRTFDoc doc;
    doc.SetMeasurementUnit(c.unit);
    doc.GetTextFormatting().SetLeftIndent(c.value);
    doc.BeginParagraph("");
    AnsiString text;
    doc.CurrentParagraph()->Render(text);
    EXPECT_NE(text.find(std::string(c.word) + "\\ri"), std::string::npos) << c.unit << text;
  }
}

TEST(RTFDoc, BeginDocFailsWithSystemReasonAndWritesNothing) {
  TempDir dir;
  const std::string plainFile = dir.File("plain");
  { std::FILE* f = std::fopen(plainFile.c_str(), "w"); std::fclose(f); }
  struct Case {
    std::string path;
    std::string reason;
  } cases[] = {
      {dir.File("missing/out.rtf"), std::strerror(ENOENT)},
      {plainFile + "/out.rtf", std::strerror(ENOTDIR)},
      {dir.Path(), std::strerror(EISDIR)},
  };
  for (const auto& c : cases) {
    TvlRTFDoc doc;
    doc.SetFileName(c.path);
    try {
      doc.BeginDoc();
      ADD_FAILURE() << c.path;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Cannot create file \"" + c.path + "\". " + c.reason);
    }
    EXPECT_FALSE(doc.DocumentOpen());
    doc.EndDoc();  // nothing to write: no file appears
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path()));
  EXPECT_EQ(std::filesystem::file_size(plainFile), 0u);
}

TEST(RTFDoc, ReplacesExistingFile) {
  TempDir dir;
  const std::string path = dir.File("out.rtf");
  { std::FILE* f = std::fopen(path.c_str(), "w"); std::fputs(std::string(5000, 'x').c_str(), f); std::fclose(f); }
  TvlRTFDoc doc;
  doc.SetFileName(path);
  doc.BeginDoc();
  doc.EndDoc();
  doc.EndDoc();  // a second end writes nothing more
  const std::string text = ReadWholeFile(path);
  EXPECT_EQ(text.rfind("{\\rtf1", 0), 0u);
  EXPECT_EQ(text.find("xxxx"), std::string::npos);
  EXPECT_EQ(text.back(), '}');
}

TEST(RTFDoc, PagesSectionsAndPageSettings) {
  TempDir dir;
  TvlRTFDoc doc;
  doc.SetFileName(dir.File("p.rtf"));
  LetterPage(doc);
  doc.BeginDoc();
  EXPECT_EQ(doc.CurrentPage(), 1);
  TvlRTFSection* first = doc.CurrentSection();
  UseFont(doc, "Arial", 12);
  doc.AddNumberedList(0, taLeftJustify, 0, 1);
  EXPECT_TRUE(doc.ListActive());
  EXPECT_EQ(doc.BeginPage(), 0);
  EXPECT_FALSE(doc.ListActive());  // a page ends list membership
  EXPECT_EQ(doc.PageCount(), 2);
  EXPECT_NE(doc.CurrentSection(), first);
  EXPECT_EQ(doc.CurrentSection()->SectionKind, vlskPage);
  EXPECT_EQ(doc.Target(), &doc.CurrentSection()->Body);
  TvlPageSettings landscape;
  landscape.Assign(doc.GetCurrentPageSettings());
  landscape.SetOrientation(poLandscape);
  doc.SetCurrentPageSettings(landscape);
  EXPECT_TRUE(doc.CurrentSection()->PageSettings.Landscape);
  EXPECT_DOUBLE_EQ(doc.CurrentSection()->PageSettings.Width, 792 * PixelsPerPoint);
  EXPECT_FALSE(first->PageSettings.Landscape);
  doc.BeginPlainSection();
  EXPECT_EQ(doc.CurrentSection()->SectionKind, vlskContinuous);
  doc.BeginHeader();
  Para(doc, u"head");
  doc.EndHeader();
  doc.BeginFooter();
  Para(doc, u"foot");
  doc.EndFooter();
  Para(doc, u"body");
  EXPECT_EQ(doc.CurrentSection()->Header().Count(), 1);
  EXPECT_EQ(doc.CurrentSection()->Footer().Count(), 1);
  EXPECT_EQ(doc.CurrentSection()->Body.Count(), 1);
  doc.EndDoc();
  const std::string text = ReadWholeFile(dir.File("p.rtf"));
  EXPECT_NE(text.find("\\lndscpsxn\\dntblnsbdb\\pgwsxn15840\\pghsxn12240"), std::string::npos);
  EXPECT_LT(text.find("{\\header"), text.find("body"));
  EXPECT_LT(text.find("body"), text.find("{\\footer"));
}

TEST(RTFDoc, ParagraphsAndRuns) {
  TvlRTFDoc doc;
  TempDir dir;
  doc.SetFileName(dir.File("r.rtf"));
  LetterPage(doc);
  doc.WriteText(u"dropped", 0, 0);  // no document, no paragraph
  doc.BeginDoc();
  doc.WriteText(u"dropped", 0, 0);  // no paragraph yet
  UseFont(doc, "Arial", 12);
  doc.BeginParagraph("");
  doc.WriteText(u"one", 0.5, 0);
  doc.WriteText(u"two", 0, 108);
  // A paragraph begun while another is open ends the first one.
  doc.BeginParagraph("");
  doc.WriteText(u"three", 0, 0);
  doc.EndParagraph();
  doc.WriteText(u"four", 0, 0);  // after the end: still the last paragraph's run
  doc.EndParagraph();
  ASSERT_EQ(doc.Target()->Count(), 2);
  const auto* p0 = static_cast<const TvlRTFParagraph*>((*doc.Target())[0]);
  ASSERT_EQ(p0->Item.Runs.size(), 2u);
  EXPECT_DOUBLE_EQ(p0->Item.Runs[0].CharSpacing, 0.5 * PixelsPerPoint);
  EXPECT_DOUBLE_EQ(p0->Item.Runs[1].TabPosition, 108 * PixelsPerPoint);
  EXPECT_EQ(static_cast<const TvlRTFParagraph*>((*doc.Target())[1])->Item.Runs.size(), 2u);
  doc.EndDoc();
  const std::string text = ReadWholeFile(dir.File("r.rtf"));
  EXPECT_NE(text.find("\\tx2160\\f0\\cf1\\fs24\\b0\\i0 \\expndtw10 one\\f0\\cf1\\fs24\\b0\\i0 \\expndtw0 \\tab two"),
            std::string::npos);
  EXPECT_EQ(text.find("dropped"), std::string::npos);
  EXPECT_LT(text.find("three"), text.find("four"));
}

TEST(RTFDoc, ListsAndStyles) {
  TempDir dir;
  {
    TvlRTFDoc doc;
    doc.SetFileName(dir.File("l.rtf"));
    LetterPage(doc);
    doc.BeginDoc();
    UseFont(doc, "Arial", 12);
    TFont symbol;
    symbol.Name = "Symbol";
    symbol.Charset = SYMBOL_CHARSET;
    EXPECT_EQ(doc.AddNumberedList(0, taRightJustify, 1, 4), 0);
    EXPECT_EQ(doc.AddBulletList(symbol, u'\uF0B7', taCenter, 2, 1), 1);
    EXPECT_EQ(doc.ListIndex(), 1);
    Para(doc, u"bullet");
    doc.SelectList(0);
    Para(doc, u"numbered");
    doc.EndList();
    Para(doc, u"plain");
    TFont styleFont;
    styleFont.Name = "Courier New";
    styleFont.Size = 9;
    EXPECT_EQ(doc.AddParagraphStyle(styleFont, clBlue, "Code"), 0);
    EXPECT_EQ(doc.AddParagraphStyle(styleFont, clBlue, "Code"), 0);
    doc.BeginParagraph("Code");
    doc.WriteText(u"styled", 0, 0);
    doc.EndParagraph();
    doc.BeginParagraph("Unknown");
    doc.WriteText(u"unstyled", 0, 0);
    doc.EndParagraph();
    doc.EndDoc();
  }
  const std::string text = MaskIds(ReadWholeFile(dir.File("l.rtf")));
  EXPECT_NE(text.find("{\\fonttbl{\\f0\\fcharset2 Symbol;}{\\f1 Arial;}{\\f2 Courier New;}}"), std::string::npos);
  EXPECT_NE(text.find("\\levelnfc23\\levelnfcn23\\leveljc1\\leveljcn1\\levelfollow2\\levelstartat1"
                      "{\\leveltext\\leveltemplateid#\\'01\\u-3913?;}{\\levelnumbers;}\\f0\\rtlch"),
            std::string::npos);
  EXPECT_NE(text.find("\\leveljc2\\leveljcn2\\levelfollow1\\levelstartat4"), std::string::npos);
  EXPECT_NE(text.find("{\\pard\\ls2\\ql"), std::string::npos);
  EXPECT_NE(text.find("{\\pard\\ls1\\ql"), std::string::npos);
  EXPECT_NE(text.find("{\\pard\\ql\\fi0\\li0\\ri0\\sb0\\sl-2\\slmult0\\f1\\cf1\\fs24\\b0\\i0 \\expndtw0 plain"),
            std::string::npos);
  EXPECT_NE(text.find("{\\stylesheet{\\s11 \\ql"), std::string::npos);
  EXPECT_NE(text.find("\\ltrch\\fcs0 \\f2\\cf2\\fs18\\b0\\i0\\lang1033"), std::string::npos);
  EXPECT_NE(text.find(" \\s11\\f2\\cf2\\fs18\\b0\\i0 \\expndtw0 styled"), std::string::npos);
  EXPECT_NE(text.find("\\slmult0\\f1\\cf1\\fs24\\b0\\i0 \\expndtw0 unstyled"), std::string::npos);
}

TEST(RTFDoc, EngineStates) {
  TvlRTFDoc doc;
  EXPECT_EQ(doc.SaveEngineState(), -1);  // only while the document is open
  TempDir dir;
  doc.SetFileName(dir.File("e.rtf"));
  doc.BeginDoc();
  UseFont(doc, "Arial", 12);
  doc.GetTextFormatting().SetLeftIndent(5);
  doc.TextEffects().TextRise = trSuperscript;
  doc.GetCurrentPageSettings().SetWidth(100);
  EXPECT_EQ(doc.SaveEngineState(), 0);
  UseFont(doc, "Times", 20);
  EXPECT_EQ(doc.SaveEngineState(), 1);
  doc.GetTextFormatting().SetLeftIndent(9);
  doc.TextEffects().TextRise = trNormal;
  doc.GetCurrentPageSettings().SetWidth(300);
  doc.RestoreEngineState(0);
  EXPECT_EQ(doc.GetFont().Name, "Arial");
  EXPECT_EQ(doc.GetTextFormatting().LeftIndent(), 5);
  EXPECT_EQ(doc.TextEffects().TextRise, trSuperscript);
  EXPECT_EQ(doc.GetCurrentPageSettings().Width(), 100);
  doc.RestoreEngineState(-1);
  EXPECT_EQ(doc.GetFont().Name, "Times");
  for (int bad : {2, -2, 99}) {
    try {
      doc.RestoreEngineState(bad);
      ADD_FAILURE() << bad;
    } catch (const EInvalidEngineState& e) {
      EXPECT_EQ(e.Message(), "Not a valid Engine State identifier");
    }
  }
  doc.ClearEngineStates();
  EXPECT_EQ(doc.EngineStateCount(), 0);
  EXPECT_THROW(doc.RestoreEngineState(-1), EInvalidEngineState);
  doc.SaveEngineState();
  doc.EndDoc();
  EXPECT_EQ(doc.EngineStateCount(), 0);
}

TEST(RTFDoc, OutOfOrderAndHostileCallsStayWellFormed) {
  TempDir dir;
  TvlRTFDoc doc;
  doc.EndParagraph();
  doc.ColumnBreak();
  doc.RestoreEngineState(5);  // not open: ignored
  doc.ClearEngineStates();
  doc.EndDoc();               // never begun: nothing happens
  doc.SetFileName(dir.File("h.rtf"));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  doc.GetCurrentPageSettings().SetWidth(nan);
  doc.GetCurrentPageSettings().SetHeight(1e300);
  doc.BeginDoc();
  doc.GetFont().Name = "Odd}{\\Name";
  doc.GetTextFormatting().SetLeftIndent(-1e300);
  doc.GetTextFormatting().SetLineSpacing(nan);
  doc.BeginSection(-3, 0, {{nan, -1e300}});
  doc.SelectList(999);  // no such list: paragraphs are plain
  doc.BeginParagraph("");
  doc.WriteText(u"}{\\", nan, 1e300);
  doc.WriteText(std::u16string(3, static_cast<char16_t>(0xDC00)), 0, -5);
  doc.EndParagraph();
  doc.EndParagraph();
  doc.SelectList(-1);
  doc.BeginParagraph("");  // never ended: kept at the end
  doc.WriteText(u"last", 0, 0);
  doc.EndDoc();
  const std::string text = ReadWholeFile(dir.File("h.rtf"));
  int depth = 0, lowest = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;  // an escaped character is text
      continue;
    }
    if (text[i] == '{') ++depth;
    if (text[i] == '}') lowest = std::min(lowest, --depth);
  }
  EXPECT_EQ(depth, 0);
  EXPECT_EQ(lowest, 0);
  EXPECT_EQ(text.find("\\ls"), std::string::npos);
  EXPECT_NE(text.find("\\pgwsxn0\\pghsxn2147483647"), std::string::npos);
  EXPECT_NE(text.find("last\\par}"), std::string::npos);
}
