// UIImage: a CGImage with a scale (pixels per point), an orientation flag, a
// rendering mode and cap insets for stretching.
//
//   UIImage* image = UIImage::imageWithCGImage(cgImage, 2, UIImageOrientationUp);
//   image->size();  // pixels / 2, in points
#pragma once

#include <string>

#include "platform/coregraphics/CGImage.h"
#include "platform/foundation/NSObject.h"
#include "platform/uikit/UIGeometry.h"

typedef NSInteger UIImageOrientation;
enum : NSInteger {
  UIImageOrientationUp,
  UIImageOrientationDown,
  UIImageOrientationLeft,
  UIImageOrientationRight,
  UIImageOrientationUpMirrored,
  UIImageOrientationDownMirrored,
  UIImageOrientationLeftMirrored,
  UIImageOrientationRightMirrored,
};

typedef NSInteger UIImageRenderingMode;
enum : NSInteger {
  UIImageRenderingModeAutomatic,
  UIImageRenderingModeAlwaysOriginal,
  UIImageRenderingModeAlwaysTemplate,
};

struct UIImage : NSObject {
  static constexpr const char* kClassName = "UIImage";
  Ref<CGImageObj> _cgImage;
  CGFloat _scale = 1;
  UIImageOrientation _imageOrientation = UIImageOrientationUp;
  UIImageRenderingMode _renderingMode = UIImageRenderingModeAutomatic;
  UIEdgeInsets _capInsets;

  // Autoreleased; nil for a NULL image.
  static UIImage* imageWithCGImage(CGImageRef image) {
    return objc::send<UIImage*(CGImageRef)>(cls(), "imageWithCGImage:"_sel, image);
  }
  static UIImage* imageWithCGImage(CGImageRef image, CGFloat scale, UIImageOrientation orientation) {
    return objc::send<UIImage*(CGImageRef, CGFloat, UIImageOrientation)>(cls(), "imageWithCGImage:scale:orientation:"_sel,
                                                                          image, scale, orientation);
  }
  // NAME.png or NAME@2x.png (preferred on a screen of scale 2 or more) from
  // the main bundle's resource path; nil when neither can be read.
  static UIImage* imageNamed(NSString* name) { return objc::send<UIImage*(NSString*)>(cls(), "imageNamed:"_sel, name); }
  // A PNG or JPEG file, at scale 2 when its name ends in "@2x" before the extension.
  static UIImage* imageWithContentsOfFile(NSString* path) {
    return objc::send<UIImage*(NSString*)>(cls(), "imageWithContentsOfFile:"_sel, path);
  }

  CGImageRef CGImage() { return objc::send<CGImageRef()>(this, "CGImage"_sel); }
  CGSize size() { return objc::send<CGSize()>(this, "size"_sel); }
  CGFloat scale() { return objc::send<CGFloat()>(this, "scale"_sel); }
  UIImageOrientation imageOrientation() { return objc::send<UIImageOrientation()>(this, "imageOrientation"_sel); }
  UIImageRenderingMode renderingMode() { return objc::send<UIImageRenderingMode()>(this, "renderingMode"_sel); }
  UIImage* imageWithRenderingMode(UIImageRenderingMode mode) {
    return objc::send<UIImage*(UIImageRenderingMode)>(this, "imageWithRenderingMode:"_sel, mode);
  }
  UIEdgeInsets capInsets() { return objc::send<UIEdgeInsets()>(this, "capInsets"_sel); }
  UIImage* resizableImageWithCapInsets(UIEdgeInsets insets) {
    return objc::send<UIImage*(UIEdgeInsets)>(this, "resizableImageWithCapInsets:"_sel, insets);
  }
  // Into the current image context, in UIKit coordinates (origin top-left),
  // stretched to the rectangle; with cap insets the corners keep their size
  // and the edges and centre stretch.
  void drawInRect(CGRect rect) { objc::send<void(CGRect)>(this, "drawInRect:"_sel, rect); }

 private:
  static id cls() { return reinterpret_cast<id>(objc::classOf<UIImage>()); }
};

// Tool and test side (reading is in UIImageFiles.h). Writes the image's
// pixels (not premultiplied, 8-bit RGBA) as a PNG file.
bool UIImageWritePNG(UIImage* image, const char* path, std::string* error);

void registerUIImage();
