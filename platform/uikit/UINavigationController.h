// UINavigationBar and UINavigationController. The controller's view is a
// UILayoutContainerView holding the navigation bar and a wrapper view
// (handed out by UIViewControllerWrapperView) around the top controller's
// view.
//
//   Ref<UINavigationController> nav = UINavigationController::withRoot(songs);
#pragma once

#include "platform/foundation/NSArray.h"
#include "platform/foundation/NSDictionary.h"
#include "platform/uikit/UIViewController.h"

struct UINavigationBar : UIView {
  static constexpr const char* kClassName = "UINavigationBar";
  Ref<NSDictionary> _titleTextAttributes;
  Ref<NSString> _title;

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
