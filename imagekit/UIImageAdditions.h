// UIImage(Additions): images made in code (solid colours with rounded
// corners, stretchable colour and gradient images, tinted, rounded and
// composed images) and the process-wide cache that keeps them under the MD5
// of a descriptor text. The functions in namespace add send the category's
// messages.
//
//   UIImage* button = add::resizableImageWithColor(UIColor::redColor(), 4.0);  // 9 × 9 pt, caps of 4
#pragma once

#include <cstdint>

#include "imagekit/ADDCornerInset.h"
#include "platform/foundation/NSArray.h"
#include "platform/foundation/NSDictionary.h"
#include "platform/foundation/NSString.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIImage.h"

// --- Descriptor keys ----------------------------------------------------------
// Each key is an NSString whose text is its own name.
struct ADDDescriptorKey {
  const char* text;
  operator NSString*() const { return constantString(text); }
};
inline constexpr ADDDescriptorKey kUIImageName{"kUIImageName"};
inline constexpr ADDDescriptorKey kUIImageSize{"kUIImageSize"};
inline constexpr ADDDescriptorKey kUIImageResizableImage{"kUIImageResizableImage"};
inline constexpr ADDDescriptorKey kUIImageColors{"kUIImageColors"};
inline constexpr ADDDescriptorKey kUIImageTintColor{"kUIImageTintColor"};
inline constexpr ADDDescriptorKey kUIImageTintStyle{"kUIImageTintStyle"};
inline constexpr ADDDescriptorKey kUIImageCornerInset{"kUIImageCornerInset"};
inline constexpr ADDDescriptorKey kADDImageGradientDirection{"kADDImageGradientDirection"};

// --- Tint styles and gradient directions ----------------------------------------
typedef uint32_t ADDImageTintStyle;
// The colour in the image's shape: each pixel is the colour with alpha
// colour.alpha × image.alpha (source-in over the drawn image).
inline constexpr ADDImageTintStyle ADDImageTintStyleKeepingAlpha = 1;
// The image drawn normally over a background of the colour.
inline constexpr ADDImageTintStyle ADDImageTintStyleOverBackground = 2;
// The colour with holes where the image is opaque (destination-out).
inline constexpr ADDImageTintStyle ADDImageTintStyleCutOut = 3;

typedef uint32_t ADDImageGradientDirection;
inline constexpr ADDImageGradientDirection ADDImageGradientDirectionVertical = 1;              // first colour at the top
inline constexpr ADDImageGradientDirection ADDImageGradientDirectionHorizontal = 2;            // first colour at the left
inline constexpr ADDImageGradientDirection ADDImageGradientDirectionTopLeftToBottomRight = 3;
inline constexpr ADDImageGradientDirection ADDImageGradientDirectionTopRightToBottomLeft = 4;

// --- The category's messages ------------------------------------------------------
namespace add {

inline id imageClass() { return reinterpret_cast<id>(objc::classOf<UIImage>()); }

// The cache and its keys.
inline id cache() { return objc::send<id()>(imageClass(), "add_cache"_sel); }
inline NSString* keyForImageWithDescriptors(NSDictionary* descriptors) {
  return objc::send<NSString*(NSDictionary*)>(imageClass(), "add_keyForImageWithDescriptors:"_sel, descriptors);
}
inline UIImage* cachedImageWithDescriptors(NSDictionary* descriptors) {
  return objc::send<UIImage*(NSDictionary*)>(imageClass(), "add_cachedImageWithDescriptors:"_sel, descriptors);
}
inline void cacheImage(UIImage* image, NSDictionary* descriptors) {
  objc::send<void(UIImage*, NSDictionary*)>(imageClass(), "add_cacheImage:withDescriptors:"_sel, image, descriptors);
}

// Solid colours, sizes in points at the main screen's scale.
inline UIImage* imageWithColor(UIColor* color) {
  return objc::send<UIImage*(UIColor*)>(imageClass(), "add_imageWithColor:"_sel, color);
}
inline UIImage* imageWithColor(UIColor* color, CGSize size) {
  return objc::send<UIImage*(UIColor*, CGSize)>(imageClass(), "add_imageWithColor:size:"_sel, color, size);
}
inline UIImage* imageWithColor(UIColor* color, CGSize size, CGFloat cornerRadius) {
  return objc::send<UIImage*(UIColor*, CGSize, CGFloat)>(imageClass(), "add_imageWithColor:size:cornerRadius:"_sel,
                                                          color, size, cornerRadius);
}
inline UIImage* imageWithColor(UIColor* color, CGSize size, ADDCornerInset inset) {
  return objc::send<UIImage*(UIColor*, CGSize, ADDCornerInset)>(imageClass(), "add_imageWithColor:size:cornerInset:"_sel,
                                                                 color, size, inset);
}
inline UIImage* imageWithColor(UIColor* color, CGSize size, ADDCornerInset inset, BOOL saveInCache) {
  return objc::send<UIImage*(UIColor*, CGSize, ADDCornerInset, BOOL)>(
      imageClass(), "add_imageWithColor:size:cornerInset:saveInCache:"_sel, color, size, inset, saveInCache);
}

// Stretchable colours: the smallest image with the corners and a 1 × 1 point
// centre, with cap insets around the centre.
inline UIImage* resizableImageWithColor(UIColor* color) {
  return objc::send<UIImage*(UIColor*)>(imageClass(), "add_resizableImageWithColor:"_sel, color);
}
inline UIImage* resizableImageWithColor(UIColor* color, CGFloat cornerRadius) {
  return objc::send<UIImage*(UIColor*, CGFloat)>(imageClass(), "add_resizableImageWithColor:cornerRadius:"_sel, color,
                                                  cornerRadius);
}
inline UIImage* resizableImageWithColor(UIColor* color, ADDCornerInset inset) {
  return objc::send<UIImage*(UIColor*, ADDCornerInset)>(imageClass(), "add_resizableImageWithColor:cornerInset:"_sel,
                                                         color, inset);
}
// The fifteen named colour images: add_blackColorImage ... add_clearColorImage.
inline UIImage* namedColorImage(SEL selector) { return objc::send<UIImage*()>(imageClass(), selector); }

// Tinting, gradients.
inline UIImage* imageNamed(NSString* name, UIColor* tintColor, ADDImageTintStyle style) {
  return objc::send<UIImage*(NSString*, UIColor*, ADDImageTintStyle)>(imageClass(), "add_imageNamed:tintColor:style:"_sel,
                                                                       name, tintColor, style);
}
inline UIImage* imageWithGradient(NSArray* colors, CGSize size, ADDImageGradientDirection direction) {
  return objc::send<UIImage*(NSArray*, CGSize, ADDImageGradientDirection)>(
      imageClass(), "add_imageWithGradient:size:direction:"_sel, colors, size, direction);
}
inline UIImage* resizableImageWithGradient(NSArray* colors, CGSize size, ADDImageGradientDirection direction) {
  return objc::send<UIImage*(NSArray*, CGSize, ADDImageGradientDirection)>(
      imageClass(), "add_resizableImageWithGradient:size:direction:"_sel, colors, size, direction);
}

// Instance methods.
inline UIImage* tintedImageWithColor(UIImage* image, UIColor* color, ADDImageTintStyle style) {
  return objc::send<UIImage*(UIColor*, ADDImageTintStyle)>(image, "add_tintedImageWithColor:style:"_sel, color, style);
}
inline BOOL isValidCornerInset(UIImage* image, ADDCornerInset inset) {
  return objc::send<BOOL(ADDCornerInset)>(image, "add_isValidCornerInset:"_sel, inset);
}
inline UIImage* imageWithCornerInset(UIImage* image, ADDCornerInset inset) {
  return objc::send<UIImage*(ADDCornerInset)>(image, "add_imageWithCornerInset:"_sel, inset);
}
inline UIImage* imageWithCornerRadius(UIImage* image, CGFloat radius) {
  return objc::send<UIImage*(CGFloat)>(image, "add_imageWithCornerRadius:"_sel, radius);
}
inline UIImage* imageWithRoundedBounds(UIImage* image) {
  return objc::send<UIImage*()>(image, "add_imageWithRoundedBounds"_sel);
}
inline UIImage* imageAddingImage(UIImage* image, UIImage* added, CGPoint offset) {
  return objc::send<UIImage*(UIImage*, CGPoint)>(image, "add_imageAddingImage:offset:"_sel, added, offset);
}
inline UIImage* imageAddingImage(UIImage* image, UIImage* added) {
  return objc::send<UIImage*(UIImage*)>(image, "add_imageAddingImage:"_sel, added);
}

}  // namespace add

// Adds the category UIImage(Additions). Part of registerImagekit().
void registerUIImageAdditions();
