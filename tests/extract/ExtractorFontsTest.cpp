#include <gtest/gtest.h>

#include "extract/vlExtractorFonts.h"

using vlextract::NormaliseFontName;
using vlextract::TvlInstalledFonts;

TEST(ExtractorFonts, NormalisesNamesAndTakesStyleWords) {
  struct Case {
    const char* in;
    const char* out;
    bool bold, italic;
  } cases[] = {
      {"ABCDEF+TimesNewRomanPS-BoldMT", "ABCDEFTimesNewRoman", true, false},
      {"Arial,BoldItalic", "Arial", true, true},
      {"Helvetica-Oblique", "HelveticaOblique", false, false},
      // The style word is found in its exact case, removed in any case.
      {"boldFace-Bold", "FaceBold", true, false},
      {"Frutiger-bold", "Frutigerbold", false, false},
      // Only the first PS and MT go.
      {"PSPSMTMT", "PSMT", false, false},
      {"", "", false, false},
  };
  for (const Case& c : cases) {
    bool bold = !c.bold, italic = !c.italic;
    EXPECT_EQ(NormaliseFontName(c.in, bold, italic), c.out) << c.in;
    EXPECT_EQ(bold, c.bold) << c.in;
    EXPECT_EQ(italic, c.italic) << c.in;
  }
}

TEST(ExtractorFonts, MatchesInstalledFamilies) {
  const TvlInstalledFonts fonts({"Arial", "Times New Roman", "Times", "Courier New", "Arial Black"});
  EXPECT_TRUE(fonts.ArialUnicodeListed());
  struct Case {
    const char* name;
    const char* family;
  } cases[] = {
      {"ABCDEFTimesNewRoman", "Times New Roman"},  // longest candidate wins
      {"timesnewroman", "Times New Roman"},        // case is ignored
      {"ArialBlack", "Arial Black"},
      {"CourierNew", "Courier New"},
      {"FrutigerLight", "Arial"},  // no candidate: the name contained in "Arial Unicode MS"
  };
  for (const Case& c : cases) EXPECT_EQ(fonts.Match(c.name), c.family) << c.name;

  bool found = true;
  fonts.Match("FrutigerLight", &found);
  EXPECT_FALSE(found);
  fonts.Match("ArialBlack", &found);
  EXPECT_TRUE(found);
  EXPECT_EQ(TvlInstalledFonts({"Arial", "Arial Unicode MS"}).Match("Frutiger"), "Arial Unicode MS");

  const TvlInstalledFonts others({"", "DejaVu Sans", "Liberation Serif"});
  EXPECT_FALSE(others.ArialUnicodeListed());
  EXPECT_EQ(others.Match("FrutigerLight"), "");  // the first installed name
  EXPECT_EQ(TvlInstalledFonts({"DejaVu Sans"}).Match("Frutiger"), "DejaVu Sans");
  EXPECT_EQ(TvlInstalledFonts({}).Match("Frutiger"), "");
  // The first of equally long candidates wins.
  EXPECT_EQ(TvlInstalledFonts({"Ab C", "AbC ", "AbC"}).Match("xabcx"), "Ab C");
}

TEST(ExtractorFonts, RoundsColourComponentsHalfToEven) {
  struct Case {
    int32_t in;
    int out;
  } cases[] = {{0, 0}, {32768, 128}, {65536, 255}, {-100, 0}, {70000, 255}, {257, 1}, {128, 0}};
  for (const Case& c : cases) EXPECT_EQ(vlextract::ColorComponentToByte(c.in), c.out) << c.in;
}

TEST(ExtractorFonts, DesignFromName) {
  struct Case {
    const char* name;
    char design;
  } cases[] = {{"BAAAAANotoSerifRegular", 'r'}, {"EVYXLFLMRoman9Regular", 'r'},
               {"NotoSansDisplay", 's'},        {"DejaVuSansMono", 'm'},
               {"LMMono10Regular", 'm'},        {"CourierStd", 'm'},
               {"Frutiger", 0},                 {"HelveticaNeue", 's'}};
  for (const Case& c : cases) EXPECT_EQ(vlextract::DesignFromName(c.name), c.design) << c.name;
}
