// UITabBar, its buttons and UITabBarController. A tab bar draws the view
// held in its _adaptiveBackdrop behind its buttons; a button shows its image
// in the tint colour when selected and in its unselected tint colour
// otherwise. Its label follows the unselected tint only once a caller has
// forced it to (_setUnselectedTintColor:forceLabelToConform: with YES);
// until then an unselected label stays the stock grey.
//
//   Ref<UITabBarController> tabs = objc::make<UITabBarController>();
//   tabs->setViewControllers(controllers);
#pragma once

#include "platform/foundation/NSArray.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIGeometry.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIViewController.h"

struct UITabBarItem : NSObject {
  static constexpr const char* kClassName = "UITabBarItem";
  Ref<NSString> _title;
  Ref<UIImage> _image;
};

struct UITabBarButton : UIControl {
  static constexpr const char* kClassName = "UITabBarButton";
  Ref<UIImage> _image;
  Ref<UIImage> _selectedImage;
  Ref<NSString> _label;
  Ref<UIColor> _unselectedTintColor;
  bool _labelConformsToUnselectedTint = false;
  UIEdgeInsets _insets;

  UIColor* unselectedTintColor() { return objc::send<UIColor*()>(this, "unselectedTintColor"_sel); }
  void setUnselectedTintColor(UIColor* color, BOOL forceLabel) {
    objc::send<void(UIColor*, BOOL)>(this, "_setUnselectedTintColor:forceLabelToConform:"_sel, color, forceLabel);
  }
};

struct UITabBar : UIView {
  static constexpr const char* kClassName = "UITabBar";
  Ref<UIView> _adaptiveBackdrop;
  Ref<NSMutableArray> _buttons;
  NSInteger _selectedIndex = 0;
};

struct UITabBarController : UIViewController {
  static constexpr const char* kClassName = "UITabBarController";
  Ref<UITabBar> _tabBar;
  Ref<NSMutableArray> _viewControllers;
  NSInteger _selectedIndex = 0;

  UITabBar* tabBar() { return objc::send<UITabBar*()>(this, "tabBar"_sel); }
  void setViewControllers(NSArray* controllers) {
    objc::send<void(NSArray*)>(this, "setViewControllers:"_sel, controllers);
  }
  void setSelectedIndex(NSUInteger index) { objc::send<void(NSUInteger)>(this, "setSelectedIndex:"_sel, index); }
};

inline constexpr CGFloat kTabBarHeight = 49;

void registerUITabBar();
