// UIViewController and UINavigationItem.
#include "platform/uikit/UIViewController.h"

#include "platform/foundation/RunLoop.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/UIScreen.h"

namespace {

NSString* Item_title(UINavigationItem* self, SEL) { return self->_title.get(); }
void Item_setTitle(UINavigationItem* self, SEL, NSString* t) { self->_title = t; }
UIView* Item_titleView(UINavigationItem* self, SEL) { return self->_titleView.get(); }
void Item_setTitleView(UINavigationItem* self, SEL, UIView* v) { self->_titleView = v; }

UIViewController* VC_init(UIViewController* self, SEL) {
  return objc::send<UIViewController*(NSString*, id)>(self, "initWithNibName:bundle:"_sel, nil, nil);
}
UIViewController* VC_initWithNibName(UIViewController* self, SEL, NSString*, id) { return self; }

UIView* VC_view(UIViewController* self, SEL) {
  if (!self->_view) {
    objc::send<void()>(self, "loadView"_sel);
    objc::send<void()>(self, "viewDidLoad"_sel);
  }
  return self->_view.get();
}
void VC_loadView(UIViewController* self, SEL) {
  Ref<UIView> view = UIView::create(UIScreen::mainScreen()->bounds());
  view->setBackgroundColor(UIColor::whiteColor());
  view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  self->setView(view);
}
void VC_setView(UIViewController* self, SEL, UIView* view) {
  if (self->_view && self->_view->_viewDelegate == self) self->_view->_viewDelegate = nullptr;
  self->_view = view;
  if (view) view->_viewDelegate = self;
}
// The view may outlive its controller in a hierarchy; it forgets it first.
void VC_dealloc(UIViewController* self, SEL) {
  if (self->_view && self->_view->_viewDelegate == self) self->_view->_viewDelegate = nullptr;
  objc::sendSuper<void()>(self, objc::classOf<UIResponder>(), "dealloc"_sel);
}
BOOL VC_isViewLoaded(UIViewController* self, SEL) { return self->_view != nullptr; }
void VC_viewDidLoad(UIViewController*, SEL) {}
void VC_viewWillAppear(UIViewController*, SEL, BOOL) {}
void VC_viewDidAppear(UIViewController*, SEL, BOOL) {}
void VC_viewWillDisappear(UIViewController*, SEL, BOOL) {}
void VC_viewDidLayoutSubviews(UIViewController*, SEL) {}
NSString* VC_title(UIViewController* self, SEL) { return self->_title.get(); }
void VC_setTitle(UIViewController* self, SEL, NSString* t) {
  self->_title = t;
  self->navigationItem()->setTitle(t);
}
UINavigationItem* VC_navigationItem(UIViewController* self, SEL) {
  if (!self->_navigationItem) {
    self->_navigationItem = objc::make<UINavigationItem>();
    self->_navigationItem->_title = self->_title;
  }
  return self->_navigationItem.get();
}
UIViewController* VC_parentViewController(UIViewController* self, SEL) { return self->_parentViewController; }
// The nearest navigation controller up the parent chain.
UINavigationController* VC_navigationController(UIViewController* self, SEL) {
  Class nav = objc_getClass("UINavigationController");
  for (UIViewController* p = self->_parentViewController; p; p = p->_parentViewController)
    if (p->isKindOfClass(nav)) return reinterpret_cast<UINavigationController*>(p);
  return nullptr;
}
void VC_presentViewController(UIViewController* self, SEL, UIViewController* vc, BOOL animated,
                              Block<void()>* completion) {
  self->_presentedViewController = vc;
  if (vc) vc->_parentViewController = nullptr;
  if (!completion) return;
  Ref<Block<void()>> done = completion;
  if (animated)
    RunLoop::main().schedule(0.3, [done] { done->invoke(); });
  else
    done->invoke();
}
UIViewController* VC_presentedViewController(UIViewController* self, SEL) {
  return self->_presentedViewController.get();
}

}  // namespace

void UIViewControllerLayout(UIViewController* controller) { controller->view()->layoutIfNeeded(); }

void registerUIViewController() {
  objc::ClassBuilder<UINavigationItem>("UINavigationItem", objc::classOf<NSObject>())
      .ivar("_title", &UINavigationItem::_title)
      .ivar("_titleView", &UINavigationItem::_titleView)
      .method<&Item_title>("title")
      .method<&Item_setTitle>("setTitle:")
      .method<&Item_titleView>("titleView")
      .method<&Item_setTitleView>("setTitleView:");
  objc::ClassBuilder<UIViewController>("UIViewController", objc::classOf<UIResponder>())
      .ivar("_view", &UIViewController::_view)
      .ivar("_navigationItem", &UIViewController::_navigationItem)
      .method<&VC_init>("init")
      .method<&VC_initWithNibName>("initWithNibName:bundle:")
      .method<&VC_view>("view")
      .method<&VC_loadView>("loadView")
      .method<&VC_setView>("setView:")
      .method<&VC_dealloc>("dealloc")
      .method<&VC_isViewLoaded>("isViewLoaded")
      .method<&VC_viewDidLoad>("viewDidLoad")
      .method<&VC_viewWillAppear>("viewWillAppear:")
      .method<&VC_viewDidAppear>("viewDidAppear:")
      .method<&VC_viewWillDisappear>("viewWillDisappear:")
      .method<&VC_viewDidLayoutSubviews>("viewDidLayoutSubviews")
      .method<&VC_title>("title")
      .method<&VC_setTitle>("setTitle:")
      .method<&VC_navigationItem>("navigationItem")
      .method<&VC_parentViewController>("parentViewController")
      .method<&VC_navigationController>("navigationController")
      .method<&VC_presentViewController>("presentViewController:animated:completion:")
      .method<&VC_presentedViewController>("presentedViewController");
}
