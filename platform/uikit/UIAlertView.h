// UIAlertView and its private layers: over the whole screen a dimming layer
// (_UIDimmingKnockoutBackdropView, filled with the colour it answers for its
// backdrop style), and in the middle the alert's card, whose background
// (_UIModalItemAlertBackgroundView) shows a gradient image it makes for its
// size from an inner and an outer colour, under the title, the message and
// the buttons.
//
//   Ref<UIAlertView> alert = UIView::make<UIAlertView>(window->bounds());
//   alert->setTitle("Delete from Library?"_ns);
//   alert->addButtonWithTitle("Cancel"_ns);
#pragma once

#include <vector>

#include "platform/foundation/NSArray.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"

struct UIImage;

struct UIDimmingKnockoutBackdropView : UIView {
  static constexpr const char* kClassName = "_UIDimmingKnockoutBackdropView";
  NSInteger _backdropStyle = 0;

  UIColor* knockoutColor(NSInteger style) {
    return objc::send<UIColor*(NSInteger)>(this, "_dimmingKnockoutBackgroundColorForBackdropStyle:"_sel, style);
  }
};

struct UIModalItemAlertBackgroundView : UIView {
  static constexpr const char* kClassName = "_UIModalItemAlertBackgroundView";
  Ref<UIImageView> _gradientView;
  // The stops of the latest gradient it drew, for the view dump.
  std::vector<Ref<UIColor>> _gradientColours;
  std::vector<CGFloat> _gradientLocations;

  // Autoreleased.
  UIImage* gradientImage(CGSize size, UIColor* inner, UIColor* outer) {
    return objc::send<UIImage*(CGSize, UIColor*, UIColor*)>(
        this, "_gradientImageForBoundsSize:withInnerColor:outerColor:"_sel, size, inner, outer);
  }
};

struct UIAlertView : UIView {
  static constexpr const char* kClassName = "UIAlertView";
  Ref<UIDimmingKnockoutBackdropView> _dimmingView;
  Ref<UIModalItemAlertBackgroundView> _backgroundView;
  Ref<UILabel> _titleLabel;
  Ref<UILabel> _messageLabel;
  Ref<NSMutableArray> _buttonLabels;

  void setTitle(NSString* title) { objc::send<void(NSString*)>(this, "setTitle:"_sel, title); }
  void setMessage(NSString* message) { objc::send<void(NSString*)>(this, "setMessage:"_sel, message); }
  NSInteger addButtonWithTitle(NSString* title) {
    return objc::send<NSInteger(NSString*)>(this, "addButtonWithTitle:"_sel, title);
  }
};

void registerUIAlertView();
