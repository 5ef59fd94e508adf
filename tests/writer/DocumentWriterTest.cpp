#include "writer/vlDocumentWriter.h"

#include <gtest/gtest.h>

namespace {
// Overrides only what a minimal writer needs.
class GlyphSink : public TvlDocumentWriter {
public:
  void TextOut(const TFont&, const TvlDoubleRect&, double, double, double, bool, bool, WideChar Ch, double) override {
    text.push_back(Ch);
  }
  void EndPage() override { ++pages; }
  WideString text;
  int pages = 0;
};
}  // namespace

TEST(DocumentWriter, DefaultsOfEveryOperation) {
  GlyphSink w;
  TvlDocumentWriter& d = w;
  TFont f;
  TBitmap bmp(2, 2);
  d.BeginDoc();
  EXPECT_EQ(d.BeginPage(), 0);
  d.BeginSection(2, 40, {{10, 100}, {0, 100}});
  d.BeginPlainSection();
  d.ColumnBreak();
  d.TextOut(f, {}, 1, 2, 3, false, false, u'A', 0);
  d.BeginParagraph("");
  d.BeginCellParagraph(0, "");
  d.EndParagraph();
  d.BeginTextBox({}, 2, vaCenter);
  d.EndTextBox();
  EXPECT_EQ(d.AddParagraphStyle(f, clBlack, "x"), -1);
  EXPECT_EQ(d.AddNumberedList(0, taLeftJustify, 0, 1), -1);
  EXPECT_EQ(d.AddBulletList(f, u'*', taLeftJustify, 0, 1), -1);
  d.SelectList(0);
  d.EndList();
  d.WriteCellText(0, u"x");
  EXPECT_EQ(d.WriteText(u"x", 0, 0), 0);
  EXPECT_EQ(d.WriteBookmarkedText(u"x", u"b", 0, 0, 0), 0);
  EXPECT_EQ(d.AddImage(&bmp), -1);
  EXPECT_EQ(d.AddImage(nullptr), -1);
  d.DrawImageAt(&bmp, 0, 0);
  d.DrawImage({}, &bmp);
  d.DrawImageIndex({}, 0);
  d.Line(0, 0, 1, 1);
  d.Rectangle(true, 0, 0, 1, 1);
  d.RoundRect(true, 0, 0, 1, 1, 2, 2);
  d.Ellipse(false, 0, 0, 1, 1);
  d.Polygon({{0, 0}, {1, 1}}, true);
  d.PolyLine({{0, 0}});
  d.Arc(0, 0, 1, 1, 2, 2, 3, 3);
  d.Pie(true, 0, 0, 1, 1, 2, 2, 3, 3);
  d.Chord(true, 0, 0, 1, 1, 2, 2, 3, 3);
  d.PolyBezier({});
  EXPECT_EQ(d.BeginTable(3, 0, 100), 0);
  EXPECT_EQ(d.NewRow(10), -1);
  EXPECT_EQ(d.NewAutoRow(), -1);
  d.SetCellShading(0, 1);
  d.SetCellRight(0, 1);
  d.EndTable();
  d.BeginHeader();
  d.EndHeader();
  d.BeginFooter();
  d.EndFooter();
  EXPECT_EQ(d.SaveEngineState(), -1);
  d.RestoreEngineState(-1);
  d.ClearEngineStates();
  d.EndPage();
  d.EndDoc();
  EXPECT_EQ(w.text, u"A");
  EXPECT_EQ(w.pages, 1);
}

TEST(DocumentWriter, StateIsCopiedAndUnitsApply) {
  TvlDocumentWriter w;
  EXPECT_EQ(w.GetMeasurementUnit(), muPixel);
  EXPECT_EQ(w.FormattingMode(), fmFormatted);
  TFont f;
  f.Name = "Arial";
  f.Size = 12;
  w.SetFont(f);
  f.Name = "Courier New";
  EXPECT_EQ(w.GetFont().Name, "Arial");
  EXPECT_EQ(w.GetFont().Size, 12);
  TPen p;
  p.Width = 3;
  w.SetPen(p);
  p.Width = 5;
  EXPECT_EQ(w.GetPen().Width, 3);

  w.SetMeasurementUnit(static_cast<TvlMeasurementUnit>(7));
  EXPECT_EQ(Factor(w.GetMeasurementUnit()), 1.0);
  w.SetMeasurementUnit(muPoint);
  w.GetCurrentPageSettings().SetNativeFactor(Factor(w.GetMeasurementUnit()));
  w.GetCurrentPageSettings().SetPaperSize(TvlPaperSize::Custom);
  w.GetCurrentPageSettings().SetWidth(612);
  EXPECT_DOUBLE_EQ(w.GetCurrentPageSettings().WidthPixels(), 816);
  EXPECT_DOUBLE_EQ(w.GetCurrentPageSettings().Width(), 612);

  int formatted = 0;
  w.SetOnPageFormatted([&](TObject* sender, int page) {
    EXPECT_EQ(sender, &w);
    formatted = page;
  });
  ASSERT_TRUE(w.OnPageFormatted());
  w.OnPageFormatted()(&w, 4);
  EXPECT_EQ(formatted, 4);
  EXPECT_FALSE(w.OnPageWritten());
}
