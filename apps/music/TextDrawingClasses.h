// The MediaPlayer UI's text classes, where much of the Music app's text is
// built and drawn: MPUEmphasizedText turns a string with an emphasised range
// into attributed strings, MPUTextDrawing renders an attributed text into an
// image (handed over through _setImage:) that an image view then shows.
//
//   Ref<MPUTextDrawing> name = makeTextDrawing(attributed, CGSizeMake(90, 16));
//   imageView->setImage(name->image());
#pragma once

#include "platform/foundation/foundation.h"
#include "platform/uikit/uikit.h"

struct MPUTextDrawing : NSObject {
  static constexpr const char* kClassName = "MPUTextDrawing";
  Ref<NSAttributedString> _attributedText;
  Ref<UIImage> _image;
  CGSize _size = {0, 0};

  NSAttributedString* attributedText() { return objc::send<NSAttributedString*()>(this, "attributedText"_sel); }
  UIImage* image() { return objc::send<UIImage*()>(this, "image"_sel); }
};

struct MPUEmphasizedText : NSObject {
  static constexpr const char* kClassName = "MPUEmphasizedText";
  Ref<NSString> _text;
  NSRange _emphasizedRange = {0, 0};
};

// [[MPUTextDrawing alloc] initWithAttributedText:size:], rendered at once.
Ref<MPUTextDrawing> makeTextDrawing(NSAttributedString* text, CGSize size);
// [[MPUEmphasizedText alloc] initWithText:emphasizedRange:].
Ref<MPUEmphasizedText> makeEmphasizedText(NSString* text, NSRange emphasized);

// An image view of the drawing's size showing its image, as the MediaPlayer
// UI's text views show a drawing.
Ref<UIImageView> textDrawingView(MPUTextDrawing* drawing, CGPoint origin);

void registerTextDrawingClasses();
