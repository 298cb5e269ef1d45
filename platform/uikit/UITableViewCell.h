// UITableViewCell with its appearance proxy: a selected background view
// given to +[UITableViewCell appearance] is applied to every cell created
// afterwards, the same view object to each. A cell has no background colour
// of its own until someone sets one, so that, as on the phone, a plain
// table's own background shows through its cells.
//
//   UITableViewCell::appearance()->setSelectedBackgroundView(backdrop);
#pragma once

#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIView.h"

enum : NSInteger {
  UITableViewCellStyleDefault = 0,
  UITableViewCellStyleValue1 = 1,
  UITableViewCellStyleValue2 = 2,
  UITableViewCellStyleSubtitle = 3,
};

struct UITableViewCell : UIView {
  static constexpr const char* kClassName = "UITableViewCell";
  Ref<UIView> _selectedBackgroundView;
  Ref<UIView> _contentView;
  Ref<UILabel> _textLabel;
  Ref<UILabel> _detailTextLabel;
  Ref<NSString> _reuseIdentifier;
  NSInteger _style = 0;

  UITableViewCell* initWithStyle(NSInteger style, NSString* reuseIdentifier) {
    return objc::send<UITableViewCell*(NSInteger, NSString*)>(this, "initWithStyle:reuseIdentifier:"_sel, style,
                                                               reuseIdentifier);
  }
  UIView* selectedBackgroundView() { return objc::send<UIView*()>(this, "selectedBackgroundView"_sel); }
  void setSelectedBackgroundView(UIView* view) {
    objc::send<void(UIView*)>(this, "setSelectedBackgroundView:"_sel, view);
  }
  UIView* contentView() { return objc::send<UIView*()>(this, "contentView"_sel); }
  UILabel* textLabel() { return objc::send<UILabel*()>(this, "textLabel"_sel); }
  UILabel* detailTextLabel() { return objc::send<UILabel*()>(this, "detailTextLabel"_sel); }

  // The proxy answers the setters it records (setSelectedBackgroundView:).
  static NSObject* appearance() {
    return objc::send<NSObject*()>(reinterpret_cast<id>(objc::classOf<UITableViewCell>()), "appearance"_sel);
  }
};

void registerUITableViewCell();
