// UITextField: one line of editable text with a placeholder, shown through
// its subviews as the platform does: while the field is being edited its
// field editor (UIFieldEditor) draws the text in the field's text colour;
// otherwise a display label shows it, when the subclass keeps one. An empty
// field shows its placeholder in a UITextFieldLabel: a plain placeholder in
// the colour that the field's _placeholderColor answers when the field lays
// itself out, an attributed one in its own runs' colours.
//
//   field->setPlaceholder("Search"_ns);
#pragma once

#include "platform/foundation/NSAttributedString.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"

// A label that can show attributed text (runs without a colour in its text
// colour).
struct UITextFieldLabel : UILabel {
  static constexpr const char* kClassName = "UITextFieldLabel";
  Ref<NSAttributedString> _attributedText;

  NSAttributedString* attributedText() { return objc::send<NSAttributedString*()>(this, "attributedText"_sel); }
  void setAttributedText(NSAttributedString* text) {
    objc::send<void(NSAttributedString*)>(this, "setAttributedText:"_sel, text);
  }
};

struct UITextField;

struct UIFieldEditor : UIView {
  static constexpr const char* kClassName = "UIFieldEditor";
  UITextField* _field = nullptr;  // unretained: the field owns its editor
};

struct UITextField : UIControl {
  static constexpr const char* kClassName = "UITextField";
  Ref<NSString> _text;
  Ref<UIColor> _textColor;
  Ref<UIFont> _font;
  Ref<NSString> _placeholder;
  Ref<NSAttributedString> _attributedPlaceholder;
  Ref<UITextFieldLabel> _placeholderLabel;
  Ref<UILabel> _displayLabel;  // made by subclasses that show their text through a label
  Ref<UIFieldEditor> _fieldEditor;
  CGFloat _textInsetLeft = 6;
  bool _editing = false;

  NSString* text() { return objc::send<NSString*()>(this, "text"_sel); }
  void setText(NSString* text) { objc::send<void(NSString*)>(this, "setText:"_sel, text); }
  UIColor* textColor() { return objc::send<UIColor*()>(this, "textColor"_sel); }
  void setTextColor(UIColor* color) { objc::send<void(UIColor*)>(this, "setTextColor:"_sel, color); }
  NSString* placeholder() { return objc::send<NSString*()>(this, "placeholder"_sel); }
  void setPlaceholder(NSString* text) { objc::send<void(NSString*)>(this, "setPlaceholder:"_sel, text); }
  NSAttributedString* attributedPlaceholder() {
    return objc::send<NSAttributedString*()>(this, "attributedPlaceholder"_sel);
  }
  void setAttributedPlaceholder(NSAttributedString* text) {
    objc::send<void(NSAttributedString*)>(this, "setAttributedPlaceholder:"_sel, text);
  }
  UIColor* placeholderColor() { return objc::send<UIColor*()>(this, "_placeholderColor"_sel); }
  // The keyboard comes up (or goes): the field editor takes over the text.
  BOOL becomeFirstResponder() { return objc::send<BOOL()>(this, "becomeFirstResponder"_sel); }
  BOOL resignFirstResponder() { return objc::send<BOOL()>(this, "resignFirstResponder"_sel); }
};

// Draws an attributed string's runs one after another from the left of
// `rect`, each in its own attributes; a run without a foreground colour in
// `fallbackColour`, without a font in `font`.
void drawAttributedRuns(NSAttributedString* text, CGRect rect, UIColor* fallbackColour, UIFont* font);

void registerUITextField();
