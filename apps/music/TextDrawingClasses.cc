// MPUTextDrawing and MPUEmphasizedText.
#include "apps/music/TextDrawingClasses.h"

#include "platform/objc/class_builder.h"

namespace {

// --- MPUTextDrawing -----------------------------------------------------------
// The drawing renders when it is made: each attribute run in turn along one
// line, into a transparent image at the screen's scale, which goes to the
// drawing through _setImage: like every image it ever holds.

void renderRuns(NSAttributedString* text, CGSize size) {
  NSString* string = text->string();
  NSUInteger length = text->length();
  CGFloat x = 0;
  for (NSUInteger at = 0; at < length && x < size.width;) {
    NSRange run = NSMakeRange(at, 0);
    NSDictionary* attributes = text->attributesAtIndex(at, &run);
    if (run.length == 0) break;
    NSString* piece = string->substringWithRange(run);
    drawString(piece, CGRectMake(x, 0, size.width - x, size.height), attributes);
    x += stringSize(piece, attributes).width;
    at = run.location + run.length;
  }
}

void Drawing_renderImage(MPUTextDrawing* self, SEL) {
  UIGraphicsBeginImageContextWithOptions(self->_size, NO, 0);
  if (self->_attributedText) renderRuns(self->_attributedText, self->_size);
  UIImage* image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  objc::send<void(UIImage*)>(self, "_setImage:"_sel, image);
}

MPUTextDrawing* Drawing_initWithAttributedText(MPUTextDrawing* self, SEL, NSAttributedString* text, CGSize size) {
  auto* drawing = objc::as<MPUTextDrawing>(objc::sendSuper<id()>(self, objc::classOf<NSObject>(), "init"_sel));
  if (!drawing) return nullptr;
  drawing->_attributedText = text ? adopt(objc::as<NSAttributedString>(text->copy())) : Ref<NSAttributedString>();
  drawing->_size = size;
  objc::send<void()>(drawing, "_renderImage"_sel);
  return drawing;
}
NSAttributedString* Drawing_attributedText(MPUTextDrawing* self, SEL) { return self->_attributedText.get(); }
UIImage* Drawing_image(MPUTextDrawing* self, SEL) { return self->_image.get(); }
void Drawing_setImage(MPUTextDrawing* self, SEL, UIImage* image) { self->_image = image; }
CGSize Drawing_size(MPUTextDrawing* self, SEL) { return self->_size; }

// --- MPUEmphasizedText ---------------------------------------------------------
// Both builders follow the new-family rule: the string comes back +1, the
// caller's own.

MPUEmphasizedText* Emphasized_initWithText(MPUEmphasizedText* self, SEL, NSString* text, NSRange emphasized) {
  auto* made = objc::as<MPUEmphasizedText>(objc::sendSuper<id()>(self, objc::classOf<NSObject>(), "init"_sel));
  if (!made) return nullptr;
  made->_text = text ? text : ""_ns;
  NSUInteger length = made->_text->length();
  NSUInteger location = std::min(emphasized.location, length);
  made->_emphasizedRange = NSMakeRange(location, std::min(emphasized.length, length - location));
  return made;
}

NSAttributedString* Emphasized_newWithTextAttributes(MPUEmphasizedText* self, SEL, NSDictionary* attributes) {
  return objc::alloc<NSAttributedString>()->initWithString(self->_text, attributes);
}

NSAttributedString* Emphasized_newWithRegularAndEmphasized(MPUEmphasizedText* self, SEL, NSDictionary* regular,
                                                           NSDictionary* emphasized) {
  auto* text = objc::as<NSMutableAttributedString>(
      objc::alloc<NSMutableAttributedString>()->initWithString(self->_text, regular));
  if (text && self->_emphasizedRange.length > 0) text->setAttributes(emphasized, self->_emphasizedRange);
  return text;
}

}  // namespace

Ref<MPUTextDrawing> makeTextDrawing(NSAttributedString* text, CGSize size) {
  return adopt(objc::send<MPUTextDrawing*(NSAttributedString*, CGSize)>(
      reinterpret_cast<id>(objc::alloc<MPUTextDrawing>()), "initWithAttributedText:size:"_sel, text, size));
}

Ref<MPUEmphasizedText> makeEmphasizedText(NSString* text, NSRange emphasized) {
  return adopt(objc::send<MPUEmphasizedText*(NSString*, NSRange)>(
      reinterpret_cast<id>(objc::alloc<MPUEmphasizedText>()), "initWithText:emphasizedRange:"_sel, text, emphasized));
}

Ref<UIImageView> textDrawingView(MPUTextDrawing* drawing, CGPoint origin) {
  CGSize size = objc::send<CGSize()>(drawing, "size"_sel);
  Ref<UIImageView> view = UIView::make<UIImageView>(CGRect{origin, size});
  view->setImage(drawing->image());
  return view;
}

void registerTextDrawingClasses() {
  objc::ClassBuilder<MPUTextDrawing>("MPUTextDrawing", objc::classOf<NSObject>())
      .ivar("_attributedText", &MPUTextDrawing::_attributedText)
      .ivar("_image", &MPUTextDrawing::_image)
      .method<&Drawing_initWithAttributedText>("initWithAttributedText:size:")
      .method<&Drawing_renderImage>("_renderImage")
      .method<&Drawing_attributedText>("attributedText")
      .method<&Drawing_image>("image")
      .method<&Drawing_setImage>("_setImage:")
      .method<&Drawing_size>("size");
  objc::ClassBuilder<MPUEmphasizedText>("MPUEmphasizedText", objc::classOf<NSObject>())
      .ivar("_text", &MPUEmphasizedText::_text)
      .method<&Emphasized_initWithText>("initWithText:emphasizedRange:")
      .method<&Emphasized_newWithTextAttributes>("newAttributedStringWithTextAttributes:")
      .method<&Emphasized_newWithRegularAndEmphasized>(
          "newAttributedStringWithRegularTextAttributes:emphasizedTextAttributes:");
}
