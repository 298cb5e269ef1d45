// What lies behind the Now Playing titles: the dim layer at its alpha over
// the artwork as aspect fill places it, under the titles' box; and titles
// readable over it.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "colorpicker/ContrastRatio.h"
#include "hooks/nowplaying/scheme.h"
#include "hooks/nowplaying/titles_backdrop.h"
#include "platform/foundation/RunLoop.h"
#include "tests/hooks/nowplaying/screen_support.h"
#include "tests/support/launch.h"
#include "tests/support/picker_images.h"

namespace {

struct RGB {
  double r, g, b;  // 0 to 1
};

struct BehindCase {
  const char* what;
  bool artwork;
  CGRect box;
  RGB dim;
  double dimAlpha;
  std::optional<RGB> expected;
};

// A 10 × 20 artwork, red above blue, fills a 320 × 320 view 640 tall: red
// down to y 160, blue below.
const BehindCase kCases[] = {
    {"black at half over red", true, CGRectMake(0, 0, 320, 100), {0, 0, 0}, 0.5, RGB{0.5, 0, 0}},
    {"half over red, half over blue", true, CGRectMake(0, 110, 320, 100), {0, 0, 0}, 0.5, RGB{0.25, 0, 0.25}},
    {"white at half over red", true, CGRectMake(40, 20, 100, 40), {1, 1, 1}, 0.5, RGB{1, 0.5, 0.5}},
    {"an opaque layer without artwork", false, CGRectMake(0, 0, 320, 100), {0, 1, 0}, 1, RGB{0, 1, 0}},
    {"a translucent layer over nothing known", false, CGRectMake(0, 0, 320, 100), {0, 1, 0}, 0.5, std::nullopt},
    {"a box off the view", true, CGRectMake(0, 400, 320, 100), {0, 0, 0}, 0.5, std::nullopt},
};

TEST(NowPlayingTitlesBackdrop, DimLayerOverTheArtworkUnderTheBoxAndTextClearsTheWorstPixelsNotTheMean) {
  inFreshProcess([] {
    UIImage* artwork = imageFromPixels(10, 20, [](int, int y) { return y < 10 ? Pixel{255, 0, 0} : Pixel{0, 0, 255}; });
    for (const BehindCase& c : kCases) {
      SCOPED_TRACE(c.what);
      std::vector<readable::RGB> behind = pixelsBehindBox(c.artwork ? artwork : nullptr, CGSizeMake(320, 320), c.box,
                                                          UIColor::withRGBA(c.dim.r, c.dim.g, c.dim.b, 1), c.dimAlpha);
      ASSERT_EQ(!behind.empty(), c.expected.has_value());
      RGB mean{0, 0, 0};
      for (const readable::RGB& p : behind) mean.r += p.r, mean.g += p.g, mean.b += p.b;
      if (behind.empty()) continue;
      EXPECT_NEAR(mean.r / behind.size(), c.expected->r, 0.02);
      EXPECT_NEAR(mean.g / behind.size(), c.expected->g, 0.02);
      EXPECT_NEAR(mean.b / behind.size(), c.expected->b, 0.02);
    }

    // Over half black, half dark grey, a text that clears the mean could be
    // lost over the grey: the colour clears the worse half.
    std::vector<readable::RGB> behind(100, {0, 0, 0});
    std::fill(behind.begin(), behind.begin() + 50, readable::RGB{0.25, 0.25, 0.25});
    CGFloat r = 0, g = 0, b = 0, a = 0;
    ASSERT_TRUE(readableOverPixels(UIColor::blackColor(), behind, 4.5)->getRGBA(&r, &g, &b, &a));
    EXPECT_GE(readable::contrastRatio({r, g, b}, {0.25, 0.25, 0.25}), 4.5);
  });
}

// A black cover gives a black scheme whose text colours are black too. With
// ReadableText the titles are readable over what lies behind them, with or
// without the dimmed artwork, while the scheme stays as picked.
TEST(NowPlayingReadableText, TitlesReachAAOverABlackCover) {
  for (bool blurArtwork : {false, true}) {
    SCOPED_TRACE(blurArtwork ? "BlurArtwork on" : "BlurArtwork off");
    inLaunch(nowPlayingLaunch({.blurArtwork = blurArtwork, .adaptive = true, .readableText = true}), [] {
      NowPlayingScreen screen = openNowPlaying();
      changeArtwork(imageFromPixels(64, 64, [](int, int) { return Pixel{0, 0, 0}; }));
      RunLoop::main().advance(1);
      KRColorScheme* scheme = nowPlayingScheme();
      ASSERT_NE(scheme, nullptr);
      EXPECT_EQ(hexOf(scheme->primaryTextColor()), "#000000") << "the picker's own result";
      id titles = objc::send<id()>(screen.controller, "mirel_nowPlayingTitleView"_sel);
      for (const char* label : {"_titleLabel", "_detailLabel"}) {
        UIColor* colour = objc::as<UILabel>(objc::send<id(NSString*)>(titles, "valueForKey:"_sel,
                                                                        NSString::withUTF8(label)))->textColor();
        EXPECT_GE(KRContrastRatio(colour, UIColor::blackColor()), 4.5) << label;
      }
    });
  }
}

}  // namespace
