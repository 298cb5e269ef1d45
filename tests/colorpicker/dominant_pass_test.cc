// The counting pass as arithmetic: the alpha bytes counts give, the
// wrap-around samples, the region outside the counted quarter, and the fast
// CPU pass against the plain loop on many images.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>

#include "colorpicker/DominantPass.h"
#include "tests/support/picker_images.h"
#include "tests/support/pixels.h"

namespace {

using Frame = std::array<uint8_t, 32 * 32 * 4>;

Frame texelsOf(const std::function<Pixel(int, int)>& pixel) {
  Frame t{};
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      Pixel p = pixel(x, y);
      uint8_t* o = t.data() + (y * 32 + x) * 4;
      o[0] = p.r, o[1] = p.g, o[2] = p.b, o[3] = p.a;
    }
  return t;
}

// The counts of one of the three passes: countWith<dominantCountPass>(texels).
template <void (*Pass)(const uint8_t*, uint8_t*)>
Frame countWith(const Frame& texels) {
  Frame out{};
  Pass(texels.data(), out.data());
  return out;
}
constexpr auto countFast = countWith<dominantCountPass>;
constexpr auto countPortable = countWith<dominantCountPassPortable>;
constexpr auto countReference = countWith<dominantCountPassReference>;

int alphaAt(const Frame& f, int x, int y) { return f[(y * 32 + x) * 4 + 3]; }

// The fast pass, with and without AVX2, must give the plain loop's bytes.
::testing::AssertionResult passesAgree(const Frame& texels) {
  Frame reference = countReference(texels);
  if (countFast(texels) != reference) return ::testing::AssertionFailure() << "the fast pass differs";
  if (countPortable(texels) != reference) return ::testing::AssertionFailure() << "the pass without AVX2 differs";
  return ::testing::AssertionSuccess();
}

TEST(DominantPassTest, CountsBecomeAlphaAsTheAccumulatorStoresThem) {
  struct Case {
    int count, alpha;
  };
  for (Case c : {Case{0, 0}, Case{1, 1}, Case{90, 90}, Case{91, 90}, Case{128, 127}, Case{256, 255}})
    EXPECT_EQ(dominantAlphaForCount(c.count), c.alpha) << "n = " << c.count;
  for (int n = 1; n <= 256; ++n) EXPECT_GE(dominantAlphaForCount(n), dominantAlphaForCount(n - 1)) << n;
}

TEST(DominantPassTest, UniformImageCountsEverySampleAndBlackensTheRest) {
  for (Pixel colour : {Pixel{255, 255, 255, 255}, Pixel{12, 200, 77, 255}, Pixel{0, 0, 0, 0}}) {
    Frame out = countFast(texelsOf([&](int, int) { return colour; }));
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const uint8_t* p = out.data() + (y * 32 + x) * 4;
        if (x < 16 && y < 16) {
          EXPECT_EQ((RGBA{p[0], p[1], p[2], p[3]}), (RGBA{colour.r, colour.g, colour.b, 255})) << x << "," << y;
        } else {
          EXPECT_EQ((RGBA{p[0], p[1], p[2], p[3]}), (RGBA{0, 0, 0, 255})) << x << "," << y;
        }
      }
  }
}

// Column 31 and row 31 white, everything else black but one mid-grey pixel
// at (5, 5). The samples of column 0 and row 0 straddle the wrap, mixing
// white and black half and half: grey, near the pixel. S(0, 0) has three
// white texels, and the four samples around (5, 5) are a quarter grey. Any
// other texel outside the quarter that reached a sample would move a count.
TEST(DominantPassTest, SamplesOfTheFirstRowAndColumnWrapToTheLast) {
  Frame texels = texelsOf([](int x, int y) {
    if (x == 31 || y == 31) return Pixel{255, 255, 255, 255};
    if (x == 5 && y == 5) return Pixel{128, 128, 128, 255};
    return Pixel{0, 0, 0, 255};
  });
  for (const Frame& out : {countFast(texels), countPortable(texels), countReference(texels)}) {
    EXPECT_EQ(alphaAt(out, 5, 5), dominantAlphaForCount(15 + 15));
    EXPECT_EQ(alphaAt(out, 0, 0), dominantAlphaForCount(15 * 15 - 4));
    EXPECT_EQ(alphaAt(out, 15, 15), dominantAlphaForCount(15 * 15 - 4));
  }
}

// Last, texels alternating g + 25 and g + 26 by column make every sample's
// sum 4g + 102 on each channel: a mean exactly 0.1 above a grey pixel g,
// with U and V of a few millionths. Whether such a sample counts rests on
// the last bits of the single-precision distance, so the passes must round
// alike.
TEST(DominantPassTest, FastPassGivesThePlainLoopsBytes) {
  for (unsigned seed = 0; seed < 400; ++seed)
    ASSERT_TRUE(passesAgree(texelsOf(artwork(seed, 32)))) << "artwork " << seed;
  // Noise, whose pixels the pass takes in colour order, and images that are
  // noise in part, near either side of the switch to that order.
  for (unsigned seed = 0; seed < 200; ++seed) {
    std::mt19937 random(seed);
    int spread = 64 + int(seed % 4) * 64;  // 64 to 256 levels around a base colour
    Frame texels = texelsOf([&](int x, int) {
      auto channel = [&] { return uint8_t(std::min(255, int(seed % 7) * 20 + int(random() % unsigned(spread)))); };
      uint8_t r = channel(), g = channel(), b = channel();
      return x < int(seed % 17) ? Pixel{40, 40, 40, 255} : Pixel{r, g, b, 255};
    });
    ASSERT_TRUE(passesAgree(texels)) << "noise " << seed;
  }
  // Colours straddling the distance: every sample of a two-tone image lies
  // near 0.1 from one of the tones when the tones are 0.1 apart in Y.
  for (int step = 0; step < 64; ++step) {
    ASSERT_TRUE(passesAgree(texelsOf([step](int x, int y) {
      uint8_t g = uint8_t(100 + ((x * 7 + y * 3) % 5) * (20 + step % 8));
      return Pixel{g, g, uint8_t(g / 2 + step), 255};
    }))) << "two-tone " << step;
  }
  int counted = 0, notCounted = 0;
  for (int g = 0; g <= 229; ++g) {
    Frame texels = texelsOf([g](int x, int y) {
      uint8_t v = x == 7 && y == 7 ? uint8_t(g) : uint8_t(g + 25 + (x & 1));
      return Pixel{v, v, v, 255};
    });
    ASSERT_TRUE(passesAgree(texels)) << "grey " << g;
    // Four samples include the pixel itself; the other 252 sit on the edge.
    (alphaAt(countReference(texels), 7, 7) > dominantAlphaForCount(4) ? counted : notCounted) += 1;
  }
  EXPECT_GT(counted, 0);
  EXPECT_GT(notCounted, 0);
}

}  // namespace
