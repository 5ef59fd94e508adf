#include <gtest/gtest.h>

#include "pdf/content/PDContentStream.h"
#include "pdf/content/PDImage.h"
#include "pdf/core/PDBaseObject.h"
#include "pdf/fonts/FontFixture.h"
#include "pdf/pages/PDResource.h"
#include "support/RecordingDevice.h"

namespace {

// Page resources shared by the snippets: Helvetica as F1, a CMYK space, two
// graphics states, an image and a form.
class ContentFixture {
public:
  ContentFixture() {
    fx.Stream(10, "/Subtype /Image /Width 1 /Height 1 /BitsPerComponent 8 /ColorSpace /DeviceGray",
              "x");
    fx.Stream(11, "/Subtype /Form /BBox [0 0 1 1]", "0 0 1 1 re f");
    fx.Stream(12, "/Subtype /PS", "");
    res = std::make_unique<TvlPDResource>(
        nullptr, fx.Dict("<< /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >>"
                         " /ColorSpace << /CS0 /DeviceCMYK >>"
                         " /ExtGState << /GS1 << /CA 0.5 >> /GS2 << /ca 0.25 /CA /Bad >> >>"
                         " /XObject << /Im1 10 0 R /Fm1 11 0 R /Ps1 12 0 R >> >>"));
  }

  // The device calls the snippet produced, without the per-stream preamble.
  std::string Play(std::string_view Content, bool Glyphs = true) {
    RecordingDevice dev(Glyphs);
    TvlPDContentStream cs(nullptr, nullptr, res.get(), nullptr);
    const TvlPDRect box(0, 0, 612, 792);
    cs.DisplayData(dev, Content, 1, &box, 0, 72, 72);
    return dev.Operators();
  }

  vltest::FontFixture fx;
  std::unique_ptr<TvlPDResource> res;
};

struct Snippet {
  const char* Content;
  const char* Expected;
};

TEST(PDContentStream, OperatorSnippets) {
  ContentFixture f;
  const Snippet cases[] = {
      // operand counts and types
      {"1 0 0 1 5 6 7 cm", "UpdateTransform 1 0 0 1 5 6 ctm 1 5"},  // the first six are used
      {"1 0 0 1 cm", ""},                                             // too few
      {"(x) w /N w 5 w", "UpdateLineWidth 5"},                        // wrong types skipped
      {"1 2 3 foo 4 w", "UpdateLineWidth 4"},                         // unknown operator
      {"2.5 j 1 J 3 M 0.5 i", "UpdateLineCap 1; UpdateMiterLimit 3; UpdateFlatness 0.5"},
      {"[3 2] 1 d [] 0 d", "UpdateLineDash 3 2 phase 1; UpdateLineDash phase 0"},
      // colour
      {"10 0 0 rg 0.5 g",
       "UpdateFillColorSpace 2; UpdateFillColor 10 0 0; UpdateFillColorSpace 0; UpdateFillColor 0.5"},
      {"0 0 0 1 K", "UpdateStrokeColorSpace 4; UpdateStrokeColor 0 0 0 1"},
      {"/CS0 cs /DeviceRGB CS /Nope cs",
       "UpdateFillColorSpace 4; UpdateFillColor 0 0 0 1; UpdateStrokeColorSpace 2; "
       "UpdateStrokeColor 0 0 0"},
      {"/DeviceRGB CS 1 SC 1 0 0 SC", "UpdateStrokeColorSpace 2; UpdateStrokeColor 0 0 0; "
                                      "UpdateStrokeColor 1 0 0"},
      {"0.2 0.4 sc 1 2 3 4 5 sc", "UpdateFillColor 0.2"},  // no count check; five is too many
      {"/DeviceRGB cs 1 0 0 scn 1 scn", "UpdateFillColorSpace 2; UpdateFillColor 0 0 0; "
                                        "UpdateFillColor 1 0 0"},
      {"/Pattern cs /P1 scn 0 0 5 5 re f 0 0 5 5 re S",
       "UpdateFillColorSpace 10; UpdateFillColor; StrokePath 0,0 5,0 5,5 0,5 0,0 z"},
      {"/GS1 gs /GS2 gs /GSx gs",
       "UpdateStrokeAlpha 0.5; UpdateFillAlpha 1; UpdateStrokeAlpha 0.5; UpdateFillAlpha 0.25"},
      // paths, painting and clipping
      {"10 10 m f f", ""},  // no subpath: nothing filled, the path ended
      {"0 0 m 10 0 l 10 10 l h S", "StrokePath 0,0 10,0 10,10 0,0 z"},
      {"0 0 m 1 2 3 4 5 6 c 7 8 9 10 v 11 12 13 14 y S",
       "StrokePath 0,0 1,2c 3,4c 5,6 5,6c 7,8c 9,10 11,12c 13,14c 13,14"},
      {"5 5 l 0 0 m 0 0 10 10 re b", "FillPath 0,0 10,0 10,10 0,10 0,0 z; "
                                     "StrokePath 0,0 10,0 10,10 0,10 0,0 z"},
      {"0 0 m 4 0 l 4 4 l b*", "FillPathEvenOdd 0,0 4,0 4,4 0,0 z; StrokePath 0,0 4,0 4,4 0,0 z"},
      {"0 0 m 10 0 l W n", "ClipPath 0,0 10,0"},
      {"0 0 2 2 re W* f", "FillPath 0,0 2,0 2,2 0,2 0,0 z; ClipPathEvenOdd 0,0 2,0 2,2 0,2 0,0 z"},
      {"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 "
       "34 35 36 37 38 39 40 re f",
       "FillPath 1,2 4,2 4,6 1,6 1,2 z"},
      // save and restore
      {"Q", "RestoreState 0"},
      {"q 2 w q Q Q", "SaveState 0; UpdateLineWidth 2; SaveState 1; RestoreState 1; RestoreState 0"},
      // text state and positioning
      {"BT 12 TL 1 2 Td T* 3 4 TD T* ET",
       "UpdateTextMatrix 1 0 0 1 0 0; UpdateTextPosition 0 0; UpdateTextPosition 1 2; "
       "UpdateTextPosition 1 -10; UpdateTextPosition 4 -6; UpdateTextPosition 4 -2; EndTextObject"},
      {"2 0 0 2 5 5 Tm 1 Tc 2 Tw 50 Tz 3 Ts 1 Tr",
       "UpdateTextMatrix 2 0 0 2 5 5; UpdateTextPosition 0 0; UpdateCharSpacing 1; "
       "UpdateWordSpacing 2; UpdateHorizontalScale 0.5; UpdateTextRise 3; UpdateRenderMode 1"},
      // text showing
      {"/F9 12 Tf (A) Tj", ""},  // no font: nothing at all
      {"BT /F1 10 Tf [(A) -500 (B)] TJ ET",
       "UpdateTextMatrix 1 0 0 1 0 0; UpdateTextPosition 0 0; UpdateFont 10; BeginTextShow; "
       "BeginString A; DrawGlyph U+0041 0,0 +6.67 A; EndString; ShiftText -500 x 11.67; "
       "BeginString B; DrawGlyph U+0042 11.67,0 +6.67 B; EndString; EndTextShow; EndTextObject"},
      {"/F1 10 Tf <414> Tj",  // a lone last digit stands for d0
       "UpdateFont 10; BeginTextShow; BeginString A; DrawGlyph U+0041 0,0 +6.67 A; EndString; "
       "BeginString @; DrawGlyph U+0040 6.67,0 +10.15 at; EndString; EndTextShow"},
      {"/F1 10 Tf 2 Tw 1 Tc (a b) Tj",
       "UpdateWordSpacing 2; UpdateCharSpacing 1; UpdateFont 10; BeginTextShow; BeginString a b; "
       "DrawGlyph U+0061 0,0 +6.56 a; DrawGlyph U+0020 6.56,0 +5.78 space; "
       "DrawGlyph U+0062 12.34,0 +6.56 b; EndString; EndTextShow"},
      {"/F1 10 Tf 20 TL (A) ' 1 2 (B) \" (C) Tj",
       "UpdateFont 10; UpdateTextPosition 0 -20; BeginTextShow; BeginString A; "
       "DrawGlyph U+0041 0,-20 +6.67 A; EndString; EndTextShow; UpdateWordSpacing 1; "
       "UpdateCharSpacing 2; UpdateTextPosition 0 -40; BeginTextShow; BeginString B; "
       "DrawGlyph U+0042 0,-40 +8.67 B; EndString; EndTextShow; BeginTextShow; BeginString C; "
       "DrawGlyph U+0043 8.67,-40 +9.22 C; EndString; EndTextShow"},
      // XObjects and inline images
      {"/Im1 Do /Fm1 Do /Ps1 Do /Nope Do", "DrawImage; DrawForm"},
      {"BI /W 1 /H 1 /BPC 8 /CS /G ID \nxEIx\n EI 7 w", "DrawImage; UpdateLineWidth 7"},
      {"BI /W 1 /H", ""},  // the dictionary never reaches ID: nothing drawn
      {"BI /W 1 ID", "DrawImage"},
      {"BDC /P <</MCID 0>> BDC EMC /Tag BMC EMC /X MP /X <<>> DP 1 2 d0 BX foo EX 9 w",
       "UpdateLineWidth 9"},
  };
  for (const Snippet& c : cases) EXPECT_EQ(f.Play(c.Content), c.Expected) << c.Content;
}

TEST(PDContentStream, StringsWithoutGlyphs) {
  ContentFixture f;
  EXPECT_EQ(f.Play("/F1 10 Tf [(A) 5 (B)] TJ", false),
            "UpdateFont 10; BeginTextShow; DrawString A 0,0; ShiftText 5 x -0.05; "
            "DrawString B -0.05,0; EndTextShow");
}

TEST(PDContentStream, MalformedContentNeverEscapes) {
  ContentFixture f;
  std::string deep(20000 * 2, ' ');
  for (size_t i = 0; i < deep.size(); i += 2) deep[i] = 'q';
  const std::string cases[] = {
      "BT /F1 10 Tf (unterminated",
      "[[[[[[[[[[ 1 2",
      "<< /A << /B [ 1 2 >> ",
      std::string(100000, '['),
      std::string(50000, ')') + " 3 w",
      "/F1 1e400 Tf (A) Tj 99999999999999999999 w -- 5 w .5.5 w",
      std::string("\0\xff\x01 BT\0ET", 9),
      "/F1 10 Tf <zz> Tj <> Tj () Tj [] TJ",
  };
  for (const std::string& c : cases) EXPECT_NO_THROW(f.Play(c)) << c.substr(0, 40);

  // q beyond the depth limit is ignored together with its Q, so the device
  // still sees balanced pairs.
  RecordingDevice dev;
  dev.Quiet = true;
  TvlPDContentStream cs(nullptr, nullptr, f.res.get(), nullptr);
  std::string qs = deep;
  for (size_t i = 0; i < deep.size(); i += 2) qs += "Q ";
  cs.DisplayData(dev, qs, 1, nullptr, 0, 72, 72);
  EXPECT_EQ(dev.MaxSaveDepth, TvlPDContentStream::kMaxSaveDepth);
  EXPECT_EQ(cs.State->Depth(), 0);
}

TEST(PDContentStream, StateCarriesAcrossStreams) {
  ContentFixture f;
  RecordingDevice dev;
  TvlPDContentStream first(nullptr, nullptr, f.res.get(), nullptr);
  first.DisplayData(dev, "q 3 w BT /F1 10 Tf 1 2", 1, nullptr, 0, 72, 72);
  TvlPDContentStream second(nullptr, nullptr, f.res.get(), nullptr);
  second.ContinueFrom(first);
  const size_t mark = dev.Log.size();
  // The operands left on the stack complete the Td; Q restores the width.
  second.DisplayData(dev, "Td (A) Tj Q", 1, nullptr, 0, 72, 72);
  EXPECT_EQ(dev.Joined(mark),
            "SetPageTransform 1 0 0 1 0 0; UpdateAllState; UpdateTextPosition 1 2; UpdateFont 10; "
            "BeginTextShow; BeginString A; DrawGlyph U+0041 1,2 +6.67 A; EndString; EndTextShow; "
            "RestoreState 0");
  EXPECT_EQ(second.State->LineWidth, 1);
}

}  // namespace

namespace {

// Records the stream kind and size an inline image arrives with.
class ImageDevice : public RecordingDevice {
public:
  std::string Seen;
  void DrawImage(const TvlPDState&, TvlPDImage& Image) override {
    Seen += std::to_string(Image.StreamKind()) + ":" + std::to_string(Image.GetWidth()) + "x" +
            std::to_string(Image.GetHeight()) + (Image.IsInline ? " inline" : "") + "; ";
  }
};

TEST(PDContentStream, InlineImagesGetTheirFilters) {
  ImageDevice dev;
  TvlPDContentStream cs(nullptr, nullptr, nullptr, nullptr);
  cs.DisplayData(dev, "BI /W 2 /H 1 /BPC 8 /CS /G /F /AHx ID 00FF> EI "
                      "BI /W 1 /H 1 /F [/RL] ID \x00A\x80 EI 4 w", 1, nullptr, 0, 72, 72);
  EXPECT_EQ(dev.Seen, "1:2x1 inline; 4:1x1 inline; ");
  EXPECT_EQ(dev.Operators(), "UpdateLineWidth 4");
}

}  // namespace
