// UIColor's drawing methods, -setFill and -setStroke: they make the colour
// the fill or stroke colour of the current image context (nothing happens
// without one). Added to UIColor as a category.
//
//   UIColor::redColor()->setFill();  // CGContextFillRect(UIGraphicsGetCurrentContext(), r) now fills red
#include "platform/objc/class_builder.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIGraphics.h"

namespace {

void UIColor_setFill(UIColor* self, SEL) {
  CGContextSetFillColorWithColor(UIGraphicsGetCurrentContext(), self->_cgColor.get());
}

void UIColor_setStroke(UIColor* self, SEL) {
  CGContextSetStrokeColorWithColor(UIGraphicsGetCurrentContext(), self->_cgColor.get());
}

}  // namespace

void registerUIColorDrawing() {
  objc::Category(objc::classOf<UIColor>())
      .method<&UIColor_setFill>("setFill")
      .method<&UIColor_setStroke>("setStroke");
}
