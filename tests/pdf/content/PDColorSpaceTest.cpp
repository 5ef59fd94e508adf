#include <gtest/gtest.h>

#include "pdf/content/PDColorSpace.h"

namespace {

TvlPDColor Col(std::initializer_list<double> V) {
  TvlPDColor c{};
  int i = 0;
  for (double v : V) c[i++] = FixedFromDouble(v);
  return c;
}

TEST(PDColorSpace, DeviceConversions) {
  TvlPDDeviceGrayColorSpace gray;
  TvlPDDeviceRGBColorSpace rgb;
  TvlPDDeviceCMYKColorSpace cmyk;
  TvlPDCalRGBColorSpace cal;
  int32_t out[4];
  int32_t g;

  cmyk.ToRGB(Col({0, 0, 0, 0}), out);
  EXPECT_EQ(out[0], 65536);
  EXPECT_EQ(out[1], 65536);
  EXPECT_EQ(out[2], 65536);
  cmyk.ToRGB(Col({0, 0, 0, 1}), out);
  EXPECT_EQ(out[0], 8998);
  EXPECT_EQ(out[1], 7969);
  EXPECT_EQ(out[2], 8224);
  cmyk.ToGray(Col({0, 0, 0, 0.5}), g);
  EXPECT_EQ(g, 32768);

  rgb.ToGray(Col({1, 0, 0}), g);
  EXPECT_EQ(g, 19661);  // round(0.3 * 65536 + 0.5)
  cal.ToGray(Col({1, 0, 0}), g);
  EXPECT_EQ(g, 19596);  // round(0.299 * 65536 + 0.5)
  rgb.ToCMYK(Col({1, 1, 0}), out);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[1], 0);
  EXPECT_EQ(out[2], 65536);
  EXPECT_EQ(out[3], 0);
  rgb.ToRGB(Col({2, -1, 0.5}), out);  // clamped
  EXPECT_EQ(out[0], 65536);
  EXPECT_EQ(out[1], 0);
  EXPECT_EQ(out[2], 32768);

  gray.ToCMYK(Col({0.25}), out);
  EXPECT_EQ(out[3], 49152);

  TvlPDColor init;
  cmyk.InitialColor(init);
  EXPECT_EQ(init[3], 65536);
  EXPECT_EQ(init[0], 0);
}

TEST(PDColorSpace, LabWhite) {
  TvlPDLabColorSpace lab;
  int32_t out[3];
  lab.ToRGB(Col({100, 0, 0}), out);
  for (int v : out) EXPECT_NEAR(v, 65536, 1);
  TvlPDColor init;
  lab.Range[0] = 10;  // aMin above 0
  lab.InitialColor(init);
  EXPECT_EQ(init[1], 10 * 65536);
  EXPECT_EQ(init[2], 0);
}

TEST(PDColorSpace, IndexedClampsToHiVal) {
  TvlPDIndexedColorSpace idx;
  idx.Base = std::make_unique<TvlPDDeviceRGBColorSpace>();
  idx.HiVal = 1;
  idx.Lookup = std::string("\xFF\x00\x00\x00\xFF\x00", 6);
  int32_t out[3];
  const std::pair<int, std::array<int32_t, 3>> cases[] = {
      {0, {65536, 0, 0}}, {1, {0, 65536, 0}}, {7, {0, 65536, 0}}};
  for (const auto& [index, rgb] : cases) {
    TvlPDColor c{};
    c[0] = index << 16;
    idx.ToRGB(c, out);
    EXPECT_EQ((std::array<int32_t, 3>{out[0], out[1], out[2]}), rgb) << index;
  }
}

TEST(PDColorSpace, SeparationBlackWithoutTintTransform) {
  TvlPDSeparationColorSpace sep;
  sep.ColorantName = "Black";
  sep.Alternate = std::make_unique<TvlPDDeviceCMYKColorSpace>();
  int32_t out[3], expect[3];
  sep.ToRGB(Col({0.5}), out);
  TvlPDDeviceCMYKColorSpace().ToRGB(Col({0, 0, 0, 0.5}), expect);
  EXPECT_EQ(out[0], expect[0]);
  EXPECT_EQ(out[2], expect[2]);
  TvlPDColor init;
  sep.InitialColor(init);  // the alternate's initial colour
  EXPECT_EQ(init[3], 65536);
}

}  // namespace
