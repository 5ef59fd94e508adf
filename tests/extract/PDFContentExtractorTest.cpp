#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "entry/vlDocumentparser.h"
#include "extract/vlPDFContentExtractor.h"
#include "pdf/content/PDState.h"
#include "pdf/fonts/PDCMapParser.h"
#include "pdf/fonts/PDFont.h"
#include "writer/vlDocumentWriter.h"

namespace {

// A font with the fields the extractor reads set directly.
class TestFont : public TvlPDFont {
public:
  explicit TestFont(std::string_view BaseFont, TvlFontKind Kind = fkType1)
      : TvlPDFont(nullptr, nullptr, nullptr, "F1", Kind, BaseFont) {}
  void SetFontName(const AnsiString& N) { FFontName = N; }
  void SetFlags(int F) { FFlags = F; }
  void SetToUnicode(const std::string& CMap) {
    FToUnicode = std::make_unique<TvlPDCMapParser>(
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(CMap.data()), CMap.size()));
  }
  bool DecodeChar(const WideString&, int, int&, uint16_t&, std::string_view&, double&, double&, double&,
                  double&) const override {
    return false;
  }
};

struct Glyph {
  TFont Font;
  TvlDoubleRect Rect;
  double X, Y, Width;
  bool ContinuesString, ContinuesShow;
  WideChar Ch;
};

class RecordingWriter : public TvlDocumentWriter {
public:
  std::vector<Glyph> Glyphs;
  std::vector<std::string> Log;
  void TextOut(const TFont& Font, const TvlDoubleRect& R, double X, double Y, double Width, bool CS,
               bool CW, WideChar Ch, double) override {
    Glyphs.push_back({Font, R, X, Y, Width, CS, CW, Ch});
  }
  void SetMeasurementUnit(TvlMeasurementUnit U) override {
    TvlDocumentWriter::SetMeasurementUnit(U);
    Log.push_back("unit " + std::to_string(U));
  }
  void EndPage() override { Log.push_back("end page"); }
};

class NotifiedParser : public TvlDocumentParser {
public:
  explicit NotifiedParser(std::vector<std::string>& L) : LogRef(L) {
    SetOnPageStart([this](TObject*, int N) { LogRef.push_back("start " + std::to_string(N)); });
    SetOnPageEnd([this](TObject*, int N) { LogRef.push_back("end " + std::to_string(N)); });
  }
  void Open(const AnsiString&, const AnsiString&) override {}
  void Parse() override {}
  void Close() override {}
  std::vector<std::string>& LogRef;
};

// One page, 612 x 792 points at 96 pixels per inch, with a 12-point font.
class ExtractorTest : public ::testing::Test {
protected:
  void SetUp() override {
    Extractor.SetExtractionOptions(3);
    Extractor.SetInstalledFonts({"Arial", "Courier New", "Times New Roman"});
    Start();
  }
  void Start() {
    State = std::make_unique<TvlPDState>(0, 96, 96, &Box);
    State->Font = &Font;
    State->FontSize = 12;
    Extractor.StartPage(1, *State);
    Extractor.UpdateFont(*State);
  }
  // Shows Text at (X, Y) as one Tj, each glyph 0.5 em wide.
  void Show(const std::string& Text, double X, double Y) {
    Extractor.BeginTextShow(*State);
    Extractor.BeginString(*State, Text);
    double x = X;
    for (char c : Text) {
      State->GlyphWidth = 0.5 * State->FontSize;
      Extractor.DrawGlyph(*State, static_cast<unsigned char>(c), x, Y, State->GlyphWidth, 0, "");
      x += State->GlyphWidth;
    }
    Extractor.EndString(*State);
    Extractor.EndTextShow(*State);
  }
  void Rect(double L, double B, double R, double T) {
    State->MoveTo(L, B);
    State->LineTo(R, B);
    State->LineTo(R, T);
    State->LineTo(L, T);
    State->ClosePath();
  }

  TvlPDRect Box{0, 0, 612, 792};
  TestFont Font{"Helvetica"};
  RecordingWriter Writer;
  TvlPDFContentExtractor Extractor{&Writer};
  std::unique_ptr<TvlPDState> State;
};

}  // namespace

TEST_F(ExtractorTest, GlyphsOfOneShowInPagePoints) {
  State->TextMatrix.Set(1, 0, 0, 1, 100, 700);
  Show("Hi", 0, 0);
  ASSERT_EQ(Writer.Glyphs.size(), 2u);
  const Glyph& h = Writer.Glyphs[0];
  const Glyph& i = Writer.Glyphs[1];
  EXPECT_DOUBLE_EQ(h.X, 100);
  EXPECT_DOUBLE_EQ(i.X, 106);
  EXPECT_DOUBLE_EQ(h.Y, 700);
  EXPECT_DOUBLE_EQ(i.Y, 700);
  EXPECT_DOUBLE_EQ(h.Width, 6);
  EXPECT_EQ(h.Ch, u'H');
  EXPECT_FALSE(h.ContinuesString);
  EXPECT_FALSE(h.ContinuesShow);
  EXPECT_TRUE(i.ContinuesString);
  EXPECT_TRUE(i.ContinuesShow);
  EXPECT_EQ(h.Font.Size, 12);
  EXPECT_EQ(h.Font.Color, clBlack);
  // The box of H stands on the baseline, 92 points from the top (pixels, y down).
  const double baseline = 92 * 96.0 / 72;
  EXPECT_NEAR(h.Rect.Bottom, baseline, 1.5);
  EXPECT_NEAR(h.Rect.Bottom - h.Rect.Top, 0.72 * 16, 2);  // cap height of a 16-pixel font
  EXPECT_NEAR(h.Rect.Left, 100 * 96.0 / 72, 2);
  // A raised glyph keeps its position but its box moves up.
  State->Rise = 6;
  Show("H", 0, 0);
  ASSERT_EQ(Writer.Glyphs.size(), 3u);
  EXPECT_DOUBLE_EQ(Writer.Glyphs[2].Y, 700);
  EXPECT_NEAR(Writer.Glyphs[2].Rect.Bottom, baseline - 8, 1.5);
}

TEST_F(ExtractorTest, ContinuationFlagsFollowOperatorsAndStrings) {
  State->TextMatrix.Set(1, 0, 0, 1, 100, 700);
  // One TJ with two strings, then a new Tj.
  Extractor.BeginTextShow(*State);
  for (const char* s : {"ab", "c"}) {
    Extractor.BeginString(*State, s);
    for (const char* p = s; *p; ++p) Extractor.DrawGlyph(*State, *p, 0, 0, 6, 0, "");
    Extractor.EndString(*State);
  }
  Extractor.EndTextShow(*State);
  Show("d", 0, 0);
  ASSERT_EQ(Writer.Glyphs.size(), 4u);
  const bool expected[4][2] = {{false, false}, {true, true}, {false, true}, {false, false}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(Writer.Glyphs[k].ContinuesString, expected[k][0]) << k;
    EXPECT_EQ(Writer.Glyphs[k].ContinuesShow, expected[k][1]) << k;
  }
}

TEST_F(ExtractorTest, RotatedTextIsDropped) {
  struct Case {
    TvlPDMatrix Tm, Cm;
    bool Emitted;
  } cases[] = {
      {{1, 0, 0, 1, 100, 700}, {}, true},
      {{0, 1, -1, 0, 100, 700}, {}, false},          // 90 degrees
      {{0.6, 0.8, -0.8, 0.6, 100, 700}, {}, false},  // turned
      {{-1, 0, 0, -1, 300, 700}, {}, true},          // 180 degrees counts as upright
      {{2, 0, 0, 2, 100, 700}, {}, true},
      {{1, 0, 0.3, 1, 100, 700}, {}, true},  // skewed
      // Turned by the CTM: a sideways label.
      {{1, 0, 0, 1, 0, 0}, {0, 1, -1, 0, 300, 300}, false},
      // A flipped CTM with a flipped text matrix reads upright.
      {{1, 0, 0, -1, 100, 92}, {1, 0, 0, -1, 0, 792}, true},
  };
  for (const Case& c : cases) {
    Writer.Glyphs.clear();
    Start();
    State->ConcatCTM(c.Cm);
    State->TextMatrix = c.Tm;
    Show("A", 0, 0);
    EXPECT_EQ(Writer.Glyphs.size(), c.Emitted ? 1u : 0u)
        << c.Tm.a << " " << c.Tm.b << " " << c.Tm.c << " " << c.Tm.d << " cm " << c.Cm.b;
  }
}

TEST_F(ExtractorTest, ClipDropsGlyphsUntilRestore) {
  State->TextMatrix.Set(1, 0, 0, 1, 200, 200);
  Extractor.SaveState(*State);
  Rect(0, 0, 100, 100);
  Extractor.ClipPath(*State);
  State->ClearPath();
  Show("A", 0, 0);
  EXPECT_TRUE(Writer.Glyphs.empty());
  State->TextMatrix.Set(1, 0, 0, 1, 50, 50);
  Show("B", 0, 0);
  Extractor.RestoreState(*State);
  State->TextMatrix.Set(1, 0, 0, 1, 200, 200);
  Show("C", 0, 0);
  ASSERT_EQ(Writer.Glyphs.size(), 2u);
  EXPECT_EQ(Writer.Glyphs[0].Ch, u'B');
  EXPECT_EQ(Writer.Glyphs[1].Ch, u'C');
  // A glyph off the page is outside the initial clip.
  State->TextMatrix.Set(1, 0, 0, 1, 700, 200);
  Show("D", 0, 0);
  EXPECT_EQ(Writer.Glyphs.size(), 2u);
}

TEST_F(ExtractorTest, ColoursRoundHalfToEven) {
  struct Case {
    int32_t Gray;
    TColor Color;
  } cases[] = {{0, clBlack}, {32768, RGBToColor(128, 128, 128)}, {65536, clWhite}, {16384, RGBToColor(64, 64, 64)}};
  State->TextMatrix.Set(1, 0, 0, 1, 100, 700);
  for (const Case& c : cases) {
    State->FillColor[0] = c.Gray;
    Show("A", 0, 0);
    EXPECT_EQ(Writer.Glyphs.back().Font.Color, c.Color) << c.Gray;
  }
}

TEST_F(ExtractorTest, OutputFontsFollowNamesAndFlags) {
  struct Case {
    const char* BaseFont;
    const char* FontName;
    int Flags;
    const char* Family;
    bool Bold, Italic;
  } cases[] = {
      {"ABCDEF+TimesNewRomanPS-BoldMT", "", kFontFlagSerif, "Times New Roman", true, false},
      {"Frutiger-Light", "", 0, "Arial", false, false},
      {"Frutiger-Light", "", kFontFlagSerif, "Times New Roman", false, false},
      {"Frutiger-Light", "", kFontFlagFixedPitch, "Courier New", false, false},
      {"X", "CourierNew,Italic", kFontFlagItalic, "Courier New", false, true},
      {"Arial", "", kFontFlagForceBold | kFontFlagItalic, "Arial", true, true},
      // Unmatched names keep their design, whatever the flags say.
      {"BAAAAA+NotoSerif-Regular", "", kFontFlagSymbolic, "Times New Roman", false, false},
      {"ABCDEF+NotoSans-Bold", "", kFontFlagSerif, "Arial", true, false},
      {"LMMono10-Regular", "", kFontFlagSerif, "Courier New", false, false},
  };
  State->TextMatrix.Set(1, 0, 0, 1, 100, 700);
  for (const Case& c : cases) {
    TestFont f(c.BaseFont);
    f.SetFontName(c.FontName);
    f.SetFlags(c.Flags);
    State->Font = &f;
    Extractor.UpdateFont(*State);
    Show("A", 0, 0);
    const TFont& out = Writer.Glyphs.back().Font;
    EXPECT_EQ(out.Name, c.Family) << c.BaseFont;
    EXPECT_EQ(out.Style.Contains(fsBold), c.Bold) << c.BaseFont;
    EXPECT_EQ(out.Style.Contains(fsItalic), c.Italic) << c.BaseFont;
    State->Font = &Font;
  }
}

TEST_F(ExtractorTest, ScaledContentKeepsAdvancesInPagePoints) {
  // Content drawn at half size through cm: positions and advances both halve.
  State->ConcatCTM({0.5, 0, 0, 0.5, 0, 0});
  State->TextMatrix.Set(1, 0, 0, 1, 200, 1400);
  Show("AB", 0, 0);
  ASSERT_EQ(Writer.Glyphs.size(), 2u);
  EXPECT_DOUBLE_EQ(Writer.Glyphs[0].X, 100);
  EXPECT_DOUBLE_EQ(Writer.Glyphs[0].Y, 700);
  EXPECT_DOUBLE_EQ(Writer.Glyphs[0].Width, 3);
  EXPECT_DOUBLE_EQ(Writer.Glyphs[1].X, 103);
  EXPECT_EQ(Writer.Glyphs[0].Font.Size, 6);
}

TEST_F(ExtractorTest, CharactersFromGlyphNamesAndToUnicode) {
  TestFont subset("ABCDEF+Foo", fkTrueType);
  subset.SetToUnicode(
      "begincmap 2 beginbfchar <01> <0057> <02> <0069> endbfchar 1 beginbfrange <10> <12> <0061> "
      "endbfrange endcmap");
  State->Font = &subset;
  State->TextMatrix.Set(1, 0, 0, 1, 100, 700);
  Extractor.UpdateFont(*State);
  // The font decoded each code as itself; the map is looked up by the byte.
  Show(std::string("\x01\x02\x11\x05", 4), 0, 0);
  ASSERT_EQ(Writer.Glyphs.size(), 4u);
  EXPECT_EQ(Writer.Glyphs[0].Ch, u'W');
  EXPECT_EQ(Writer.Glyphs[1].Ch, u'i');
  EXPECT_EQ(Writer.Glyphs[2].Ch, u'b');
  EXPECT_EQ(Writer.Glyphs[3].Ch, 5);  // unmapped: as decoded
  // A glyph name gives the character; a Symbol font's Delta is the Greek letter.
  TestFont symbol("Symbol");
  State->Font = &symbol;
  Extractor.UpdateFont(*State);
  Extractor.BeginTextShow(*State);
  Extractor.BeginString(*State, "DW");
  Extractor.DrawGlyph(*State, 'D', 0, 0, 6, 0, "Delta");
  Extractor.DrawGlyph(*State, 'W', 6, 0, 6, 0, "Omega");
  ASSERT_EQ(Writer.Glyphs.size(), 6u);
  EXPECT_EQ(Writer.Glyphs[4].Ch, u'\u0394');
  EXPECT_EQ(Writer.Glyphs[5].Ch, u'\u2126');
}

TEST(Extractor, PageStartAndEndReachWriterAndParser) {
  RecordingWriter writer;
  NotifiedParser parser(writer.Log);
  TvlPDFContentExtractor extractor(&writer);
  extractor.SetParser(&parser);
  TvlPDRect box(0, 0, 612, 792);
  TvlPDState state(0, 96, 96, &box);
  extractor.StartPage(4, state);
  // The page's size went over in pixels; the writer now speaks points.
  EXPECT_EQ(writer.GetMeasurementUnit(), muPoint);
  EXPECT_DOUBLE_EQ(writer.GetCurrentPageSettings().WidthPixels(), 816);
  EXPECT_DOUBLE_EQ(writer.GetCurrentPageSettings().HeightPixels(), 1056);
  extractor.FillPath(state);
  extractor.StrokePath(state);
  extractor.EndPage();
  const std::vector<std::string> expected = {"unit 0", "unit 3", "start 4", "end 4", "end page"};
  EXPECT_EQ(writer.Log, expected);
  EXPECT_TRUE(writer.Glyphs.empty());
}

TEST_F(ExtractorTest, ImagesLandOnTheirUnitSquare) {
  State->ConcatCTM({200, 0, 0, 100, 50, 600});
  const TvlDoubleRect r = Extractor.ImageBounds(*State);
  EXPECT_DOUBLE_EQ(r.Left, 50);
  EXPECT_DOUBLE_EQ(r.Top, 92);
  EXPECT_DOUBLE_EQ(r.Right, 250);
  EXPECT_DOUBLE_EQ(r.Bottom, 192);
}

TEST_F(ExtractorTest, WordGapsBecomeSpaces) {
  State->TextMatrix.Set(1, 0, 0, 1, 100, 700);
  // Glyphs 6 points wide in a 12-point font, placed with gaps in points.
  struct Case {
    double Gap;
    bool Space;
  } cases[] = {{0, false}, {0.6, false}, {4, true}, {24, true}, {60, false}};
  for (const Case& c : cases) {
    Writer.Glyphs.clear();
    Start();
    State->TextMatrix.Set(1, 0, 0, 1, 100, 700);
    Extractor.BeginTextShow(*State);
    Extractor.BeginString(*State, "ab");
    State->GlyphWidth = 6;
    Extractor.DrawGlyph(*State, 'a', 0, 0, 6, 0, "");
    Extractor.DrawGlyph(*State, 'b', 6 + c.Gap, 0, 6, 0, "");
    std::u16string text;
    for (const Glyph& g : Writer.Glyphs) text += g.Ch;
    EXPECT_EQ(text, c.Space ? u"a b" : u"ab") << c.Gap;
    if (c.Space) {
      EXPECT_DOUBLE_EQ(Writer.Glyphs[1].X, 106);
      EXPECT_NEAR(Writer.Glyphs[1].Width, c.Gap, 1e-9);
    }
  }
}
