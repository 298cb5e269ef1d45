// UINavigationBar and UINavigationController. The controller's view is a
// UILayoutContainerView, with no background of its own, holding a wrapper
// view (handed out by UIViewControllerWrapperView) around the top
// controller's view and, in front of it, the navigation bar. The bar is
// translucent: a blur view made by private style sits behind its title
// view, as the tab bar's sits behind its buttons.
//
//   Ref<UINavigationController> nav = UINavigationController::withRoot(songs);
#pragma once

#include "platform/foundation/NSArray.h"
#include "platform/foundation/NSDictionary.h"
#include "platform/uikit/UIViewController.h"

// Draws its bar's title; made by the bar when it first lays out.
struct UINavigationItemView : UIView {
  static constexpr const char* kClassName = "UINavigationItemView";
};

struct UINavigationBar : UIView {
  static constexpr const char* kClassName = "UINavigationBar";
  Ref<NSDictionary> _titleTextAttributes;
  Ref<NSString> _title;
  Ref<UIView> _barBackdrop;
  Ref<UINavigationItemView> _titleView;

  NSDictionary* titleTextAttributes() { return objc::send<NSDictionary*()>(this, "titleTextAttributes"_sel); }
  void setTitleTextAttributes(NSDictionary* a) {
    objc::send<void(NSDictionary*)>(this, "setTitleTextAttributes:"_sel, a);
  }
};

struct UINavigationController : UIViewController {
  static constexpr const char* kClassName = "UINavigationController";
  Ref<NSMutableArray> _viewControllers;
  Ref<UINavigationBar> _navigationBar;

  static Ref<UINavigationController> withRoot(UIViewController* root) {
    return adopt(objc::send<UINavigationController*(UIViewController*)>(
        objc::alloc<UINavigationController>(), "initWithRootViewController:"_sel, root));
  }
  UINavigationBar* navigationBar() { return objc::send<UINavigationBar*()>(this, "navigationBar"_sel); }
  void pushViewController(UIViewController* vc, BOOL animated) {
    objc::send<void(UIViewController*, BOOL)>(this, "pushViewController:animated:"_sel, vc, animated);
  }
  UIViewController* topViewController() { return objc::send<UIViewController*()>(this, "topViewController"_sel); }
};

inline constexpr CGFloat kNavigationBarHeight = 44;

void registerUINavigationController();
