// UISearchBar and the private pieces of its search field: the field
// (UISearchBarTextField), the label that shows the field's text while it is
// not being edited (UISearchBarTextFieldLabel) and the field's background
// (_UISearchBarSearchFieldBackgroundView), which fills itself with the colour
// its _fillColor: answers for the bar it sits on.
//
//   Ref<UISearchBar> bar = UIView::make<UISearchBar>(CGRectMake(0, 64, 320, 44));
//   bar->setPlaceholder("Search"_ns);
#pragma once

#include "platform/uikit/UITextField.h"

struct UISearchBarTextFieldLabel : UILabel {
  static constexpr const char* kClassName = "UISearchBarTextFieldLabel";
};

struct UISearchBarSearchFieldBackgroundView : UIView {
  static constexpr const char* kClassName = "_UISearchBarSearchFieldBackgroundView";
  bool _onTranslucentBar = true;

  UIColor* fillColor(BOOL translucent) { return objc::send<UIColor*(BOOL)>(this, "_fillColor:"_sel, translucent); }
};

struct UISearchBarTextField : UITextField {
  static constexpr const char* kClassName = "UISearchBarTextField";
  Ref<UISearchBarSearchFieldBackgroundView> _backgroundView;
};

struct UISearchBar : UIView {
  static constexpr const char* kClassName = "UISearchBar";
  Ref<UISearchBarTextField> _searchField;
  bool _translucent = true;

  UISearchBarTextField* searchField() { return objc::send<UISearchBarTextField*()>(this, "searchField"_sel); }
  void setPlaceholder(NSString* text) { objc::send<void(NSString*)>(this, "setPlaceholder:"_sel, text); }
  void setText(NSString* text) { objc::send<void(NSString*)>(this, "setText:"_sel, text); }
};

void registerUISearchBar();
