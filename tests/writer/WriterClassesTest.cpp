#include "writer/vlWriterClasses.h"

#include <gtest/gtest.h>

#include "writer/vlDocInfo.h"
#include "writer/vlStyleManager.h"

TEST(WriterClasses, PageSettingsPaperOrientationAndNativeFactor) {
  TvlPageSettings ps;
  EXPECT_EQ(ps.PaperSize(), TvlPaperSize::A4);
  EXPECT_DOUBLE_EQ(ps.Width(), 8.2677 * 96);
  ps.SetPaperSize(TvlPaperSize::Letter);
  EXPECT_DOUBLE_EQ(ps.Width(), 8.5 * 96);
  EXPECT_DOUBLE_EQ(ps.Height(), 11 * 96);
  ps.SetOrientation(poLandscape);
  EXPECT_DOUBLE_EQ(ps.Width(), 11 * 96);
  EXPECT_DOUBLE_EQ(ps.Height(), 8.5 * 96);
  ps.SetPaperSize(TvlPaperSize::EnvB6);  // a landscape page swaps the table's values
  EXPECT_DOUBLE_EQ(ps.Width(), 4.9212 * 96);
  ps.SetPaperSize(TvlPaperSize::Custom);  // keeps the size
  EXPECT_DOUBLE_EQ(ps.Width(), 4.9212 * 96);

  ps.SetNativeFactor(2.0);
  ps.SetWidth(100);
  EXPECT_DOUBLE_EQ(ps.WidthPixels(), 200);
  EXPECT_DOUBLE_EQ(ps.Width(), 100);
  ps.SetNativeFactor(Factor(muPoint));
  ps.SetHeight(792);
  EXPECT_DOUBLE_EQ(ps.HeightPixels(), 1056);
  EXPECT_DOUBLE_EQ(ps.Height(), 792);

  // Assign copies the pixels and keeps the target's factor.
  TvlPageSettings copy;
  copy.Assign(ps);
  EXPECT_DOUBLE_EQ(copy.NativeFactor(), 1.0);
  EXPECT_DOUBLE_EQ(copy.Height(), 1056);
  EXPECT_EQ(copy.Orientation(), poLandscape);
  EXPECT_EQ(copy.PaperSize(), TvlPaperSize::Custom);
  EXPECT_DOUBLE_EQ(PaperDimensions(TvlPaperSize::EnvC4).Width, 9.1057);
  EXPECT_DOUBLE_EQ(PaperDimensions(TvlPaperSize::ps11X17).Width, 10);
}

TEST(WriterClasses, TextFormattingAssignKeepsFactorAndCopiesBorder) {
  TvlTextFormatting a;
  EXPECT_DOUBLE_EQ(a.LineSpacing(), 0.1);
  EXPECT_TRUE(a.UseLineSpacing());
  a.SetNativeFactor(2);
  a.SetLeftIndent(10);
  a.SetAlignment(3);
  a.SetLineSpacingAtLeast(true);
  a.Border().DrawTop = true;
  a.Border().Spacing = 7;
  TvlTextFormatting b;
  b.Assign(a);
  EXPECT_DOUBLE_EQ(b.NativeFactor(), 1);
  EXPECT_DOUBLE_EQ(b.LeftIndent(), 20);
  EXPECT_EQ(b.Alignment(), 3);
  EXPECT_TRUE(b.LineSpacingAtLeast());
  EXPECT_TRUE(b.Border().DrawTop);
  EXPECT_EQ(b.Border().Spacing, 7);

  // A plain border copies into a paragraph border without touching Spacing.
  TvlBorder plain;
  plain.Width = 4;
  b.Border().Assign(plain);
  EXPECT_EQ(b.Border().Width, 4);
  EXPECT_EQ(b.Border().Spacing, 7);
}

TEST(WriterClasses, AssignFromAnotherClassRaises) {
  TvlPageSettings page;
  TvlTextFormatting fmt;
  TvlImageSettings img;
  TvlDocInfo info;
  TvlFrame frame;
  TvlTextEffects fx;
  TvlStyle style;
  TFont font;
  struct Case {
    TPersistent* target;
    const TPersistent* source;
    const char* message;
  } cases[] = {
      {&page, &fmt, "Cannot assign a TvlTextFormatting to a TvlPageSettings"},
      {&fmt, &page, "Cannot assign a TvlPageSettings to a TvlTextFormatting"},
      {&img, &info, "Cannot assign a TvlDocInfo to a TvlImageSettings"},
      {&info, &frame, "Cannot assign a TvlFrame to a TvlDocInfo"},
      {&frame, &fx, "Cannot assign a TvlTextEffects to a TvlFrame"},
      {&fx, &style, "Cannot assign a TvlStyle to a TvlTextEffects"},
      {&style, &font, "Cannot assign a TFont to a TvlStyle"},
      {&font, &page, "Cannot assign a TvlPageSettings to a TFont"},
  };
  for (const Case& c : cases) {
    try {
      c.target->Assign(*c.source);
      ADD_FAILURE() << c.message;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST(WriterClasses, SettingsCopies) {
  TvlImageSettings img;
  img.OutputImageFormat = ifPNG;
  img.JPEGQuality = 40;
  img.BehindText = true;
  img.PlacementValue = 5;
  TvlImageSettings img2;
  img2.Assign(img);
  EXPECT_EQ(img2.OutputImageFormat, ifPNG);
  EXPECT_EQ(img2.JPEGQuality, 40);
  EXPECT_TRUE(img2.BehindText);
  EXPECT_EQ(img2.PlacementValue, 5);
  EXPECT_EQ(TvlImageSettings().SourceDPI, 96);

  TvlDocInfo info;
  info.Title = u"T";
  info.Keywords = u"k";
  TvlDocInfo info2;
  info2.Assign(info);
  EXPECT_EQ(info2.Title, u"T");
  EXPECT_EQ(info2.Keywords, u"k");
}
