// UIViewController and UINavigationItem: a controller loads its view on
// first access (loadView, then viewDidLoad) and can present another.
//
//   Ref<UIViewController> vc = objc::make<UIViewController>();
//   UIView* view = vc->view();   // loaded now
#pragma once

#include "platform/foundation/NSString.h"
#include "platform/uikit/UIView.h"

struct UINavigationController;

struct UINavigationItem : NSObject {
  static constexpr const char* kClassName = "UINavigationItem";
  Ref<NSString> _title;
  Ref<UIView> _titleView;

  NSString* title() { return objc::send<NSString*()>(this, "title"_sel); }
  void setTitle(NSString* t) { objc::send<void(NSString*)>(this, "setTitle:"_sel, t); }
  UIView* titleView() { return objc::send<UIView*()>(this, "titleView"_sel); }
  void setTitleView(UIView* v) { objc::send<void(UIView*)>(this, "setTitleView:"_sel, v); }
};

struct UIViewController : UIResponder {
  static constexpr const char* kClassName = "UIViewController";
  Ref<UIView> _view;
  Ref<NSString> _title;
  Ref<UINavigationItem> _navigationItem;
  UIViewController* _parentViewController = nullptr;  // unretained: the parent owns its children
  Ref<UIViewController> _presentedViewController;

  UIView* view() { return objc::send<UIView*()>(this, "view"_sel); }
  void setView(UIView* v) { objc::send<void(UIView*)>(this, "setView:"_sel, v); }
  BOOL isViewLoaded() { return objc::send<BOOL()>(this, "isViewLoaded"_sel); }
  NSString* title() { return objc::send<NSString*()>(this, "title"_sel); }
  void setTitle(NSString* t) { objc::send<void(NSString*)>(this, "setTitle:"_sel, t); }
  UINavigationItem* navigationItem() { return objc::send<UINavigationItem*()>(this, "navigationItem"_sel); }
  UINavigationController* navigationController() {
    return objc::send<UINavigationController*()>(this, "navigationController"_sel);
  }
  UIViewController* parentViewController() { return objc::send<UIViewController*()>(this, "parentViewController"_sel); }
  void viewWillAppear(BOOL animated) { objc::send<void(BOOL)>(this, "viewWillAppear:"_sel, animated); }
  void viewDidLayoutSubviews() { objc::send<void()>(this, "viewDidLayoutSubviews"_sel); }
  void presentViewController(UIViewController* vc, BOOL animated, Block<void()>* completion) {
    objc::send<void(UIViewController*, BOOL, Block<void()>*)>(this, "presentViewController:animated:completion:"_sel,
                                                                vc, animated, completion);
  }
  UIViewController* presentedViewController() {
    return objc::send<UIViewController*()>(this, "presentedViewController"_sel);
  }
};

// Lays a controller's view out the way the platform does at each pass:
// layoutSubviews down the tree, each controller told viewDidLayoutSubviews
// after its own view's layoutSubviews.
void UIViewControllerLayout(UIViewController* controller);

void registerUIViewController();
