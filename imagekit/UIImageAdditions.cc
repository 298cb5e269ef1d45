// UIImage(Additions): the cache, the descriptor key and the generating
// methods. Every generating class method consults the cache before it draws,
// under the key of its descriptor made straight from its values (the same
// key add_keyForImageWithDescriptors: gives the descriptor dictionary);
// convenience methods send the full message so that a replacement of it
// applies to them too.
#include "imagekit/UIImageAdditions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

#include "imagekit/DescriptorText.h"
#include "imagekit/MD5Hashing.h"
#include "platform/coregraphics/CGContext.h"
#include "platform/foundation/NSNumber.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/UIGraphics.h"
#include "platform/uikit/UIScreen.h"

namespace {

id cls(Class c) { return reinterpret_cast<id>(c); }

// The cache entry of a request, under the key of its descriptor: the key
// is made once from the request's values, for the lookup and the store.
// add_cache answers the same cache from its first call on, so it is asked
// once.
id theCache() {
  static id cache = add::cache();
  return cache;
}
UIImage* cachedImage(NSString* key) {
  return objc::as<UIImage>(objc::send<id(id)>(theCache(), "objectForKey:"_sel, key));
}
void storeImage(UIImage* image, NSString* key) {
  if (image) objc::send<void(id, id)>(theCache(), "setObject:forKey:"_sel, image, key);
}

// s × points, truncated to whole pixels; 0 when that is no usable side.
size_t truncatedPixels(CGFloat points, CGFloat scale) {
  double exact = points * scale;
  if (!(exact >= 1) || exact > 32767) return 0;
  return static_cast<size_t>(exact);
}

CGContextRef createBitmap(size_t width, size_t height) {
  if (!width || !height) return nullptr;
  return CGBitmapContextCreate(nullptr, width, height, 8, 0, CGColorSpaceCreateDeviceRGB(), kCGImageAlphaPremultipliedLast);
}

// The rounded rectangle (0, 0, W, H) in a bitmap's own space, whose y axis
// points up: the bottom-left corner of the finished image is at the origin,
// so each radius lands on the corner of its name.
void addRoundedRectangle(CGContextRef c, CGFloat w, CGFloat h, ADDCornerInset inset, CGFloat scale) {
  CGContextBeginPath(c);
  CGContextMoveToPoint(c, 0, h / 2);
  CGContextAddArcToPoint(c, 0, 0, w / 2, 0, inset.bottomLeft * scale);
  CGContextAddArcToPoint(c, w, 0, w, h / 2, inset.bottomRight * scale);
  CGContextAddArcToPoint(c, w, h, w / 2, h, inset.topRight * scale);
  CGContextAddArcToPoint(c, 0, h, 0, h / 2, inset.topLeft * scale);
  CGContextClosePath(c);
}

UIImage* imageOfBitmap(CGContextRef c, CGFloat scale) {
  Ref<CGImageObj> image = adopt(CGBitmapContextCreateImage(c));
  return UIImage::imageWithCGImage(image, scale, UIImageOrientationUp);
}

ADDCornerInset uniform(CGFloat r) { return {r, r, r, r}; }

// --- The cache ---------------------------------------------------------------------

// Created on first use and never released. Not locked: the toolkit runs on
// the main thread, and NSCache itself may be used from any thread.
id UIImage_add_cache(Class, SEL) {
  static id cache = nil;
  if (!cache) cache = objc::send<id()>(objc::send<id()>(cls(objc_getClass("NSCache")), "alloc"_sel), "init"_sel);
  return cache;
}

// The descriptor text of the dictionary's values (DescriptorText.h) and its
// -md5.
NSString* UIImage_add_keyForImageWithDescriptors(Class, SEL, NSDictionary* d) {
  return add::md5(NSString::withUTF8(ADDDescriptorText(ADDDescriptorOfDictionary(d))));
}

UIImage* UIImage_add_cachedImageWithDescriptors(Class self, SEL, NSDictionary* d) {
  NSString* key = add::keyForImageWithDescriptors(d);
  return objc::as<UIImage>(objc::send<id(id)>(objc::send<id()>(cls(self), "add_cache"_sel), "objectForKey:"_sel, key));
}

void UIImage_add_cacheImage_withDescriptors(Class self, SEL, UIImage* image, NSDictionary* d) {
  if (!image) return;
  NSString* key = add::keyForImageWithDescriptors(d);
  objc::send<void(id, id)>(objc::send<id()>(cls(self), "add_cache"_sel), "setObject:forKey:"_sel, image, key);
}

// --- Solid colours -------------------------------------------------------------------

UIImage* UIImage_add_imageWithColor_size_cornerInset_saveInCache(Class self, SEL, UIColor* color, CGSize size,
                                                                 ADDCornerInset inset, BOOL save) {
  if (!color) return nil;
  NSString* key = ADDCacheKeyOf({.size = size, .color = color, .cornerInset = inset});
  if (UIImage* cached = cachedImage(key)) return cached;

  CGFloat s = UIScreen::mainScreen()->scale();
  size_t w = truncatedPixels(size.width, s), h = truncatedPixels(size.height, s);
  Ref<CGContextObj> bitmap = adopt(createBitmap(w, h));
  if (!bitmap) return nil;
  CGContextSetFillColorWithColor(bitmap, color->CGColor());
  addRoundedRectangle(bitmap, CGFloat(w), CGFloat(h), inset, s);
  CGContextFillPath(bitmap);
  UIImage* image = imageOfBitmap(bitmap, s);
  if (save) storeImage(image, key);
  return image;
}

UIImage* UIImage_add_imageWithColor_size_cornerInset(Class self, SEL, UIColor* color, CGSize size, ADDCornerInset inset) {
  return add::imageWithColor(color, size, inset, YES);
}

UIImage* UIImage_add_imageWithColor_size_cornerRadius(Class self, SEL, UIColor* color, CGSize size, CGFloat radius) {
  return add::imageWithColor(color, size, uniform(radius));
}

UIImage* UIImage_add_imageWithColor_size(Class self, SEL, UIColor* color, CGSize size) {
  return add::imageWithColor(color, size, ADDCornerInsetZero);
}

UIImage* UIImage_add_imageWithColor(Class self, SEL, UIColor* color) {
  return add::imageWithColor(color, CGSizeMake(1, 1));
}

// --- Stretchable colours ---------------------------------------------------------------

UIImage* UIImage_add_resizableImageWithColor_cornerInset(Class self, SEL, UIColor* color, ADDCornerInset inset) {
  if (!color) return nil;
  NSString* key = ADDCacheKeyOf({.resizable = YES, .color = color, .cornerInset = inset});
  if (UIImage* cached = cachedImage(key)) return cached;
  CGFloat top = std::max(inset.topLeft, inset.topRight), bottom = std::max(inset.bottomLeft, inset.bottomRight);
  CGFloat left = std::max(inset.topLeft, inset.bottomLeft), right = std::max(inset.topRight, inset.bottomRight);
  UIImage* image = add::imageWithColor(color, CGSizeMake(left + right + 1, top + bottom + 1), inset);
  UIImage* stretchable = image ? image->resizableImageWithCapInsets(UIEdgeInsetsMake(top, left, bottom, right)) : nil;
  storeImage(stretchable, key);
  return stretchable;
}

UIImage* UIImage_add_resizableImageWithColor_cornerRadius(Class self, SEL, UIColor* color, CGFloat radius) {
  return add::resizableImageWithColor(color, uniform(radius));
}

UIImage* UIImage_add_resizableImageWithColor(Class self, SEL, UIColor* color) {
  return add::resizableImageWithColor(color, ADDCornerInsetZero);
}

// The named colour images, in the order UIKit lists the colours.
constexpr const char* kNamedColours[][2] = {
    {"add_blackColorImage", "blackColor"},     {"add_darkGrayColorImage", "darkGrayColor"},
    {"add_lightGrayColorImage", "lightGrayColor"}, {"add_whiteColorImage", "whiteColor"},
    {"add_grayColorImage", "grayColor"},       {"add_redColorImage", "redColor"},
    {"add_greenColorImage", "greenColor"},     {"add_blueColorImage", "blueColor"},
    {"add_cyanColorImage", "cyanColor"},       {"add_yellowColorImage", "yellowColor"},
    {"add_magentaColorImage", "magentaColor"}, {"add_orangeColorImage", "orangeColor"},
    {"add_purpleColorImage", "purpleColor"},   {"add_brownColorImage", "brownColor"},
    {"add_clearColorImage", "clearColor"},
};

template <size_t I>
UIImage* UIImage_add_namedColorImage(Class self, SEL) {
  static const SEL colour = sel_registerName(kNamedColours[I][1]);
  return add::resizableImageWithColor(UIColor::named(colour));
}

template <size_t... I>
void addNamedColourImages(objc::Category& category, std::index_sequence<I...>) {
  (category.classMethod<&UIImage_add_namedColorImage<I>>(kNamedColours[I][0]), ...);
}

// --- Tinting ---------------------------------------------------------------------------

UIImage* UIImage_add_tintedImageWithColor_style(UIImage* self, SEL, UIColor* color, ADDImageTintStyle style) {
  if (!color) return self;
  CGFloat s = self->scale();
  CGSize size = self->size();
  CGFloat w = s * size.width, h = s * size.height;
  UIGraphicsBeginImageContext(CGSizeMake(w, h));
  CGContextRef c = UIGraphicsGetCurrentContext();
  // Back to Core Graphics' own orientation, so that the bitmap draws upright.
  CGContextTranslateCTM(c, 0, h);
  CGContextScaleCTM(c, 1, -1);
  CGRect area = CGRectMake(0, 0, w, h);
  switch (style) {
    case ADDImageTintStyleKeepingAlpha:
      CGContextSetBlendMode(c, kCGBlendModeNormal);
      CGContextDrawImage(c, area, self->CGImage());
      color->setFill();
      CGContextSetBlendMode(c, kCGBlendModeSourceIn);
      CGContextFillRect(c, area);
      break;
    case ADDImageTintStyleOverBackground:
      color->setFill();
      CGContextFillRect(c, area);
      CGContextSetBlendMode(c, kCGBlendModeNormal);
      CGContextDrawImage(c, area, self->CGImage());
      break;
    case ADDImageTintStyleCutOut:
      color->setFill();
      CGContextFillRect(c, area);
      CGContextSetBlendMode(c, kCGBlendModeDestinationOut);
      CGContextDrawImage(c, area, self->CGImage());
      break;
    default:
      break;
  }
  UIImage* image = c ? imageOfBitmap(c, s) : nil;
  UIGraphicsEndImageContext();
  return image;
}

UIImage* UIImage_add_imageNamed_tintColor_style(Class self, SEL, NSString* name, UIColor* tint, ADDImageTintStyle style) {
  if (!name) return nil;
  UIImage* loaded = UIImage::imageNamed(name);
  if (!loaded) return nil;
  if (!tint) return loaded;
  NSString* key = ADDCacheKeyOf({.name = name, .tintColor = tint, .tintStyle = NSInteger(style)});
  if (UIImage* cached = cachedImage(key)) return cached;
  UIImage* tinted = add::tintedImageWithColor(loaded, tint, style);
  storeImage(tinted, key);
  return tinted;
}

// --- Rounded corners -----------------------------------------------------------------------

BOOL UIImage_add_isValidCornerInset(UIImage* self, SEL, ADDCornerInset i) {
  CGSize size = self->size();
  return i.topLeft + i.topRight <= size.width && i.topRight + i.bottomRight <= size.height &&
         i.bottomLeft + i.bottomRight <= size.width && i.topLeft + i.bottomLeft <= size.height;
}

UIImage* UIImage_add_imageWithCornerInset(UIImage* self, SEL, ADDCornerInset inset) {
  if (!add::isValidCornerInset(self, inset)) return nil;
  CGFloat s = self->scale();
  CGSize size = self->size();
  size_t w = truncatedPixels(size.width, s), h = truncatedPixels(size.height, s);
  Ref<CGContextObj> bitmap = adopt(createBitmap(w, h));
  if (!bitmap) return nil;
  addRoundedRectangle(bitmap, CGFloat(w), CGFloat(h), inset, s);
  CGContextClip(bitmap);
  CGContextDrawImage(bitmap, CGRectMake(0, 0, CGFloat(w), CGFloat(h)), self->CGImage());
  return imageOfBitmap(bitmap, s);
}

UIImage* UIImage_add_imageWithCornerRadius(UIImage* self, SEL, CGFloat radius) {
  return add::imageWithCornerInset(self, uniform(radius));
}

UIImage* UIImage_add_imageWithRoundedBounds(UIImage* self, SEL) {
  CGSize size = self->size();
  return add::imageWithCornerRadius(self, std::min(size.width, size.height) / 2);
}

// --- Composition ---------------------------------------------------------------------------

UIImage* UIImage_add_imageAddingImage_offset(UIImage* self, SEL, UIImage* added, CGPoint offset) {
  if (!added) return nil;
  CGFloat s = self->scale();
  CGSize base = self->size(), top = added->size();
  UIGraphicsBeginImageContext(CGSizeMake(s * base.width, s * base.height));
  CGContextRef c = UIGraphicsGetCurrentContext();
  self->drawInRect(CGRectMake(0, 0, s * base.width, s * base.height));
  added->drawInRect(CGRectMake(s * offset.x, s * offset.y, s * top.width, s * top.height));
  UIImage* image = c ? imageOfBitmap(c, s) : nil;
  UIGraphicsEndImageContext();
  return image;
}

// Centred in single precision and rounded down to whole points, so an odd
// difference puts the added image half a point nearer the top-left.
UIImage* UIImage_add_imageAddingImage(UIImage* self, SEL, UIImage* added) {
  if (!added) return nil;
  CGSize base = self->size(), top = added->size();
  float x = std::floor(static_cast<float>(base.width - top.width) / 2.0f);
  float y = std::floor(static_cast<float>(base.height - top.height) / 2.0f);
  return add::imageAddingImage(self, added, CGPointMake(x, y));
}

// --- Gradients -------------------------------------------------------------------------------

UIImage* UIImage_add_imageWithGradient_size_direction(Class self, SEL, NSArray* colors, CGSize size,
                                                      ADDImageGradientDirection direction) {
  NSString* key = ADDCacheKeyOf({.size = size, .colors = colors, .gradientDirection = NSInteger(direction)});
  if (UIImage* cached = cachedImage(key)) return cached;

  UIGraphicsBeginImageContextWithOptions(size, NO, 0);
  CGPoint start = CGPointZero, end = CGPointZero;
  switch (direction) {
    case ADDImageGradientDirectionVertical: end = CGPointMake(0, size.height); break;
    case ADDImageGradientDirectionHorizontal: end = CGPointMake(size.width, 0); break;
    case ADDImageGradientDirectionTopLeftToBottomRight: end = CGPointMake(size.width, size.height); break;
    case ADDImageGradientDirectionTopRightToBottomLeft:
      start = CGPointMake(size.width, 0);
      end = CGPointMake(0, size.height);
      break;
    default: break;  // start and end coincide: nothing is drawn
  }
  Ref<NSMutableArray> cgColors = objc::make<NSMutableArray>();
  if (colors)
    for (id color : colors->items()) cgColors->addObject(objc::as<UIColor>(color)->CGColor());
  Ref<CGGradientObj> gradient = adopt(CGGradientCreateWithColors(CGColorSpaceCreateDeviceRGB(), cgColors, nullptr));
  CGContextDrawLinearGradient(UIGraphicsGetCurrentContext(), gradient, start, end, 0);
  UIImage* image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  storeImage(image, key);
  return image;
}

UIImage* UIImage_add_resizableImageWithGradient_size_direction(Class self, SEL, NSArray* colors, CGSize size,
                                                               ADDImageGradientDirection direction) {
  if ((size.width == 0 && direction == ADDImageGradientDirectionHorizontal) ||
      (size.height == 0 && direction == ADDImageGradientDirectionVertical) || (size.width == 0 && size.height == 0))
    return nil;
  NSString* key = ADDCacheKeyOf(
      {.size = size, .resizable = YES, .colors = colors, .gradientDirection = NSInteger(direction)});
  if (UIImage* cached = cachedImage(key)) return cached;
  CGSize strip = size;
  UIEdgeInsets caps = UIEdgeInsetsMake(1, 1, 1, 1);
  if (direction == ADDImageGradientDirectionVertical) {
    strip = CGSizeMake(1, size.height);
    caps = UIEdgeInsetsMake(0, 1, 0, 1);
  } else if (direction == ADDImageGradientDirectionHorizontal) {
    strip = CGSizeMake(size.width, 1);
    caps = UIEdgeInsetsMake(1, 0, 1, 0);
  }
  UIImage* image = add::imageWithGradient(colors, strip, direction);
  UIImage* stretchable = image ? image->resizableImageWithCapInsets(caps) : nil;
  storeImage(stretchable, key);
  return stretchable;
}

}  // namespace

void registerUIImageAdditions() {
  objc::Category category(objc::classOf<UIImage>());
  category.classMethod<&UIImage_add_cache>("add_cache")
      .classMethod<&UIImage_add_keyForImageWithDescriptors>("add_keyForImageWithDescriptors:")
      .classMethod<&UIImage_add_cachedImageWithDescriptors>("add_cachedImageWithDescriptors:")
      .classMethod<&UIImage_add_cacheImage_withDescriptors>("add_cacheImage:withDescriptors:")
      .classMethod<&UIImage_add_imageWithColor>("add_imageWithColor:")
      .classMethod<&UIImage_add_imageWithColor_size>("add_imageWithColor:size:")
      .classMethod<&UIImage_add_imageWithColor_size_cornerRadius>("add_imageWithColor:size:cornerRadius:")
      .classMethod<&UIImage_add_imageWithColor_size_cornerInset>("add_imageWithColor:size:cornerInset:")
      .classMethod<&UIImage_add_imageWithColor_size_cornerInset_saveInCache>(
          "add_imageWithColor:size:cornerInset:saveInCache:")
      .classMethod<&UIImage_add_resizableImageWithColor>("add_resizableImageWithColor:")
      .classMethod<&UIImage_add_resizableImageWithColor_cornerRadius>("add_resizableImageWithColor:cornerRadius:")
      .classMethod<&UIImage_add_resizableImageWithColor_cornerInset>("add_resizableImageWithColor:cornerInset:")
      .classMethod<&UIImage_add_imageNamed_tintColor_style>("add_imageNamed:tintColor:style:")
      .classMethod<&UIImage_add_imageWithGradient_size_direction>("add_imageWithGradient:size:direction:")
      .classMethod<&UIImage_add_resizableImageWithGradient_size_direction>(
          "add_resizableImageWithGradient:size:direction:")
      .method<&UIImage_add_tintedImageWithColor_style>("add_tintedImageWithColor:style:")
      .method<&UIImage_add_isValidCornerInset>("add_isValidCornerInset:")
      .method<&UIImage_add_imageWithCornerInset>("add_imageWithCornerInset:")
      .method<&UIImage_add_imageWithCornerRadius>("add_imageWithCornerRadius:")
      .method<&UIImage_add_imageWithRoundedBounds>("add_imageWithRoundedBounds")
      .method<&UIImage_add_imageAddingImage_offset>("add_imageAddingImage:offset:")
      .method<&UIImage_add_imageAddingImage>("add_imageAddingImage:");
  addNamedColourImages(category, std::make_index_sequence<std::size(kNamedColours)>());
}
