// Bitmap contexts: creation rules, byte order and origin, paths with tangent
// arcs, clips, blend modes, images and gradients.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/foundation/foundation.h"
#include "platform/uikit/uikit.h"
#include "tests/support/picker_images.h"
#include "tests/support/pixels.h"

namespace {

constexpr RGBA kClear{0, 0, 0, 0};
constexpr RGBA kRed{255, 0, 0, 255};
constexpr RGBA kBlue{0, 0, 255, 255};

Ref<CGContextObj> bitmap(size_t w, size_t h) {
  return adopt(CGBitmapContextCreate(nullptr, w, h, 8, 0, CGColorSpaceCreateDeviceRGB(), kCGImageAlphaPremultipliedLast));
}

void fill(CGContextRef c, CGFloat r, CGFloat g, CGFloat b, CGFloat a, CGRect rect) {
  CGContextSetRGBFillColor(c, r, g, b, a);
  CGContextFillRect(c, rect);
}

// An image from premultiplied RGBA rows, top row first.
CGImageRef imageOf(size_t w, size_t h, const std::vector<RGBA>& pixels) {
  return imageFromPixels(int(w), int(h), [&](int x, int y) {
    const RGBA& p = pixels[size_t(y) * w + x];
    return Pixel{uint8_t(p.r), uint8_t(p.g), uint8_t(p.b), uint8_t(p.a)};
  })->CGImage();
}

TEST(CGBitmapContextTest, AcceptsOnlyEightBitPremultipliedLastRGB) {
  struct Case {
    const char* what;
    size_t width, height, bitsPerComponent, bytesPerRow;
    CGColorSpaceRef space;
    uint32_t info;
    bool made;
  };
  CGColorSpaceRef rgb = CGColorSpaceCreateDeviceRGB();
  const Case cases[] = {
      {"premultiplied last", 4, 3, 8, 0, rgb, kCGImageAlphaPremultipliedLast, true},
      {"big-endian word order is the same bytes", 4, 3, 8, 16, rgb,
       kCGImageAlphaPremultipliedLast | kCGBitmapByteOrder32Big, true},
      {"zero width", 0, 3, 8, 0, rgb, kCGImageAlphaPremultipliedLast, false},
      {"zero height", 4, 0, 8, 0, rgb, kCGImageAlphaPremultipliedLast, false},
      {"oversized", 40000, 1, 8, 0, rgb, kCGImageAlphaPremultipliedLast, false},
      {"16 bits", 4, 3, 16, 0, rgb, kCGImageAlphaPremultipliedLast, false},
      {"grey space", 4, 3, 8, 0, CGColorSpaceCreateDeviceGray(), kCGImageAlphaPremultipliedLast, false},
      {"alpha first", 4, 3, 8, 0, rgb, kCGImageAlphaPremultipliedFirst, false},
      {"no alpha", 4, 3, 8, 0, rgb, kCGImageAlphaNone, false},
      {"rows too short", 4, 3, 8, 12, rgb, kCGImageAlphaPremultipliedLast, false},
  };
  for (const Case& c : cases) {
    Ref<CGContextObj> context =
        adopt(CGBitmapContextCreate(nullptr, c.width, c.height, c.bitsPerComponent, c.bytesPerRow, c.space, c.info));
    EXPECT_EQ(context != nullptr, c.made) << c.what;
  }
}

TEST(CGBitmapContextTest, OriginIsBottomLeftAndBytesReadRGBA) {
  Ref<CGContextObj> c = bitmap(4, 4);
  fill(c, 1, 0, 0, 1, CGRectMake(0, 0, 4, 2));  // the lower half in user space
  fill(c, 0, 0, 1, 1, CGRectMake(3, 3, 1, 1));  // the top-right pixel
  EXPECT_EQ(pixelAt(c.get(), 0, 0), kClear);
  EXPECT_EQ(pixelAt(c.get(), 3, 0), kBlue);
  EXPECT_EQ(pixelAt(c.get(), 0, 3), kRed);
  EXPECT_EQ(pixelAt(c.get(), 2, 2), kRed);
  Ref<CGImageObj> image = adopt(CGBitmapContextCreateImage(c));
  EXPECT_EQ(pixelAt(image.get(), 3, 0), kBlue);
  EXPECT_EQ(pixelAt(image.get(), 1, 3), kRed);
}

TEST(CGBitmapContextTest, CallerBytesAreDrawnInPlaceBothWays) {
  std::vector<uint8_t> bytes(2 * 2 * 4, 0);
  bytes[3] = 255;  // the top-left pixel starts opaque black
  Ref<CGContextObj> c = adopt(CGBitmapContextCreate(bytes.data(), 2, 2, 8, 8, CGColorSpaceCreateDeviceRGB(),
                                                    kCGImageAlphaPremultipliedLast));
  fill(c, 0, 0, 1, 0.4, CGRectMake(0, 0, 2, 1));  // the bottom row, translucent
  EXPECT_EQ(bytes[3], 255) << "an operation keeps what the caller put there";
  EXPECT_EQ(bytes[8 + 2], 102);
  bytes[4] = 255, bytes[7] = 255;  // the caller writes the top-right pixel red
  Ref<CGImageObj> image = adopt(CGBitmapContextCreateImage(c));
  EXPECT_EQ(pixelAt(image.get(), 1, 0), kRed);
  EXPECT_EQ(pixelAt(image.get(), 0, 0), (RGBA{0, 0, 0, 255}));
}

// A 20 × 20 square whose corner at the origin is rounded with radius 8 by a
// tangent arc, and the other three square.
void roundedCornerPath(CGContextRef c, CGFloat radius) {
  CGContextBeginPath(c);
  CGContextMoveToPoint(c, 0, 10);
  CGContextAddArcToPoint(c, 0, 0, 10, 0, radius);
  CGContextAddLineToPoint(c, 20, 0);
  CGContextAddLineToPoint(c, 20, 20);
  CGContextAddLineToPoint(c, 0, 20);
  CGContextClosePath(c);
}

TEST(CGContextPathTest, TangentArcRoundsTheCornerWithItsRadiusAndNoTurnIsALine) {
  for (CGFloat radius : {8.0, 0.0, -3.0}) {
    SCOPED_TRACE(radius);
    Ref<CGContextObj> c = bitmap(20, 20);
    roundedCornerPath(c, radius);
    CGContextSetRGBFillColor(c, 1, 0, 0, 1);
    CGContextFillPath(c);
    // User (0, 0) is the bottom-left pixel, row 19 in memory. The arc's
    // centre is (8, 8): pixels clearly outside the circle are empty, inside
    // full; with no radius the corner is square.
    const RGBA corner = radius > 0 ? kClear : kRed;
    EXPECT_EQ(pixelAt(c.get(), 0, 19), corner);
    EXPECT_EQ(pixelAt(c.get(), 1, 18), corner);  // centre (1.5, 1.5): 9.2 from the arc's centre
    EXPECT_EQ(pixelAt(c.get(), 3, 16), kRed);    // centre (3.5, 3.5): 6.4 from it
    EXPECT_EQ(pixelAt(c.get(), 0, 11), kRed);    // the edge above the arc
    EXPECT_EQ(pixelAt(c.get(), 11, 19), kRed);   // the edge right of the arc
    EXPECT_EQ(pixelAt(c.get(), 0, 0), kRed);     // a square corner
    EXPECT_EQ(pixelAt(c.get(), 19, 19), kRed);
  }
  Ref<CGContextObj> c = bitmap(10, 10);
  CGContextMoveToPoint(c, 0, 0);
  CGContextAddArcToPoint(c, 5, 0, 10, 0, 4);  // collinear: no corner to round
  CGContextAddLineToPoint(c, 10, 0);
  CGContextAddLineToPoint(c, 10, 10);
  CGContextAddLineToPoint(c, 0, 10);
  CGContextClosePath(c);
  CGContextSetRGBFillColor(c, 1, 0, 0, 1);
  CGContextFillPath(c);
  EXPECT_EQ(pixelAt(c.get(), 5, 9), kRed);
}

// A clip, a translation, a fill colour and a blend mode set after a save
// all go with the restore.
TEST(CGContextStateTest, RestoreBringsBackClipCTMColourAndBlendMode) {
  Ref<CGContextObj> c = bitmap(4, 4);
  CGContextSetRGBFillColor(c, 0, 0, 1, 1);
  CGContextSaveGState(c);
  CGContextBeginPath(c);
  CGContextAddRect(c, CGRectMake(0, 0, 2, 4));
  CGContextClip(c);
  fill(c, 1, 0, 0, 1, CGRectMake(0, 0, 4, 4));
  CGContextTranslateCTM(c, 2, 2);
  CGContextSetBlendMode(c, kCGBlendModeClear);
  CGContextRestoreGState(c);
  EXPECT_EQ(pixelAt(c.get(), 1, 1), kRed);
  EXPECT_EQ(pixelAt(c.get(), 2, 1), kClear);
  CGContextFillRect(c, CGRectMake(3, 0, 1, 4));
  EXPECT_EQ(pixelAt(c.get(), 3, 1), kBlue) << "the restored state has no clip, no translation and blends normally";
}

TEST(CGContextClipTest, ClipToMaskUsesTheImageAlphaOverTheRectangle) {
  CGImageRef mask = imageOf(2, 1, {{0, 0, 0, 255}, {0, 0, 0, 102}});
  Ref<CGContextObj> c = bitmap(4, 1);
  CGContextClipToMask(c, CGRectMake(0, 0, 2, 1), mask);
  fill(c, 0, 0, 1, 1, CGRectMake(0, 0, 4, 1));
  EXPECT_EQ(pixelAt(c.get(), 0, 0), kBlue);
  EXPECT_TRUE(near(pixelAt(c.get(), 1, 0), {0, 0, 102, 102}, 1)) << pixelAt(c.get(), 1, 0);
  EXPECT_EQ(pixelAt(c.get(), 2, 0), kClear) << "outside the mask's rectangle nothing is drawn";
}

TEST(CGContextBlendTest, PorterDuffModesCompositeInsideTheShapeOnly) {
  // A "glyph": opaque, 40% and empty pixels in one row.
  CGImageRef glyph = imageOf(3, 1, {{0, 0, 0, 255}, {0, 0, 0, 102}, {0, 0, 0, 0}});
  struct Case {
    const char* what;
    CGBlendMode mode;
    bool colourFirst;  // fill, then draw the glyph; else the other way round
    RGBA expected[3];
    CGFloat fillWidth = 3;
  };
  const Case cases[] = {
      {"source-in keeps the glyph's alpha", kCGBlendModeSourceIn, false, {kRed, {102, 0, 0, 102}, kClear}},
      {"source-in leaves what lies outside its rectangle", kCGBlendModeSourceIn, false,
       {kRed, {0, 0, 0, 102}, kClear}, 1},
      {"destination-out cuts holes", kCGBlendModeDestinationOut, true, {kClear, {153, 0, 0, 153}, kRed}},
      {"normal draws over", kCGBlendModeNormal, true, {{0, 0, 0, 255}, {153, 0, 0, 255}, kRed}},
  };
  for (const Case& k : cases) {
    Ref<CGContextObj> c = bitmap(3, 1);
    if (k.colourFirst) {
      fill(c, 1, 0, 0, 1, CGRectMake(0, 0, 3, 1));
      CGContextSetBlendMode(c, k.mode);
      CGContextDrawImage(c, CGRectMake(0, 0, 3, 1), glyph);
    } else {
      CGContextDrawImage(c, CGRectMake(0, 0, 3, 1), glyph);
      CGContextSetBlendMode(c, k.mode);
      fill(c, 1, 0, 0, 1, CGRectMake(0, 0, k.fillWidth, 1));
    }
    for (int x = 0; x < 3; ++x)
      EXPECT_TRUE(near(pixelAt(c.get(), x, 0), k.expected[x], 1)) << k.what << " at " << x << ": " << pixelAt(c.get(), x, 0);
  }
}

TEST(CGContextImageTest, DrawsUprightAndScaled) {
  CGImageRef image = imageOf(1, 2, {kRed, kBlue});  // red over blue
  Ref<CGContextObj> c = bitmap(2, 4);
  CGContextDrawImage(c, CGRectMake(0, 0, 2, 4), image);
  EXPECT_EQ(pixelAt(c.get(), 0, 0), kRed);
  EXPECT_EQ(pixelAt(c.get(), 1, 0), kRed);
  EXPECT_EQ(pixelAt(c.get(), 1, 3), kBlue);
  Ref<CGContextObj> flipped = bitmap(1, 2);
  CGContextTranslateCTM(flipped, 0, 2);
  CGContextScaleCTM(flipped, 1, -1);
  CGContextDrawImage(flipped, CGRectMake(0, 0, 1, 2), image);
  EXPECT_EQ(pixelAt(flipped.get(), 0, 0), kBlue) << "in a flipped context the image comes out upside down";
}

TEST(CGContextGradientTest, LinearGradientWithoutOptionsStaysBetweenItsPoints) {
  CGFloat components[] = {1, 0, 0, 1, 0, 0, 1, 1};
  Ref<CGGradientObj> gradient =
      adopt(CGGradientCreateWithColorComponents(CGColorSpaceCreateDeviceRGB(), components, nullptr, 2));
  Ref<CGContextObj> c = bitmap(1, 12);
  CGContextDrawLinearGradient(c, gradient, CGPointMake(0, 2), CGPointMake(0, 10), 0);
  EXPECT_EQ(pixelAt(c.get(), 0, 11), kClear);  // user y 0..1, before the start
  EXPECT_EQ(pixelAt(c.get(), 0, 0), kClear);   // user y 11..12, after the end
  EXPECT_TRUE(near(pixelAt(c.get(), 0, 9), kRed, 20)) << pixelAt(c.get(), 0, 9);
  EXPECT_TRUE(near(pixelAt(c.get(), 0, 2), kBlue, 20)) << pixelAt(c.get(), 0, 2);
  Ref<CGContextObj> extended = bitmap(1, 12);
  CGContextDrawLinearGradient(extended, gradient, CGPointMake(0, 2), CGPointMake(0, 10),
                              kCGGradientDrawsBeforeStartLocation | kCGGradientDrawsAfterEndLocation);
  EXPECT_EQ(pixelAt(extended.get(), 0, 11), kRed);
  EXPECT_EQ(pixelAt(extended.get(), 0, 0), kBlue);
  Ref<CGContextObj> degenerate = bitmap(2, 2);
  CGContextDrawLinearGradient(degenerate, gradient, CGPointMake(1, 1), CGPointMake(1, 1), 0);
  EXPECT_EQ(pixelAt(degenerate.get(), 0, 0), kClear);
}

TEST(CGGradientTest, GreyColoursBecomeRGBStopsSpacedEvenly) {
  CGFloat white[] = {1, 1}, red[] = {1, 0, 0, 1}, black[] = {0, 0.5};
  Ref<CGColorObj> w = adopt(CGColorCreate(CGColorSpaceCreateDeviceGray(), white));
  Ref<CGColorObj> r = adopt(CGColorCreate(CGColorSpaceCreateDeviceRGB(), red));
  Ref<CGColorObj> b = adopt(CGColorCreate(CGColorSpaceCreateDeviceGray(), black));
  Ref<CGGradientObj> g = adopt(CGGradientCreateWithColors(CGColorSpaceCreateDeviceRGB(), NSArray::withObjects({w, r, b}), nullptr));
  ASSERT_EQ(g->_stops.size(), 3u);
  EXPECT_EQ(g->_stops[1].location, 0.5);
  EXPECT_EQ(g->_stops[0].blue, 1.0);
  EXPECT_EQ(g->_stops[2].alpha, 0.5);
  EXPECT_EQ(g->_stops[2].red, 0.0);
}

TEST(CGImageTest, LayoutsBecomePremultipliedRGBA) {
  struct Case {
    const char* what;
    size_t bitsPerPixel;
    uint32_t info;
    std::vector<uint8_t> bytes;
    RGBA expected;
  };
  const Case cases[] = {
      {"premultiplied last", 32, kCGImageAlphaPremultipliedLast, {100, 50, 0, 200}, {100, 50, 0, 200}},
      {"straight alpha is premultiplied", 32, kCGImageAlphaLast, {255, 102, 0, 51}, {51, 20, 0, 51}},
      {"skipped alpha is opaque", 32, kCGImageAlphaNoneSkipLast, {1, 2, 3, 0}, {1, 2, 3, 255}},
      {"24-bit RGB", 24, kCGImageAlphaNone, {7, 8, 9}, {7, 8, 9, 255}},
  };
  for (const Case& k : cases) {
    CGDataProviderRef provider = CGDataProviderCreateWithData(nullptr, k.bytes.data(), k.bytes.size(), nullptr);
    Ref<CGImageObj> image = adopt(CGImageCreate(1, 1, 8, k.bitsPerPixel, k.bitsPerPixel / 8, CGColorSpaceCreateDeviceRGB(),
                                                k.info, provider, nullptr, false, kCGRenderingIntentDefault));
    CGDataProviderRelease(provider);
    ASSERT_TRUE(image) << k.what;
    EXPECT_EQ(pixelAt(image.get(), 0, 0), k.expected) << k.what;
  }
}

TEST(CGImageTest, RejectsWhatItCannotReadAndReleasesTheDataOnce) {
  static int releases = 0;
  releases = 0;
  std::vector<uint8_t> bytes(16, 0);
  CGDataProviderRef provider =
      CGDataProviderCreateWithData(nullptr, bytes.data(), bytes.size(), [](void*, const void*, size_t) { ++releases; });
  CGColorSpaceRef rgb = CGColorSpaceCreateDeviceRGB();
  // 24 bytes of rows from 16; alpha first; no alpha in 32 bits per pixel.
  for (auto [width, info] : {std::pair{size_t(3), kCGImageAlphaPremultipliedLast},
                             std::pair{size_t(2), kCGImageAlphaPremultipliedFirst}, std::pair{size_t(2), kCGImageAlphaNone}})
    EXPECT_EQ(CGImageCreate(width, 2, 8, 32, width * 4, rgb, info, provider, nullptr, false, kCGRenderingIntentDefault),
              nullptr)
        << width << " wide, alpha info " << info;
  CGImageRef image =
      CGImageCreate(2, 2, 8, 32, 8, rgb, kCGImageAlphaPremultipliedLast, provider, nullptr, false, kCGRenderingIntentDefault);
  ASSERT_NE(image, nullptr);
  CGDataProviderRelease(provider);
  EXPECT_EQ(releases, 0) << "the image keeps its provider";
  EXPECT_EQ(CGImageGetWidth(image), 2u);
  EXPECT_EQ(CGImageGetAlphaInfo(image), kCGImageAlphaPremultipliedLast);
  CGImageRelease(image);
  EXPECT_EQ(releases, 1);
}

}  // namespace
