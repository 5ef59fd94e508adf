#include <gtest/gtest.h>

#include "pdf/content/PDColorSpace.h"
#include "pdf/content/PDFunction.h"
#include "pdf/fonts/FontFixture.h"

namespace {

double Eval(const TvlPDFunction& F, double X, int Output = 0) {
  double in[kMaxFunctionArity] = {X}, out[kMaxFunctionArity] = {};
  F.Evaluate(in, out);
  return out[Output];
}

TEST(PDFunction, KindsEvaluate) {
  vltest::FontFixture fx;
  auto sampled = FunctionFromObject(fx.Stream(
      1, "/FunctionType 0 /Domain [0 1] /Range [0 1] /Size [2] /BitsPerSample 8",
      std::string("\x00\xff", 2)));
  ASSERT_NE(sampled, nullptr);
  EXPECT_DOUBLE_EQ(Eval(*sampled, 0.25), 0.25);
  EXPECT_DOUBLE_EQ(Eval(*sampled, 7), 1);  // clipped to the domain

  // 4-bit samples, two outputs, Decode scales them.
  auto packed = FunctionFromObject(fx.Stream(
      2, "/FunctionType 0 /Domain [0 1] /Range [0 2 0 1] /Decode [0 2 0 1] /Size [2] "
         "/BitsPerSample 4",
      std::string("\x0f\xf0", 2)));
  ASSERT_NE(packed, nullptr);
  EXPECT_DOUBLE_EQ(Eval(*packed, 0, 0), 0);
  EXPECT_DOUBLE_EQ(Eval(*packed, 0, 1), 1);
  EXPECT_DOUBLE_EQ(Eval(*packed, 1, 0), 2);

  auto expo = FunctionFromObject(fx.Dict("<< /FunctionType 2 /Domain [0 1] /N 2 >>"));
  ASSERT_NE(expo, nullptr);
  EXPECT_DOUBLE_EQ(Eval(*expo, 0.5), 0.25);

  // Stitching: x = 0.25 evaluates the first function at 0.5, x = 0.5 the second at 0.
  auto stitch = FunctionFromObject(fx.Dict(
      "<< /FunctionType 3 /Domain [0 1] /Bounds [0.5] /Encode [0 1 0 1] /Functions ["
      "<< /FunctionType 2 /Domain [0 1] /N 1 /C0 [0] /C1 [10] >>"
      "<< /FunctionType 2 /Domain [0 1] /N 1 /C0 [100] /C1 [200] >> ] >>"));
  ASSERT_NE(stitch, nullptr);
  EXPECT_DOUBLE_EQ(Eval(*stitch, 0.25), 5);
  EXPECT_DOUBLE_EQ(Eval(*stitch, 0.5), 100);
  auto copy = stitch->Copy();
  EXPECT_DOUBLE_EQ(Eval(*copy, 1), 200);

  auto identity = FunctionFromObject(fx.Object(3, "/Identity"));
  ASSERT_NE(identity, nullptr);
  EXPECT_DOUBLE_EQ(Eval(*identity, 0.75), 0.75);
}

TEST(PDFunction, InvalidFunctionsAreDropped) {
  vltest::FontFixture fx;
  const char* cases[] = {
      "<< /FunctionType 4 /Domain [0 1] /Range [0 1] >>",           // PostScript: unsupported
      "<< /FunctionType 2 /Domain [0 1] >>",                         // no N
      "<< /FunctionType 2 /Domain [0 1] /N 1 /C0 [0 0] /C1 [1] >>",  // C0, C1 lengths differ
      "<< /FunctionType 2 /Domain [0 1 0 1] /N 1 >>",                // two inputs
      "<< /FunctionType 2 /Domain [0 /x] /N 1 >>",                   // non-number domain
      "<< /FunctionType 3 /Domain [0 1] /Functions [] /Bounds [] /Encode [] >>",
      "<< /FunctionType 3 /Domain [0 1] /Bounds [0.5] /Encode [0 1 0 1] /Functions ["
      "<< /FunctionType 2 /Domain [0 1] /N 1 >> ] >>",  // bounds do not match
      "<< /FunctionType 7 /Domain [0 1] >>",
      "<< /Domain [0 1] >>",
  };
  for (const char* c : cases) EXPECT_EQ(FunctionFromObject(fx.Dict(c)), nullptr) << c;
  // A sampled function needs Range, Size and BitsPerSample; a huge Size is refused.
  EXPECT_EQ(FunctionFromObject(fx.Stream(1, "/FunctionType 0 /Domain [0 1] /Size [2] "
                                            "/BitsPerSample 8", "ab")), nullptr);
  EXPECT_EQ(FunctionFromObject(fx.Stream(2, "/FunctionType 0 /Domain [0 1 0 1 0 1] /Range [0 1] "
                                            "/Size [100000 100000 100000] /BitsPerSample 8", "")),
            nullptr);
  // A stitching function that contains itself ends at the nesting limit.
  fx.Object(5, "<< /FunctionType 3 /Domain [0 1] /Bounds [] /Encode [0 1] /Functions [5 0 R] >>");
  EXPECT_EQ(FunctionFromObject(fx.FetchObject(5)), nullptr);
}

TEST(PDColorSpaceFactory, FamiliesFromObjects) {
  vltest::FontFixture fx;
  fx.Stream(1, "/N 3 /Alternate [/CalRGB << >>]", "profile");
  fx.Stream(2, "/N 4", "");
  fx.Stream(3, "/N /Bad", "");
  fx.Stream(4, "", std::string("\xFF\x00\x00\x00\xFF\x00", 6));
  struct Case {
    const char* Text;
    int Family;  // -1: no space
    int Components;
  };
  const Case cases[] = {
      {"/DeviceRGB", cfDeviceRGB, 3},
      {"/G", cfDeviceGray, 1},
      {"/Pattern", -1, 0},
      {"[/CalRGB << /Gamma [2.2 2.2 2.2] >>]", cfCalRGB, 3},
      {"[/CalGray << /Gamma 2.2 >>]", cfCalGray, 1},
      {"[/Lab << /WhitePoint [0.95 1 1.09] >>]", cfLab, 3},
      {"[/ICCBased 1 0 R]", cfICCBased, 3},
      {"[/ICCBased 2 0 R]", cfICCBased, 4},
      {"[/ICCBased 3 0 R]", cfICCBased, 0},
      {"[/Indexed /DeviceRGB 1 4 0 R]", cfIndexed, 1},
      {"[/I /DeviceRGB 1]", -1, 0},
      {"[/Separation /Black /DeviceCMYK << /FunctionType 2 /Domain [0 1] /C0 [0 0 0 0] "
       "/C1 [0 0 0 1] /N 1 >>]",
       cfSeparation, 1},
      {"[/DeviceN [/Cyan /Magenta] /DeviceCMYK /Identity]", cfDeviceN, 2},
      {"[/Pattern /DeviceRGB]", cfPattern, 0},
      {"[/Unknown]", -1, 0},
      {"42", -1, 0},
  };
  for (const Case& c : cases) {
    auto cs = ColorSpaceFromObject(fx.Parse(c.Text).get(), "CS1");
    if (c.Family < 0) {
      EXPECT_EQ(cs, nullptr) << c.Text;
      continue;
    }
    ASSERT_NE(cs, nullptr) << c.Text;
    EXPECT_EQ(cs->Family(), c.Family) << c.Text;
    EXPECT_EQ(cs->ComponentCount(), c.Components) << c.Text;
    EXPECT_EQ(cs->Name, "CS1");
    EXPECT_EQ(cs->Copy()->Family(), c.Family);
  }

  // ICCBased with a CalRGB alternate converts as DeviceRGB.
  auto icc = ColorSpaceFromObject(fx.Parse("[/ICCBased 1 0 R]").get(), "");
  TvlPDColor c{};
  c[0] = 65536;
  int32_t rgb[3];
  icc->ToRGB(c, rgb);
  EXPECT_EQ(rgb[0], 65536);
  EXPECT_EQ(rgb[1], 0);

  // Indexed from a lookup stream, with the index clamped to hival.
  auto idx = ColorSpaceFromObject(fx.Parse("[/Indexed /DeviceRGB 1 4 0 R]").get(), "");
  c[0] = 7 << 16;
  idx->ToRGB(c, rgb);
  EXPECT_EQ(rgb[1], 65536);

  // A Separation with a tint transform: tint 1 gives CMYK black.
  auto sep = ColorSpaceFromObject(fx.Parse(cases[11].Text).get(), "");
  c[0] = 65536;
  sep->ToRGB(c, rgb);
  EXPECT_EQ(rgb[0], 8998);

  // Compound spaces that name themselves end at the nesting limit.
  fx.Object(9, "[/Indexed 9 0 R 1 4 0 R]");
  EXPECT_NO_THROW(ColorSpaceFromObject(fx.FetchObject(9), ""));
}

}  // namespace
