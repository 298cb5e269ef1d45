// The image-context stack, one per thread, as UIKit keeps it.
#include "platform/uikit/UIGraphics.h"

#include <cmath>
#include <vector>

#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIScreen.h"

namespace {

struct ImageContext {
  Ref<CGContextObj> context;  // null for a size that gives no bitmap
  CGFloat scale;
};

std::vector<ImageContext>& stack() {
  thread_local std::vector<ImageContext> contexts;
  return contexts;
}

// Point sizes times scales carry rounding noise (1.1 × 3 is 3.3000000000000003):
// a side is rounded up only past a small tolerance.
size_t pixels(CGFloat points, CGFloat scale) {
  double exact = points * scale;
  if (!(exact > 0) || !std::isfinite(exact)) return 0;
  double rounded = std::ceil(exact - 1e-6);
  return rounded > 32767 ? 0 : static_cast<size_t>(rounded);
}

}  // namespace

void UIGraphicsBeginImageContextWithOptions(CGSize size, BOOL opaque, CGFloat scale) {
  if (scale == 0) scale = UIScreen::mainScreen()->scale();
  size_t width = pixels(size.width, scale), height = pixels(size.height, scale);
  Ref<CGContextObj> context;
  if (width && height)
    context = adopt(CGBitmapContextCreate(nullptr, width, height, 8, 0, CGColorSpaceCreateDeviceRGB(),
                                          kCGImageAlphaPremultipliedLast));
  if (context) {
    if (opaque) {
      CGContextSetRGBFillColor(context, 0, 0, 0, 1);
      CGContextFillRect(context, CGRectMake(0, 0, CGFloat(width), CGFloat(height)));
    }
    CGContextTranslateCTM(context, 0, CGFloat(height));
    CGContextScaleCTM(context, scale, -scale);
  }
  stack().push_back({context, scale});
}

void UIGraphicsBeginImageContext(CGSize size) { UIGraphicsBeginImageContextWithOptions(size, NO, 1.0); }

CGContextRef UIGraphicsGetCurrentContext() { return stack().empty() ? nullptr : stack().back().context.get(); }

UIImage* UIGraphicsGetImageFromCurrentImageContext() {
  if (stack().empty() || !stack().back().context) return nil;
  Ref<CGImageObj> image = adopt(CGBitmapContextCreateImage(stack().back().context));
  return UIImage::imageWithCGImage(image, stack().back().scale, UIImageOrientationUp);
}

void UIGraphicsEndImageContext() {
  if (!stack().empty()) stack().pop_back();
}
