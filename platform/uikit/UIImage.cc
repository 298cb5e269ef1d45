// UIImage, its drawing into the current image context and its files (read
// through the one image reader, written through libpng's simplified
// interface).
#include "platform/uikit/UIImage.h"

#include <png.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "platform/coregraphics/CGContext.h"
#include "platform/foundation/NSString.h"
#include "platform/objc/class.h"
#include "platform/uikit/UIImageOrientation.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/UIGraphics.h"
#include "platform/uikit/UIImageFiles.h"
#include "platform/uikit/UIScreen.h"

namespace {

UIImage* makeImage(Class cls, UIImage* like, CGImageRef cgImage, CGFloat scale, UIImageOrientation orientation) {
  auto* image = static_cast<UIImage*>(class_createInstance(cls, 0));
  image->_cgImage = cgImage;
  image->_scale = scale > 0 ? scale : 1;
  image->_imageOrientation = orientation;
  if (like) {
    image->_renderingMode = like->_renderingMode;
    image->_capInsets = like->_capInsets;
  }
  return image;
}

id UIImage_initWithCGImageScaleOrientation(UIImage* self, SEL, CGImageRef cgImage, CGFloat scale,
                                           UIImageOrientation orientation) {
  if (!cgImage) {
    objc_release(self);
    return nil;
  }
  self->_cgImage = cgImage;
  self->_scale = scale > 0 ? scale : 1;
  self->_imageOrientation = orientation;
  return self;
}

id UIImage_initWithCGImage(UIImage* self, SEL, CGImageRef cgImage) {
  return UIImage_initWithCGImageScaleOrientation(self, nullptr, cgImage, 1, UIImageOrientationUp);
}

id UIImage_imageWithCGImageScaleOrientation(Class cls, SEL, CGImageRef cgImage, CGFloat scale,
                                            UIImageOrientation orientation) {
  if (!cgImage) return nil;
  return objc_autorelease(makeImage(cls, nullptr, cgImage, scale, orientation));
}

id UIImage_imageWithCGImage(Class cls, SEL, CGImageRef cgImage) {
  return UIImage_imageWithCGImageScaleOrientation(cls, nullptr, cgImage, 1, UIImageOrientationUp);
}

CGImageRef UIImage_CGImage(UIImage* self, SEL) { return self->_cgImage.get(); }
CGFloat UIImage_scale(UIImage* self, SEL) { return self->_scale; }
UIImageOrientation UIImage_imageOrientation(UIImage* self, SEL) { return self->_imageOrientation; }
UIImageRenderingMode UIImage_renderingMode(UIImage* self, SEL) { return self->_renderingMode; }
UIEdgeInsets UIImage_capInsets(UIImage* self, SEL) { return self->_capInsets; }

// The upright picture's size: a photo taken sideways is as tall as its
// stored pixels are wide.
CGSize UIImage_size(UIImage* self, SEL) {
  if (!self->_cgImage) return CGSizeZero;
  CGSize stored{CGFloat(self->_cgImage->_width) / self->_scale, CGFloat(self->_cgImage->_height) / self->_scale};
  return UIImageOrientationSwapsSides(self->_imageOrientation) ? CGSize{stored.height, stored.width} : stored;
}

UIImage* UIImage_imageWithRenderingMode(UIImage* self, SEL, UIImageRenderingMode mode) {
  UIImage* image = makeImage(object_getClass(self), self, self->_cgImage, self->_scale, self->_imageOrientation);
  image->_renderingMode = mode;
  return objc::as<UIImage>(objc_autorelease(image));
}

UIImage* UIImage_resizableImageWithCapInsets(UIImage* self, SEL, UIEdgeInsets insets) {
  UIImage* image = makeImage(object_getClass(self), self, self->_cgImage, self->_scale, self->_imageOrientation);
  image->_capInsets = insets;
  return objc::as<UIImage>(objc_autorelease(image));
}

// Draws the whole bitmap upright over `rect` in UIKit coordinates: Core
// Graphics draws images with their top row at the maximum y, so the y axis
// is flipped back around the rectangle first.
void drawUpright(CGContextRef context, CGImageRef image, CGRect rect) {
  CGContextSaveGState(context);
  CGContextTranslateCTM(context, 0, rect.origin.y + rect.size.height);
  CGContextScaleCTM(context, 1, -1);
  CGContextDrawImage(context, CGRectMake(rect.origin.x, 0, rect.size.width, rect.size.height), image);
  CGContextRestoreGState(context);
}

// Splits [0, size] at the two caps; caps that do not fit leave the axis as
// one stretched piece, and caps wider than the target shrink in proportion.
struct Axis {
  CGFloat from[4], to[4];
  int pieces;
};
Axis splitAxis(CGFloat size, CGFloat lead, CGFloat trail, CGFloat origin, CGFloat target) {
  if (lead < 0 || trail < 0 || lead + trail >= size || (lead == 0 && trail == 0))
    return {{0, size}, {origin, origin + target}, 1};
  if (lead + trail > target) {
    CGFloat shrink = target / (lead + trail);
    return {{0, lead, size - trail, size}, {origin, origin + lead * shrink, origin + lead * shrink, origin + target}, 3};
  }
  return {{0, lead, size - trail, size}, {origin, origin + lead, origin + target - trail, origin + target}, 3};
}

void UIImage_drawInRect(UIImage* self, SEL, CGRect rect) {
  CGContextRef context = UIGraphicsGetCurrentContext();
  if (!context || !self->_cgImage) return;
  CGSize size = UIImage_size(self, nullptr);
  // The picture is drawn upright, whatever way its pixels are stored.
  Ref<CGImageObj> upright = UIImageUprightCGImage(self->_cgImage, self->_imageOrientation);
  const UIEdgeInsets& caps = self->_capInsets;
  Axis xs = splitAxis(size.width, caps.left, caps.right, rect.origin.x, rect.size.width);
  Axis ys = splitAxis(size.height, caps.top, caps.bottom, rect.origin.y, rect.size.height);
  if (xs.pieces == 1 && ys.pieces == 1) {
    drawUpright(context, upright, rect);
    return;
  }
  // Each piece is cut out of the bitmap, so that stretching one never
  // filters in pixels of its neighbours.
  for (int i = 0; i < xs.pieces; ++i) {
    for (int j = 0; j < ys.pieces; ++j) {
      CGFloat sw = xs.from[i + 1] - xs.from[i], sh = ys.from[j + 1] - ys.from[j];
      CGFloat dw = xs.to[i + 1] - xs.to[i], dh = ys.to[j + 1] - ys.to[j];
      if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) continue;
      CGFloat s = self->_scale;
      Ref<CGImageObj> piece =
          adopt(CGImageCreateWithImageInRect(upright, CGRectMake(xs.from[i] * s, ys.from[j] * s, sw * s, sh * s)));
      if (piece) drawUpright(context, piece, CGRectMake(xs.to[i], ys.to[j], dw, dh));
    }
  }
}

id UIImage_imageWithContentsOfFile(Class cls, SEL, NSString* path) {
  if (!path) return nil;
  const std::string& text = path->str();
  size_t dot = text.rfind('.');
  std::string stem = text.substr(0, dot == std::string::npos || dot < text.rfind('/') + 1 ? text.size() : dot);
  CGFloat scale = stem.size() >= 3 && stem.compare(stem.size() - 3, 3, "@2x") == 0 ? 2 : 1;
  std::string error;
  return UIImageReadFile(text.c_str(), scale, 0, &error);
}

id UIImage_imageNamed(Class cls, SEL, NSString* name) {
  if (!name || name->str().empty()) return nil;
  // The main bundle is reached by name: it belongs to the host's Foundation.
  id bundle = objc::send<id()>(reinterpret_cast<id>(objc_getClass("NSBundle")), "mainBundle"_sel);
  auto* resources = objc::as<NSString>(objc::send<id()>(bundle, "resourcePath"_sel));
  if (!resources) return nil;
  std::string stem = name->str();
  if (stem.size() > 4 && stem.compare(stem.size() - 4, 4, ".png") == 0) stem.resize(stem.size() - 4);
  std::string base = resources->str() + "/" + stem;
  struct Candidate {
    std::string path;
    CGFloat scale;
  };
  Candidate candidates[2] = {{base + ".png", 1}, {base + "@2x.png", 2}};
  if (UIScreen::mainScreen()->scale() >= 2) std::swap(candidates[0], candidates[1]);
  std::string error;
  for (const Candidate& c : candidates)
    if (UIImage* image = UIImageReadFile(c.path.c_str(), c.scale, 0, &error)) return image;
  return nil;
}

}  // namespace

bool UIImageWritePNG(UIImage* image, const char* path, std::string* error) {
  CGImageRef cgImage = image ? image->CGImage() : nullptr;
  if (!cgImage) {
    if (error) *error = "no image";
    return false;
  }
  size_t width = CGImageGetWidth(cgImage), height = CGImageGetHeight(cgImage);
  const uint8_t* rgba = CGImageGetPremultipliedRGBA(cgImage);
  std::string straight(width * height * 4, '\0');
  auto* out = reinterpret_cast<uint8_t*>(straight.data());
  for (size_t i = 0; i < width * height; ++i, rgba += 4, out += 4) {
    uint8_t a = rgba[3];
    for (int c = 0; c < 3; ++c) out[c] = a ? uint8_t(std::min(255, (rgba[c] * 255 + a / 2) / a)) : 0;
    out[3] = a;
  }
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(width);
  png.height = static_cast<png_uint_32>(height);
  png.format = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&png, path, 0, straight.data(), static_cast<png_int_32>(width * 4), nullptr)) {
    if (error) *error = png.message;
    png_image_free(&png);
    return false;
  }
  return true;
}

void registerUIImage() {
  objc::ClassBuilder<UIImage>("UIImage", objc::classOf<NSObject>())
      .ivar("_cgImage", &UIImage::_cgImage)
      .ivar("_scale", &UIImage::_scale)
      .ivar("_imageOrientation", &UIImage::_imageOrientation)
      .ivar("_renderingMode", &UIImage::_renderingMode)
      .classMethod<&UIImage_imageWithCGImage>("imageWithCGImage:")
      .classMethod<&UIImage_imageWithCGImageScaleOrientation>("imageWithCGImage:scale:orientation:")
      .classMethod<&UIImage_imageNamed>("imageNamed:")
      .classMethod<&UIImage_imageWithContentsOfFile>("imageWithContentsOfFile:")
      .method<&UIImage_initWithCGImage>("initWithCGImage:")
      .method<&UIImage_initWithCGImageScaleOrientation>("initWithCGImage:scale:orientation:")
      .method<&UIImage_CGImage>("CGImage")
      .method<&UIImage_size>("size")
      .method<&UIImage_scale>("scale")
      .method<&UIImage_imageOrientation>("imageOrientation")
      .method<&UIImage_renderingMode>("renderingMode")
      .method<&UIImage_imageWithRenderingMode>("imageWithRenderingMode:")
      .method<&UIImage_capInsets>("capInsets")
      .method<&UIImage_resizableImageWithCapInsets>("resizableImageWithCapInsets:")
      .method<&UIImage_drawInRect>("drawInRect:");
}
