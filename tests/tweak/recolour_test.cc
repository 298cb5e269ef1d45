// The recolouring helpers: attribute dictionaries with a new foreground
// colour, and images filled with one colour, read back pixel by pixel.
#include <gtest/gtest.h>

#include "platform/uikit/uikit.h"
#include "tests/support/launch.h"
#include "tests/support/pixels.h"
#include "tweak/recolour.h"

namespace {

// A 20 × 20 point glyph at scale 2: its top half opaque, a band below it at
// half alpha, the rest transparent.
UIImage* topHeavyGlyph() {
  UIGraphicsBeginImageContextWithOptions(CGSizeMake(20, 20), NO, 2);
  CGContextRef c = UIGraphicsGetCurrentContext();
  CGContextSetRGBFillColor(c, 0.9, 0.1, 0.3, 1);
  CGContextFillRect(c, CGRectMake(0, 0, 20, 10));
  CGContextSetRGBFillColor(c, 0.9, 0.1, 0.3, 0.5);
  CGContextFillRect(c, CGRectMake(0, 10, 20, 4));
  UIImage* image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

TEST(Recolour, AttributesReplaceOnlyTheForegroundOfACopyAndFilledImagesKeepTheirShape) {
  inFreshProcess([] {
    UIFont* font = UIFont::systemFont(13);
    UIColor* red = UIColor::redColor();
    UIColor* blue = UIColor::blueColor();
    struct Case {
      const char* name;
      NSDictionary* given;
      NSUInteger expectedCount;
    };
    const Case cases[] = {
        {"font and red", NSDictionary::withObjectsAndKeys({font, NSFontAttributeName(), red,
                                                           NSForegroundColorAttributeName()}),
         2},
        {"font only", NSDictionary::withObjectsAndKeys({font, NSFontAttributeName()}), 2},
        {"empty", NSDictionary::dictionary(), 1},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      Ref<NSDictionary> before = adopt(objc::as<NSDictionary>(c.given->copy()));
      NSMutableDictionary* result = attributesWithForegroundColor(c.given, blue);
      ASSERT_NE(result, nullptr);
      EXPECT_NE(static_cast<NSDictionary*>(result), c.given);
      EXPECT_TRUE(result->isKindOfClass(objc::classOf<NSMutableDictionary>()));
      EXPECT_EQ(result->count(), c.expectedCount);
      EXPECT_EQ(result->objectForKey(NSForegroundColorAttributeName()), blue);
      EXPECT_EQ(result->objectForKey(NSFontAttributeName()), c.given->objectForKey(NSFontAttributeName()));
      EXPECT_TRUE(c.given->isEqual(before)) << "the dictionary passed in is unchanged";
    }
    EXPECT_EQ(attributesWithForegroundColor(nil, blue), nullptr);

    // An image filled with one colour keeps its size and scale and is upright.
    UIImage* glyph = topHeavyGlyph();
    UIImage* filled = imageFilledWithColor(UIColor::withRGBA(0.2, 0.4, 0.6, 1), glyph);
    ASSERT_NE(filled, nullptr);
    EXPECT_EQ(filled->size(), CGSizeMake(20, 20));
    EXPECT_EQ(filled->scale(), 2);
    EXPECT_NE(filled->renderingMode(), UIImageRenderingModeAlwaysTemplate);

    const RGBA fill{51, 102, 153, 255};
    struct Probe {
      const char* where;
      size_t x, y;  // pixels, from the top
      RGBA expected;
      int tolerance;
    };
    const Probe probes[] = {
        {"opaque, top left", 0, 0, fill, 0},
        {"opaque, top half", 30, 19, fill, 0},
        {"half alpha band", 10, 24, RGBA{26, 51, 77, 128}, 2},
        {"transparent, bottom", 5, 35, RGBA{0, 0, 0, 0}, 0},
        {"transparent, bottom right", 39, 39, RGBA{0, 0, 0, 0}, 0},
    };
    for (const Probe& p : probes) {
      RGBA got = pixelAt(filled->CGImage(), p.x, p.y);
      EXPECT_TRUE(near(got, p.expected, p.tolerance)) << p.where << ": " << got << " expected " << p.expected;
    }
  });
}

}  // namespace
