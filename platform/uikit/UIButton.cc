// UIControl and UIButton.
#include "platform/uikit/UIButton.h"

#include "platform/foundation/NSDictionary.h"
#include "platform/foundation/NSNumber.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/TextDrawing.h"
#include "platform/uikit/UIFont.h"

namespace {

BOOL Control_isSelected(UIControl* self, SEL) { return self->_selected; }
void Control_setSelected(UIControl* self, SEL, BOOL s) { self->_selected = s; }
BOOL Control_isHighlighted(UIControl* self, SEL) { return self->_highlighted; }
void Control_setHighlighted(UIControl* self, SEL, BOOL h) { self->_highlighted = h; }

NSUInteger currentState(UIButton* self) {
  NSUInteger state = UIControlStateNormal;
  if (self->_selected) state |= UIControlStateSelected;
  if (self->_highlighted) state |= UIControlStateHighlighted;
  return state;
}

// A state without its own value falls back to the normal state's.
NSString* Button_titleForState(UIButton* self, SEL, NSUInteger state) {
  auto it = self->_titles.find(state);
  if (it == self->_titles.end()) it = self->_titles.find(UIControlStateNormal);
  return it == self->_titles.end() ? nullptr : it->second.get();
}
void Button_setTitle(UIButton* self, SEL, NSString* title, NSUInteger state) { self->_titles[state] = title; }
UIColor* Button_titleColorForState(UIButton* self, SEL, NSUInteger state) {
  auto it = self->_titleColors.find(state);
  if (it == self->_titleColors.end()) it = self->_titleColors.find(UIControlStateNormal);
  return it == self->_titleColors.end() ? nullptr : it->second.get();
}
void Button_setTitleColor(UIButton* self, SEL, UIColor* color, NSUInteger state) {
  self->_titleColors[state] = color;
}

void Button_drawRect(UIButton* self, SEL, CGRect) {
  NSUInteger state = currentState(self);
  NSString* title = self->titleForState(state);
  if (!title) return;
  UIColor* colour = self->titleColorForState(state);
  if (!colour) colour = self->tintColor();
  drawString(title, self->bounds(),
             NSDictionary::withObjectsAndKeys({colour, NSForegroundColorAttributeName(), UIFont::systemFont(17),
                                               NSFontAttributeName(), NSNumber::withInteger(1),
                                               NSParagraphStyleAttributeName()}));
}

}  // namespace

void registerUIButton() {
  objc::ClassBuilder<UIControl>("UIControl", objc::classOf<UIView>())
      .method<&Control_isSelected>("isSelected")
      .method<&Control_setSelected>("setSelected:")
      .method<&Control_isHighlighted>("isHighlighted")
      .method<&Control_setHighlighted>("setHighlighted:");
  objc::ClassBuilder<UIButton>("UIButton", objc::classOf<UIControl>())
      .method<&Button_titleForState>("titleForState:")
      .method<&Button_setTitle>("setTitle:forState:")
      .method<&Button_titleColorForState>("titleColorForState:")
      .method<&Button_setTitleColor>("setTitleColor:forState:")
      .method<&Button_drawRect>("drawRect:");
}
