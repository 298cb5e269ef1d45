// UIImage, the image-context stack, -[UIColor setFill]/setStroke, drawing
// with cap insets, and PNG files. (Filling through a mask is pinned by the
// recolouring helper's own test.)
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/foundation/foundation.h"
#include "platform/uikit/uikit.h"
#include "tests/support/pixels.h"
#include "tests/support/screen_scale.h"

namespace {

constexpr RGBA kClear{0, 0, 0, 0};
constexpr RGBA kRed{255, 0, 0, 255};
constexpr RGBA kBlue{0, 0, 255, 255};

// An image of what `draw` does in a fresh image context (UIKit coordinates).
template <class Draw>
UIImage* drawn(CGSize size, CGFloat scale, Draw draw) {
  UIGraphicsBeginImageContextWithOptions(size, NO, scale);
  draw(UIGraphicsGetCurrentContext());
  UIImage* image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

// An image made by filling rectangles, one after another.
struct Fill {
  RGBA colour;
  CGRect rect;
};

UIImage* filled(CGSize size, CGFloat scale, std::initializer_list<Fill> fills) {
  return drawn(size, scale, [&](CGContextRef c) {
    for (const Fill& f : fills) {
      CGContextSetRGBFillColor(c, f.colour.r / 255.0, f.colour.g / 255.0, f.colour.b / 255.0, f.colour.a / 255.0);
      CGContextFillRect(c, f.rect);
    }
  });
}

TEST(UIGraphicsTest, ImageContextWorksInPointsFromTheTopLeft) {
  struct Case {
    CGFloat scale, screen;
    size_t pixelsPerPoint;
  };
  for (Case k : {Case{1, 2, 1}, Case{2, 1, 2}, Case{0, 3, 3}}) {
    ScreenScale screen(k.screen);
    UIImage* image = filled(CGSizeMake(3, 2), k.scale, {{kRed, CGRectMake(0, 0, 1, 1)}});
    ASSERT_TRUE(image);
    CGImageRef cg = image->CGImage();
    size_t n = k.pixelsPerPoint;
    EXPECT_EQ(CGImageGetWidth(cg), 3 * n);
    EXPECT_EQ(CGImageGetHeight(cg), 2 * n);
    EXPECT_EQ(image->scale(), CGFloat(n));
    EXPECT_EQ(image->size(), CGSizeMake(3, 2));
    EXPECT_EQ(image->imageOrientation(), UIImageOrientationUp);
    EXPECT_EQ(pixelAt(cg, 0, 0), kRed) << "scale " << k.scale;
    EXPECT_EQ(pixelAt(cg, n - 1, n - 1), kRed);
    EXPECT_EQ(pixelAt(cg, n, 0), kClear);
    EXPECT_EQ(pixelAt(cg, 0, n), kClear);
  }
}

TEST(UIGraphicsTest, ZeroSizedContextGivesNoImageAndKeepsTheStackBalanced) {
  EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
  UIGraphicsBeginImageContext(CGSizeMake(2, 2));
  CGContextRef outer = UIGraphicsGetCurrentContext();
  ASSERT_NE(outer, nullptr);
  for (CGSize size : {CGSizeMake(0, 5), CGSizeMake(5, 0), CGSizeMake(-1, 4)}) {
    UIGraphicsBeginImageContextWithOptions(size, NO, 1);
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    EXPECT_EQ(UIGraphicsGetImageFromCurrentImageContext(), nil);
    UIColor::redColor()->setFill();  // no context: nothing happens
    UIGraphicsEndImageContext();
    EXPECT_EQ(UIGraphicsGetCurrentContext(), outer);
  }
  UIGraphicsEndImageContext();
  EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
}

TEST(UIGraphicsTest, SetFillAndSetStrokeColourTheCurrentContext) {
  UIImage* image = drawn(CGSizeMake(5, 5), 1, [](CGContextRef c) {
    UIColor::blueColor()->setFill();
    UIColor::redColor()->setStroke();
    CGContextFillRect(c, CGRectMake(0, 0, 5, 5));
    CGContextSetLineWidth(c, 2);
    CGContextStrokeRect(c, CGRectMake(0, 0, 5, 5));  // covers the outer pixel ring
  });
  EXPECT_EQ(pixelAt(image->CGImage(), 0, 2), kRed);
  EXPECT_EQ(pixelAt(image->CGImage(), 2, 2), kBlue);
}

TEST(UIImageTest, DerivedImagesKeepPixelsScaleAndOtherAttributes) {
  UIImage* image = drawn(CGSizeMake(4, 2), 2, [](CGContextRef) {});
  UIImage* caps = image->resizableImageWithCapInsets(UIEdgeInsetsMake(1, 2, 0.5, 1));
  UIImage* both = caps->imageWithRenderingMode(UIImageRenderingModeAlwaysTemplate);
  EXPECT_EQ(both->CGImage(), image->CGImage());
  EXPECT_EQ(both->scale(), 2);
  EXPECT_EQ(both->size(), CGSizeMake(4, 2));
  EXPECT_EQ(both->capInsets(), UIEdgeInsetsMake(1, 2, 0.5, 1));
  EXPECT_EQ(both->renderingMode(), UIImageRenderingModeAlwaysTemplate);
  EXPECT_EQ(caps->renderingMode(), UIImageRenderingModeAutomatic);
  EXPECT_EQ(image->capInsets(), UIEdgeInsetsZero);
  Method m = class_getInstanceMethod(objc::classOf<UIImage>(), "resizableImageWithCapInsets:"_sel);
  EXPECT_STREQ(method_getTypeEncoding(m), "@@:{UIEdgeInsets=dddd}");
  EXPECT_EQ(UIImage::imageWithCGImage(nullptr), nil);
  UIImage* scaled = UIImage::imageWithCGImage(image->CGImage(), 4, UIImageOrientationLeft);
  EXPECT_EQ(scaled->size(), CGSizeMake(1, 2)) << "a quarter turn: the upright picture's sides";
  EXPECT_EQ(scaled->imageOrientation(), UIImageOrientationLeft);
}

TEST(UIImageTest, DrawInRectStretchesUprightAndCapInsetsKeepTheirEdges) {
  UIImage* redOverBlue = filled(CGSizeMake(1, 2), 1, {{kRed, CGRectMake(0, 0, 1, 1)}, {kBlue, CGRectMake(0, 1, 1, 1)}});
  UIImage* stretched = drawn(CGSizeMake(3, 6), 1, [&](CGContextRef) { redOverBlue->drawInRect(CGRectMake(0, 0, 3, 6)); });
  EXPECT_EQ(pixelAt(stretched->CGImage(), 1, 0), kRed);
  EXPECT_EQ(pixelAt(stretched->CGImage(), 2, 5), kBlue);
  UIImage* offset = drawn(CGSizeMake(2, 2), 1, [&](CGContextRef) { redOverBlue->drawInRect(CGRectMake(1, 0, 1, 2)); });
  EXPECT_EQ(pixelAt(offset->CGImage(), 0, 0), kClear);
  EXPECT_EQ(pixelAt(offset->CGImage(), 1, 0), kRed);
  // 3 × 3: a red ring around one blue pixel, with caps of 1 on every side.
  UIImage* ring = filled(CGSizeMake(3, 3), 1, {{kRed, CGRectMake(0, 0, 3, 3)}, {kBlue, CGRectMake(1, 1, 1, 1)}});
  UIImage* caps = ring->resizableImageWithCapInsets(UIEdgeInsetsMake(1, 1, 1, 1));
  UIImage* big = drawn(CGSizeMake(7, 7), 1, [&](CGContextRef) { caps->drawInRect(CGRectMake(0, 0, 7, 7)); });
  CGImageRef cg = big->CGImage();
  EXPECT_EQ(pixelAt(cg, 0, 0), kRed);
  EXPECT_EQ(pixelAt(cg, 3, 0), kRed);
  EXPECT_EQ(pixelAt(cg, 6, 3), kRed);
  EXPECT_EQ(pixelAt(cg, 3, 3), kBlue);
  EXPECT_EQ(pixelAt(cg, 3, 2), kBlue) << "the centre stretches to the caps";
}

// PNG files written and read back, by path and by name, in one folder.
TEST(UIImageFilesTest, WrittenPixelsReadBackAtTheScaleTheNameOrTheScreenSays) {
  char dir[] = "/tmp/mirel-png-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  auto in = [&](const char* file) { return std::string(dir) + "/" + file; };
  std::string error;
  UIImage* image = filled(CGSizeMake(3, 1), 1, {{kRed, CGRectMake(0, 0, 1, 1)}, {{0, 0, 255, 153}, CGRectMake(1, 0, 1, 1)}});
  ASSERT_TRUE(UIImageWritePNG(image, in("strip@2x.png").c_str(), &error)) << error;
  UIImage* back = UIImage::imageWithContentsOfFile(NSString::withUTF8(in("strip@2x.png")));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->scale(), 2) << "@2x in the name";
  for (size_t x = 0; x < 3; ++x) EXPECT_EQ(pixelAt(back->CGImage(), x, 0), pixelAt(image->CGImage(), x, 0)) << x;
  EXPECT_EQ(UIImage::imageWithContentsOfFile(NSString::withUTF8(in("missing.png"))), nil);
  EXPECT_FALSE(UIImageWritePNG(image, in("no/such/dir.png").c_str(), &error));

  // By name: the file for the screen's scale first, then the other.
  UIImage* one = drawn(CGSizeMake(1, 1), 1, [](CGContextRef) {});
  UIImage* two = drawn(CGSizeMake(1, 1), 2, [](CGContextRef) {});
  ASSERT_TRUE(UIImageWritePNG(one, in("dot.png").c_str(), &error)) << error;
  ASSERT_TRUE(UIImageWritePNG(two, in("dot@2x.png").c_str(), &error)) << error;
  ASSERT_TRUE(UIImageWritePNG(two, in("only@2x.png").c_str(), &error)) << error;
  NSBundleSetResourcePath(dir);
  struct Case {
    CGFloat screen;
    const char* name;
    CGFloat scale;
  };
  for (Case k : {Case{1, "dot", 1}, Case{2, "dot", 2}, Case{2, "dot.png", 2}, Case{1, "only", 2}}) {
    ScreenScale screen(k.screen);
    UIImage* named = UIImage::imageNamed(NSString::withUTF8(k.name));
    ASSERT_TRUE(named) << k.name;
    EXPECT_EQ(named->scale(), k.scale) << k.name << " on a screen of scale " << k.screen;
    EXPECT_EQ(named->size(), CGSizeMake(1, 1));
  }
  EXPECT_EQ(UIImage::imageNamed("absent"_ns), nil);
  EXPECT_EQ(UIImage::imageNamed(nil), nil);
  for (const char* file : {"strip@2x.png", "dot.png", "dot@2x.png", "only@2x.png"}) std::remove(in(file).c_str());
  rmdir(dir);
}

}  // namespace
