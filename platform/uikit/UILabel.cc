// UILabel.
#include "platform/uikit/UILabel.h"

#include "platform/foundation/NSDictionary.h"
#include "platform/foundation/NSNumber.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/TextDrawing.h"

namespace {

UIView* UILabel_initWithFrame(UILabel* self, SEL, CGRect frame) {
  UIView* view = objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame);
  if (view) {
    objc::as<UILabel>(view)->_textColor = UIColor::blackColor();
    objc::as<UILabel>(view)->_font = UIFont::systemFont(17);
  }
  return view;
}
NSString* UILabel_text(UILabel* self, SEL) { return self->_text.get(); }
void UILabel_setText(UILabel* self, SEL, NSString* text) {
  self->_text = text ? adopt(objc::as<NSString>(objc::send<id()>(text, "copy"_sel))) : Ref<NSString>();
}
UIColor* UILabel_textColor(UILabel* self, SEL) { return self->_textColor.get(); }
// A nil colour means the default, black.
void UILabel_setTextColor(UILabel* self, SEL, UIColor* color) {
  self->_textColor = color ? color : UIColor::blackColor();
}
UIFont* UILabel_font(UILabel* self, SEL) { return self->_font.get(); }
void UILabel_setFont(UILabel* self, SEL, UIFont* font) { self->_font = font ? font : UIFont::systemFont(17); }
NSInteger UILabel_textAlignment(UILabel* self, SEL) { return self->_textAlignment; }
void UILabel_setTextAlignment(UILabel* self, SEL, NSInteger a) { self->_textAlignment = a; }

void UILabel_drawRect(UILabel* self, SEL, CGRect rect) {
  if (!self->_text) return;
  NSDictionary* attributes =
      NSDictionary::withObjectsAndKeys({self->_textColor.get(), NSForegroundColorAttributeName(), self->_font.get(),
                                        NSFontAttributeName(), NSNumber::withInteger(self->_textAlignment),
                                        NSParagraphStyleAttributeName()});
  drawString(self->_text, self->bounds(), attributes);
}

}  // namespace

void registerUILabel() {
  objc::ClassBuilder<UILabel>("UILabel", objc::classOf<UIView>())
      .ivar("_text", &UILabel::_text)
      .ivar("_textColor", &UILabel::_textColor)
      .ivar("_font", &UILabel::_font)
      .method<&UILabel_initWithFrame>("initWithFrame:")
      .method<&UILabel_text>("text")
      .method<&UILabel_setText>("setText:")
      .method<&UILabel_textColor>("textColor")
      .method<&UILabel_setTextColor>("setTextColor:")
      .method<&UILabel_font>("font")
      .method<&UILabel_setFont>("setFont:")
      .method<&UILabel_textAlignment>("textAlignment")
      .method<&UILabel_setTextAlignment>("setTextAlignment:")
      .method<&UILabel_drawRect>("drawRect:");
}
