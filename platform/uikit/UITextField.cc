// UITextField, its placeholder label and its field editor.
#include "platform/uikit/UITextField.h"

#include "platform/foundation/NSDictionary.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/TextDrawing.h"

namespace {

Ref<NSString> copied(NSString* text) {
  return text ? adopt(objc::as<NSString>(objc::send<id()>(text, "copy"_sel))) : Ref<NSString>();
}

// --- UITextFieldLabel ---------------------------------------------------------------

NSAttributedString* FieldLabel_attributedText(UITextFieldLabel* self, SEL) { return self->_attributedText.get(); }
void FieldLabel_setAttributedText(UITextFieldLabel* self, SEL, NSAttributedString* text) {
  self->_attributedText =
      text ? adopt(objc::as<NSAttributedString>(objc::send<id()>(text, "copy"_sel))) : Ref<NSAttributedString>();
}
void FieldLabel_drawRect(UITextFieldLabel* self, SEL _cmd, CGRect rect) {
  if (!self->_attributedText) {
    objc::sendSuper<void(CGRect)>(self, objc::classOf<UILabel>(), _cmd, rect);
    return;
  }
  drawAttributedRuns(self->_attributedText, self->bounds(), self->_textColor, self->_font);
}

// --- UIFieldEditor ----------------------------------------------------------------------

void Editor_drawRect(UIFieldEditor* self, SEL, CGRect) {
  UITextField* field = self->_field;
  if (!field || !field->_text) return;
  drawString(field->_text, self->bounds(),
             NSDictionary::withObjectsAndKeys(
                 {field->_textColor.get(), NSForegroundColorAttributeName(), field->_font.get(), NSFontAttributeName()}));
}

// --- UITextField --------------------------------------------------------------------------

// The defaults are stored as they are, not through the setters: a field
// made by initWithFrame: has never been sent setTextColor:.
UIView* Field_initWithFrame(UITextField* self, SEL, CGRect frame) {
  auto* field = objc::as<UITextField>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIControl>(), "initWithFrame:"_sel, frame));
  if (!field) return nullptr;
  field->_textColor = UIColor::blackColor();
  field->_font = UIFont::systemFont(14);
  field->_placeholderLabel = UIView::make<UITextFieldLabel>(field->bounds());
  field->_placeholderLabel->_font = field->_font;
  field->addSubview(field->_placeholderLabel);
  return field;
}

void Field_dealloc(UITextField* self, SEL _cmd) {
  if (self->_fieldEditor) self->_fieldEditor->_field = nullptr;
  objc::sendSuper<void()>(self, objc::classOf<UIControl>(), _cmd);
}

NSString* Field_text(UITextField* self, SEL) { return self->_text.get(); }
void Field_setText(UITextField* self, SEL, NSString* text) {
  self->_text = copied(text);
  self->setNeedsLayout();
}
UIColor* Field_textColor(UITextField* self, SEL) { return self->_textColor.get(); }
// A nil colour means the default, black; the display label follows.
void Field_setTextColor(UITextField* self, SEL, UIColor* colour) {
  self->_textColor = colour ? colour : UIColor::blackColor();
  objc::send<void(UIColor*)>(self->_displayLabel.get(), "setTextColor:"_sel, self->_textColor.get());
}

// A plain and an attributed placeholder replace each other.
NSString* Field_placeholder(UITextField* self, SEL) {
  return self->_placeholder ? self->_placeholder.get()
                            : objc::send<NSString*()>(self->_attributedPlaceholder.get(), "string"_sel);
}
void Field_setPlaceholder(UITextField* self, SEL, NSString* text) {
  self->_placeholder = copied(text);
  self->_attributedPlaceholder = nullptr;
  self->setNeedsLayout();
}
NSAttributedString* Field_attributedPlaceholder(UITextField* self, SEL) { return self->_attributedPlaceholder.get(); }
void Field_setAttributedPlaceholder(UITextField* self, SEL, NSAttributedString* text) {
  self->_attributedPlaceholder =
      text ? adopt(objc::as<NSAttributedString>(objc::send<id()>(text, "copy"_sel))) : Ref<NSAttributedString>();
  self->_placeholder = nullptr;
  self->setNeedsLayout();
}

// The platform's placeholder grey.
UIColor* Field_placeholderColor(UITextField*, SEL) { return UIColor::withWhite(0.7, 1); }

BOOL Field_becomeFirstResponder(UITextField* self, SEL) {
  self->_editing = true;
  if (!self->_fieldEditor) {
    self->_fieldEditor = UIView::make<UIFieldEditor>(self->bounds());
    self->_fieldEditor->_field = self;
  }
  self->addSubview(self->_fieldEditor);
  self->setNeedsLayout();
  return YES;
}
BOOL Field_resignFirstResponder(UITextField* self, SEL) {
  self->_editing = false;
  if (self->_fieldEditor) self->_fieldEditor->removeFromSuperview();
  self->setNeedsLayout();
  return YES;
}

bool hasText(UITextField* self) { return self->_text && self->_text->length() > 0; }

void Field_layoutSubviews(UITextField* self, SEL) {
  CGRect b = self->bounds();
  CGRect text = CGRectMake(self->_textInsetLeft, 0, b.size.width - self->_textInsetLeft - 6, b.size.height);
  UITextFieldLabel* placeholder = self->_placeholderLabel.get();
  placeholder->setFrame(text);
  placeholder->setHidden(hasText(self));
  if (self->_attributedPlaceholder) {
    placeholder->setAttributedText(self->_attributedPlaceholder);
  } else if (self->_placeholder) {
    Ref<NSAttributedString> plain = adopt(objc::alloc<NSAttributedString>()->initWithString(
        self->_placeholder, NSDictionary::withObjectsAndKeys({self->placeholderColor(), NSForegroundColorAttributeName(),
                                                              self->_font.get(), NSFontAttributeName()})));
    placeholder->setAttributedText(plain);
  } else {
    placeholder->setAttributedText(nil);
  }
  if (UILabel* label = self->_displayLabel.get()) {
    label->setFrame(text);
    label->setText(self->_text);
    label->setHidden(self->_editing || !hasText(self));
  }
  if (self->_fieldEditor) self->_fieldEditor->setFrame(text);
}

}  // namespace

void drawAttributedRuns(NSAttributedString* text, CGRect rect, UIColor* fallbackColour, UIFont* font) {
  NSUInteger length = text ? text->length() : 0;
  CGFloat x = rect.origin.x;
  for (NSUInteger at = 0; at < length;) {
    NSRange range{};
    Ref<NSMutableDictionary> attributes =
        adopt(objc::as<NSMutableDictionary>(text->attributesAtIndex(at, &range)->mutableCopy()));
    if (!attributes->objectForKey(NSForegroundColorAttributeName()))
      attributes->setObjectForKey(fallbackColour, NSForegroundColorAttributeName());
    if (!attributes->objectForKey(NSFontAttributeName())) attributes->setObjectForKey(font, NSFontAttributeName());
    CGFloat size = objc::isKind<UIFont>(attributes->objectForKey(NSFontAttributeName()))
                       ? objc::as<UIFont>(attributes->objectForKey(NSFontAttributeName()))->_pointSize
                       : 14;
    // Runs advance by an average glyph width: the model has no glyph metrics.
    CGFloat width = static_cast<CGFloat>(range.length) * size * 0.55;
    drawString(text->string()->substringWithRange(range), CGRectMake(x, rect.origin.y, width + 4, rect.size.height),
               attributes);
    x += width;
    at = range.location + range.length;
  }
}

void registerUITextField() {
  objc::ClassBuilder<UITextFieldLabel>("UITextFieldLabel", objc::classOf<UILabel>())
      .ivar("_attributedText", &UITextFieldLabel::_attributedText)
      .method<&FieldLabel_attributedText>("attributedText")
      .method<&FieldLabel_setAttributedText>("setAttributedText:")
      .method<&FieldLabel_drawRect>("drawRect:");
  objc::ClassBuilder<UIFieldEditor>("UIFieldEditor", objc::classOf<UIView>()).method<&Editor_drawRect>("drawRect:");
  objc::ClassBuilder<UITextField>("UITextField", objc::classOf<UIControl>())
      .ivar("_text", &UITextField::_text)
      .ivar("_textColor", &UITextField::_textColor)
      .ivar("_placeholder", &UITextField::_placeholder)
      .ivar("_attributedPlaceholder", &UITextField::_attributedPlaceholder)
      .ivar("_placeholderLabel", &UITextField::_placeholderLabel)
      .ivar("_displayLabel", &UITextField::_displayLabel)
      .method<&Field_initWithFrame>("initWithFrame:")
      .method<&Field_dealloc>("dealloc")
      .method<&Field_text>("text")
      .method<&Field_setText>("setText:")
      .method<&Field_textColor>("textColor")
      .method<&Field_setTextColor>("setTextColor:")
      .method<&Field_placeholder>("placeholder")
      .method<&Field_setPlaceholder>("setPlaceholder:")
      .method<&Field_attributedPlaceholder>("attributedPlaceholder")
      .method<&Field_setAttributedPlaceholder>("setAttributedPlaceholder:")
      .method<&Field_placeholderColor>("_placeholderColor")
      .method<&Field_becomeFirstResponder>("becomeFirstResponder")
      .method<&Field_resignFirstResponder>("resignFirstResponder")
      .method<&Field_layoutSubviews>("layoutSubviews");
}
