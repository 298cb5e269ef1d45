// UINavigationBar and UINavigationController.
#include "platform/uikit/UINavigationController.h"

#include "platform/foundation/NSNumber.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/TextDrawing.h"
#include "platform/uikit/UIContainerViews.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIScreen.h"

namespace {

UIView* Bar_initWithFrame(UINavigationBar* self, SEL, CGRect frame) {
  auto* bar = objc::as<UINavigationBar>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
  if (bar) bar->_backgroundColor = UIColor::withWhite(0.97, 1);
  return bar;
}
NSDictionary* Bar_titleTextAttributes(UINavigationBar* self, SEL) { return self->_titleTextAttributes.get(); }
void Bar_setTitleTextAttributes(UINavigationBar* self, SEL, NSDictionary* a) {
  self->_titleTextAttributes = a ? adopt(objc::as<NSDictionary>(a->copy())) : Ref<NSDictionary>();
}
// The title in the bar's title attributes (bold 17, black unless they say
// otherwise), centred.
void Bar_drawRect(UINavigationBar* self, SEL, CGRect) {
  if (!self->_title) return;
  Ref<NSMutableDictionary> attributes = objc::make<NSMutableDictionary>();
  attributes->setObjectForKey(UIFont::boldSystemFont(17), NSFontAttributeName());
  attributes->setObjectForKey(UIColor::blackColor(), NSForegroundColorAttributeName());
  if (self->_titleTextAttributes)
    for (auto& entry : self->_titleTextAttributes->_entries)
      attributes->setObjectForKey(entry.value.get(), entry.key.get());
  attributes->setObjectForKey(NSNumber::withInteger(1), NSParagraphStyleAttributeName());
  CGRect b = self->bounds();
  drawString(self->_title, CGRectMake(60, 20, b.size.width - 120, b.size.height - 20), attributes);
}

UINavigationController* Nav_initWithRoot(UINavigationController* self, SEL, UIViewController* root) {
  auto* nav = objc::as<UINavigationController>(
      objc::sendSuper<UIViewController*(NSString*, id)>(self, objc::classOf<UIViewController>(),
                                                        "initWithNibName:bundle:"_sel, nil, nil));
  if (!nav) return nullptr;
  nav->_viewControllers = objc::make<NSMutableArray>();
  CGRect screen = UIScreen::mainScreen()->bounds();
  nav->_navigationBar = UIView::make<UINavigationBar>(CGRectMake(0, 0, screen.size.width, 20 + kNavigationBarHeight));
  if (root) nav->pushViewController(root, NO);
  return nav;
}

void Nav_loadView(UINavigationController* self, SEL) {
  CGRect screen = UIScreen::mainScreen()->bounds();
  Ref<UIView> container = UIView::make<UILayoutContainerView>(screen);
  container->setBackgroundColor(UIColor::whiteColor());
  self->setView(container);
}

// Shows the top controller: its view in a wrapper below the bar, the bar in
// front, the title from its navigation item.
void Nav_layout(UINavigationController* self) {
  UIView* container = self->view();
  UIViewController* top = self->topViewController();
  if (!top) return;
  CGRect b = container->bounds();
  UIView* content = top->view();
  CGRect wrapperFrame = CGRectMake(0, 0, b.size.width, b.size.height);
  UIView* wrapper = UIViewControllerWrapperView::wrapperFor(content, wrapperFrame);
  if (wrapper && wrapper->superview() != container) container->insertSubviewAtIndex(wrapper, 0);
  for (UIView* sub : container->subviewList())
    if (sub != wrapper && sub->isMemberOfClass(objc::classOf<UIViewControllerWrapperView>())) sub->removeFromSuperview();
  if (self->_navigationBar->superview() != container) container->addSubview(self->_navigationBar);
  self->_navigationBar->_title = top->navigationItem()->title();
}

void Nav_viewDidLoad(UINavigationController* self, SEL) { Nav_layout(self); }
void Nav_viewDidLayoutSubviews(UINavigationController* self, SEL) { Nav_layout(self); }

void Nav_push(UINavigationController* self, SEL, UIViewController* vc, BOOL) {
  if (!vc) return;
  vc->_parentViewController = self;
  self->_viewControllers->addObject(vc);
  if (self->isViewLoaded()) Nav_layout(self);
}
UIViewController* Nav_top(UINavigationController* self, SEL) {
  return objc::as<UIViewController>(self->_viewControllers->lastObject());
}
NSArray* Nav_viewControllers(UINavigationController* self, SEL) { return self->_viewControllers.get(); }
UINavigationBar* Nav_navigationBar(UINavigationController* self, SEL) { return self->_navigationBar.get(); }

}  // namespace

void registerUINavigationController() {
  objc::ClassBuilder<UINavigationBar>("UINavigationBar", objc::classOf<UIView>())
      .ivar("_titleTextAttributes", &UINavigationBar::_titleTextAttributes)
      .method<&Bar_initWithFrame>("initWithFrame:")
      .method<&Bar_titleTextAttributes>("titleTextAttributes")
      .method<&Bar_setTitleTextAttributes>("setTitleTextAttributes:")
      .method<&Bar_drawRect>("drawRect:");
  objc::ClassBuilder<UINavigationController>("UINavigationController", objc::classOf<UIViewController>())
      .ivar("_navigationBar", &UINavigationController::_navigationBar)
      .method<&Nav_initWithRoot>("initWithRootViewController:")
      .method<&Nav_loadView>("loadView")
      .method<&Nav_viewDidLoad>("viewDidLoad")
      .method<&Nav_viewDidLayoutSubviews>("viewDidLayoutSubviews")
      .method<&Nav_push>("pushViewController:animated:")
      .method<&Nav_top>("topViewController")
      .method<&Nav_viewControllers>("viewControllers")
      .method<&Nav_navigationBar>("navigationBar");
}
