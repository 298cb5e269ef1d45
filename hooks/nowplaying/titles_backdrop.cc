// The colour behind the Now Playing titles, drawn the way the screen draws
// it: the artwork into a bitmap of the titles' box, the dim layer over it.
//
// The mean is what the titles are judged against. The dim layer (half
// opaque over the artwork) already halves the artwork's spread, and a mean
// keeps the titles' colour steady while a few stray pixels of a detailed
// cover change; a percentile would follow those pixels.
#include "hooks/nowplaying/titles_backdrop.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/coregraphics/CGContext.h"

namespace {

// The aspect-fill rectangle of an image of `image` points in a view of
// `view` points: scaled to cover, centred.
CGRect aspectFill(CGSize image, CGSize view) {
  double scale = std::max(view.width / image.width, view.height / image.height);
  double w = image.width * scale, h = image.height * scale;
  return CGRectMake((view.width - w) / 2, (view.height - h) / 2, w, h);
}

}  // namespace

UIColor* colourBehindBox(UIImage* artwork, CGSize viewSize, CGRect box, UIColor* dimColour, CGFloat dimAlpha) {
  CGFloat r = 0, g = 0, b = 0, a = 0;
  if (!dimColour || !dimColour->getRGBA(&r, &g, &b, &a)) r = g = b = a = 0;
  const double dim = std::clamp(double(a * dimAlpha), 0.0, 1.0);
  CGImageRef image = artwork ? artwork->CGImage() : nullptr;
  CGSize imageSize = artwork ? artwork->size() : CGSizeMake(0, 0);
  if (!image || imageSize.width <= 0 || imageSize.height <= 0) return dim >= 1 ? UIColor::withRGBA(r, g, b, 1) : nil;

  // A pixel per point of the box, the box cut to the view.
  double left = std::max(0.0, double(box.origin.x)), top = std::max(0.0, double(box.origin.y));
  double right = std::min(double(viewSize.width), double(box.origin.x + box.size.width));
  double bottom = std::min(double(viewSize.height), double(box.origin.y + box.size.height));
  size_t width = right > left ? size_t(std::ceil(right - left)) : 0;
  size_t height = bottom > top ? size_t(std::ceil(bottom - top)) : 0;
  if (width == 0 || height == 0) return nil;

  CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
  CGContextRef context = CGBitmapContextCreate(nullptr, width, height, 8, width * 4, space, kCGImageAlphaPremultipliedLast);
  CGColorSpaceRelease(space);
  if (!context) return nil;
  // The bitmap's user space has y up: a view rectangle lands flipped.
  CGRect fill = aspectFill(imageSize, viewSize);
  CGContextDrawImage(context,
                     CGRectMake(fill.origin.x - left, double(height) - (fill.origin.y - top) - fill.size.height,
                                fill.size.width, fill.size.height),
                     image);
  CGContextSetRGBFillColor(context, r, g, b, dim);
  CGContextFillRect(context, CGRectMake(0, 0, double(width), double(height)));

  const auto* pixels = static_cast<const uint8_t*>(CGBitmapContextGetData(context));
  const size_t stride = CGBitmapContextGetBytesPerRow(context);
  double sum[4] = {0, 0, 0, 0};
  for (size_t y = 0; y < height; ++y)
    for (size_t x = 0; x < width; ++x)
      for (int c = 0; c < 4; ++c) sum[c] += pixels[y * stride + x * 4 + c];
  CGContextRelease(context);
  if (sum[3] <= 0) return nil;
  // Premultiplied sums: dividing by the alpha sum gives the covered pixels' mean.
  return UIColor::withRGBA(sum[0] / sum[3], sum[1] / sum[3], sum[2] / sum[3], 1);
}

bool frameInAncestor(UIView* view, UIView* ancestor, CGRect* frame) {
  if (!view || !ancestor) return false;
  CGRect rect = view->frame();
  for (UIView* above = view->superview(); above; above = above->superview()) {
    if (above == ancestor) return *frame = rect, true;
    // From `above`'s bounds into its superview's.
    CGRect bounds = above->bounds(), outer = above->frame();
    rect.origin.x += outer.origin.x - bounds.origin.x;
    rect.origin.y += outer.origin.y - bounds.origin.y;
  }
  return false;
}
