// UIColor(YUVSpace) and the RGB distance: which colours give channels, the
// rounding of Y, U and V, and the distances' symmetry.
#include <gtest/gtest.h>

#include <cmath>

#include "colorpicker/YUVSpace.h"

namespace {

UIColor* rgb(double r, double g, double b) { return UIColor::withRGBA(r, g, b, 1); }

TEST(YUVSpaceTest, GreyRGBColoursKeepTheWeightsResidue) {
  // The U weights sum to 0.00001 and the V weights to almost nothing.
  for (double c : {0.0, 0.25, 0.5, 1.0}) {
    UIColor* grey = rgb(c, c, c);
    EXPECT_NEAR(YUVSpace::uComponentFromColor(grey), 0.00001 * c, 1e-12) << c;
    EXPECT_LT(std::fabs(YUVSpace::vComponentFromColor(grey)), 1e-16) << c;
    EXPECT_FLOAT_EQ(YUVSpace::yComponentFromColor(grey), float(c)) << c;
  }
}

// The primaries give the weights; colours of other than four components
// (the grey ones, nil) have no channels.
TEST(YUVSpaceTest, ComponentsOfPrimariesAndOfColoursWithoutChannels) {
  struct Case {
    const char* name;
    UIColor* color;
    float y, u, v;
  };
  const Case cases[] = {
      {"red", rgb(1, 0, 0), 0.299f, -0.14713f, 0.615f},
      {"green", rgb(0, 1, 0), 0.587f, -0.28886f, -0.51499f},
      {"blue", rgb(0, 0, 1), 0.114f, 0.436f, -0.10001f},
      {"whiteColor", UIColor::whiteColor(), 0, 0, 0},
      {"blackColor", UIColor::blackColor(), 0, 0, 0},
      {"colorWithWhite", UIColor::withWhite(0.7, 1), 0, 0, 0},
      {"nil", nil, 0, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(YUVSpace::yComponentFromColor(c.color), c.y) << c.name;
    EXPECT_EQ(YUVSpace::uComponentFromColor(c.color), c.u) << c.name;
    EXPECT_EQ(YUVSpace::vComponentFromColor(c.color), c.v) << c.name;
  }
}

TEST(YUVSpaceTest, DistancesInYUVAndRGBSpace) {
  UIColor* red = rgb(1, 0, 0);
  UIColor* blue = rgb(0, 0, 1);
  EXPECT_EQ(YUVSpace::distance(red, blue), YUVSpace::distance(blue, red));
  float dy = 0.299f - 0.114f, du = -0.14713f - 0.436f, dv = 0.615f - -0.10001f;
  EXPECT_FLOAT_EQ(YUVSpace::squareDistance(red, blue), dy * dy + du * du + dv * dv);
  EXPECT_FLOAT_EQ(YUVSpace::distance(red, blue), std::sqrt(YUVSpace::squareDistance(red, blue)));
  struct Case {
    RGBPixel a, b;
    NSInteger expected;
  };
  for (Case c : {Case{{255, 255, 255}, {0, 0, 0}, 195075}, Case{{0, 0, 0}, {255, 255, 255}, 195075},
                 Case{{10, 20, 30}, {10, 20, 30}, 0}, Case{{1, 2, 3}, {4, 6, 15}, 9 + 16 + 144},
                 Case{{200, 0, 0}, {0, 0, 0}, 40000}})
    EXPECT_EQ(squareDistanceInRGBSpaceBetweenColor(c.a, c.b), c.expected);
}

}  // namespace
