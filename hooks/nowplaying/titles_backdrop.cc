// The pixels behind the Now Playing titles, drawn the way the screen draws
// them: the artwork into a bitmap of the titles' box, the dim layer over it.
//
// A mean of them would be a colour no pixel has: over a noisy or striped
// cover a text can clear the mean and still be lost over half the box. The
// readability report judges the 10th percentile of contrast over the
// screen's pixels; the 5th over these (a pixel per point, the text's box
// estimated from its label) leaves a margin for the difference.
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

std::vector<readable::RGB> pixelsBehindBox(UIImage* artwork, CGSize viewSize, CGRect box, UIColor* dimColour,
                                           CGFloat dimAlpha) {
  CGFloat r = 0, g = 0, b = 0, a = 0;
  if (!dimColour || !dimColour->getRGBA(&r, &g, &b, &a)) r = g = b = a = 0;
  const double dim = std::clamp(double(a * dimAlpha), 0.0, 1.0);
  CGImageRef image = artwork ? artwork->CGImage() : nullptr;
  CGSize imageSize = artwork ? artwork->size() : CGSizeMake(0, 0);
  if (!image || imageSize.width <= 0 || imageSize.height <= 0) {
    if (dim >= 1) return {{r, g, b}};
    return {};
  }

  // A pixel per point of the box, the box cut to the view.
  double left = std::max(0.0, double(box.origin.x)), top = std::max(0.0, double(box.origin.y));
  double right = std::min(double(viewSize.width), double(box.origin.x + box.size.width));
  double bottom = std::min(double(viewSize.height), double(box.origin.y + box.size.height));
  size_t width = right > left ? size_t(std::ceil(right - left)) : 0;
  size_t height = bottom > top ? size_t(std::ceil(bottom - top)) : 0;
  if (width == 0 || height == 0) return {};

  CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
  CGContextRef context =
      CGBitmapContextCreate(nullptr, width, height, 8, width * 4, space, kCGImageAlphaPremultipliedLast);
  CGColorSpaceRelease(space);
  if (!context) return {};
  // The bitmap's user space has y up: a view rectangle lands flipped.
  CGRect fill = aspectFill(imageSize, viewSize);
  CGContextDrawImage(context,
                     CGRectMake(fill.origin.x - left, double(height) - (fill.origin.y - top) - fill.size.height,
                                fill.size.width, fill.size.height),
                     image);
  CGContextSetRGBFillColor(context, r, g, b, dim);
  CGContextFillRect(context, CGRectMake(0, 0, double(width), double(height)));

  const auto* bytes = static_cast<const uint8_t*>(CGBitmapContextGetData(context));
  const size_t stride = CGBitmapContextGetBytesPerRow(context);
  std::vector<readable::RGB> pixels;
  pixels.reserve(width * height);
  for (size_t y = 0; y < height; ++y)
    for (size_t x = 0; x < width; ++x) {
      const uint8_t* p = bytes + y * stride + x * 4;
      // Opaque wherever the aspect fill covers, which is the whole view.
      if (p[3] == 255) pixels.push_back({p[0] / 255.0, p[1] / 255.0, p[2] / 255.0});
    }
  CGContextRelease(context);
  return pixels;
}

UIColor* readableOverPixels(UIColor* text, const std::vector<readable::RGB>& behind, double minimumRatio) {
  constexpr int kRounds = 4;
  UIColor* colour = text;
  UIColor* best = text;
  double bestRatio = 0;
  for (int round = 0; colour && !behind.empty(); ++round) {
    CGFloat r = 0, g = 0, b = 0, a = 1;
    colour->getRGBA(&r, &g, &b, &a);
    std::vector<std::pair<double, size_t>> ratios;
    ratios.reserve(behind.size());
    for (size_t i = 0; i < behind.size(); ++i) ratios.push_back({readable::contrastRatio({r, g, b}, behind[i]), i});
    auto worst = ratios.begin() + ratios.size() / 20;
    std::nth_element(ratios.begin(), worst, ratios.end());
    if (worst->first > bestRatio) best = colour, bestRatio = worst->first;
    if (worst->first >= minimumRatio || round == kRounds) break;
    const readable::RGB& pixel = behind[worst->second];
    colour = readableTextColorAgainstBackground(colour, UIColor::withRGBA(pixel.r, pixel.g, pixel.b, 1), minimumRatio);
  }
  return best;
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
