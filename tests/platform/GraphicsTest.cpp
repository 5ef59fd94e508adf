#include <gtest/gtest.h>

#include "platform/vlBitmap.h"
#include "platform/vlGraphics.h"
#include "platform/vlJPEG.h"

TEST(Graphics, ColorNamesAndSystemColors) {
  struct Case {
    TColor color;
    const char* name;
    TColor rgb;
  } cases[] = {
      {clBlack, "clBlack", 0},
      {clRed, "clRed", 0x0000FF},
      {clSilver, "clSilver", 0xC0C0C0},
      {clWindow, "clWindow", 0xFFFFFF},
      {clWindowText, "clWindowText", 0x000000},
      {clBtnFace, "clBtnFace", 0xF0F0F0},
      {clHighlight, "clHighlight", 0xD77800},
      {clNone, "clNone", clNone},
      {0x00123456, "$00123456", 0x00123456},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColorToString(c.color), c.name);
    EXPECT_EQ(ColorToRGB(c.color), c.rgb) << c.name;
    EXPECT_EQ(StringToColor(c.name), c.color) << c.name;
  }
  EXPECT_THROW(StringToColor("clNotAColour"), EConvertError);
}

TEST(Graphics, FontCopyAndHeight) {
  TFont f;
  EXPECT_EQ(f.Charset, DEFAULT_CHARSET);
  f.Name = "Arial";
  f.Size = 12;
  f.Style = {fsBold, fsUnderline};
  EXPECT_EQ(f.Style.ToByte(), 0b101);
  EXPECT_EQ(f.Height(), -16);
  TFont g;
  g.Assign(f);
  EXPECT_EQ(g, f);
  g.SetHeight(-24);
  EXPECT_EQ(g.Size, 18);
  TPen pen;
  EXPECT_THROW(pen.Assign(f), EConvertError);
}

namespace {
TBitmap Pattern(TPixelFormat format) {
  TBitmap b(5, 3, format);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) b.SetPixel(x, y, (x + y) % 2 ? clWhite : clBlack);
  b.SetPixel(4, 2, format >= pf24bit ? clRed : clWhite);
  return b;
}
}  // namespace

TEST(Graphics, BitmapFormatsRoundTripThroughBmp) {
  for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit}) {
    TBitmap b = Pattern(format);
    TMemoryStream s;
    b.SaveToStream(s);
    s.SetPosition(0);
    TBitmap back;
    back.LoadFromStream(s);
    EXPECT_EQ(back.PixelFormat(), format);
    ASSERT_EQ(back.Width(), 5);
    ASSERT_EQ(back.Height(), 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(back.GetPixel(x, y), b.GetPixel(x, y)) << format << " " << x << "," << y;
  }
  TMemoryStream junk;
  junk.WriteBuffer("BMxxxx", 6);
  junk.SetPosition(0);
  TBitmap b;
  EXPECT_THROW(b.LoadFromStream(junk), EInvalidGraphic);
}

TEST(Graphics, DrawingHonoursTransparencyAndScaling) {
  TBitmap src(2, 2, pf24bit);
  src.Fill(clBlue);
  src.SetPixel(0, 1, clLime);  // bottom-left: the automatic transparent colour
  src.Transparent = true;
  TBitmap dst(4, 4, pf24bit);
  dst.Fill(clWhite);
  dst.StretchDraw({0, 0, 4, 4}, src);
  EXPECT_EQ(dst.GetPixel(3, 0), clBlue);
  EXPECT_EQ(dst.GetPixel(0, 3), clWhite);
  EXPECT_EQ(dst.GetPixel(1, 2), clWhite);
}

TEST(Graphics, JpegEncodesAndDecodes) {
  TBitmap b(16, 8, pf24bit);
  b.Fill(RGBToColor(200, 40, 40));
  TJPEGImage j;
  j.CompressionQuality = 95;
  j.Assign(b);
  EXPECT_EQ(j.Width(), 16);
  EXPECT_EQ(j.Height(), 8);
  ASSERT_GT(j.Data().size(), 100u);
  EXPECT_EQ(j.Data()[0], 0xFF);
  EXPECT_EQ(j.Data()[1], 0xD8);

  TMemoryStream s;
  j.SaveToStream(s);
  s.SetPosition(0);
  TJPEGImage k;
  k.LoadFromStream(s);
  EXPECT_EQ(k.Data(), j.Data());
  TBitmap decoded;
  decoded.Assign(k);
  TColor c = decoded.GetPixel(8, 4);
  EXPECT_NEAR(GetRValue(c), 200, 6);
  EXPECT_NEAR(GetGValue(c), 40, 6);

  TJPEGImage bad;
  EXPECT_THROW(bad.LoadFromBytes({0xFF, 0xD8, 0x00}), EInvalidGraphic);
}

TEST(Graphics, KindsAndClones) {
  TBitmap b(3, 2);
  TIcon icon;
  icon.Image() = TBitmap(4, 4, pf32bit);
  TMetafile meta;
  meta.SetSize(10, 5);
  TJPEGImage jpeg;
  jpeg.Assign(b);
  const TGraphic* all[] = {&b, &icon, &meta, &jpeg};
  const TvlGraphicKind kinds[] = {TvlGraphicKind::gkBitmap, TvlGraphicKind::gkIcon, TvlGraphicKind::gkMetafile,
                                  TvlGraphicKind::gkJPEG};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(all[i]->Kind(), kinds[i]);
    std::unique_ptr<TGraphic> c = all[i]->Clone();
    EXPECT_EQ(c->Kind(), kinds[i]);
    EXPECT_EQ(c->Width(), all[i]->Width());
    // Every kind saves and reloads into its own class.
    TMemoryStream s;
    all[i]->SaveToStream(s);
    s.SetPosition(0);
    c->LoadFromStream(s);
    EXPECT_EQ(c->Width(), all[i]->Width()) << all[i]->ClassName();
    EXPECT_EQ(c->Height(), all[i]->Height()) << all[i]->ClassName();
  }
  EXPECT_THROW(icon.Assign(meta), EConvertError);
}
