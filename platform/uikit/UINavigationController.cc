// UINavigationBar and UINavigationController.
#include "platform/uikit/UINavigationController.h"

#include <algorithm>

#include "platform/foundation/NSNumber.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/TextDrawing.h"
#include "platform/uikit/UIBackdropView.h"
#include "platform/uikit/UIContainerViews.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIScreen.h"

namespace {

// The stock bar blurs what scrolls under it with the ultra light private
// style; the blur view is put at the back when the bar lays out.
UIView* setUpBar(UIView* made) {
  auto* bar = objc::as<UINavigationBar>(made);
  if (!bar) return nullptr;
  bar->_barBackdrop = adopt(
      objc::send<UIView*(NSInteger)>(objc::alloc<UIBackdropView>(), "initWithPrivateStyle:"_sel, 2060));
  return bar;
}
UIView* Bar_initWithFrame(UINavigationBar* self, SEL, CGRect frame) {
  return setUpBar(objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
}
UIView* Bar_initWithCoder(UINavigationBar* self, SEL, id coder) {
  return setUpBar(objc::sendSuper<UIView*(id)>(self, objc::classOf<UIView>(), "initWithCoder:"_sel, coder));
}
void Bar_layoutSubviews(UINavigationBar* self, SEL) {
  CGRect b = self->bounds();
  if (UIView* backdrop = self->_barBackdrop.get()) {
    if (backdrop->superview() != self) self->insertSubviewAtIndex(backdrop, 0);
    backdrop->setFrame(b);
  }
  if (!self->_titleView) {
    self->_titleView = UIView::make<UINavigationItemView>(CGRectZero);
    self->addSubview(self->_titleView);
  }
  self->_titleView->setFrame(CGRectMake(60, 20, b.size.width - 120, b.size.height - 20));
}
NSDictionary* Bar_titleTextAttributes(UINavigationBar* self, SEL) { return self->_titleTextAttributes.get(); }
void Bar_setTitleTextAttributes(UINavigationBar* self, SEL, NSDictionary* a) {
  self->_titleTextAttributes = a ? adopt(objc::as<NSDictionary>(a->copy())) : Ref<NSDictionary>();
}
// The title view (UIKit's UINavigationItemView) draws its bar's title in
// the bar's title attributes (bold 17, black unless they say otherwise),
// centred; it lies in front of the bar's blur.
void ItemView_drawRect(UINavigationItemView* self, SEL, CGRect) {
  auto* bar = objc::as<UINavigationBar>(self->superview());
  if (!bar || !bar->_title) return;
  Ref<NSMutableDictionary> attributes = objc::make<NSMutableDictionary>();
  attributes->setObjectForKey(UIFont::boldSystemFont(17), NSFontAttributeName());
  attributes->setObjectForKey(UIColor::blackColor(), NSForegroundColorAttributeName());
  if (bar->_titleTextAttributes)
    for (auto& entry : bar->_titleTextAttributes->_entries)
      attributes->setObjectForKey(entry.value.get(), entry.key.get());
  attributes->setObjectForKey(NSNumber::withInteger(1), NSParagraphStyleAttributeName());
  drawString(bar->_title, self->bounds(), attributes);
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
  self->setView(container);
}

// The bar is in the container from the moment the view loads. The top
// controller's view goes in a wrapper directly below the bar, so anything
// the container holds behind the bar stays behind the content; the
// controller hears viewWillAppear: just before its view goes in. The title
// comes from the top controller's navigation item.
void Nav_layout(UINavigationController* self) {
  UIView* container = self->view();
  UINavigationBar* bar = self->_navigationBar.get();
  if (bar->superview() != container) container->addSubview(bar);
  UIViewController* top = self->topViewController();
  if (!top) return;
  CGRect b = container->bounds();
  UIView* wrapper = UIViewControllerWrapperView::wrapperFor(top->view(), CGRectMake(0, 0, b.size.width, b.size.height));
  if (wrapper && wrapper->superview() != container) {
    top->viewWillAppear(NO);
    std::vector<UIView*> siblings = container->subviewList();
    NSInteger barIndex = static_cast<NSInteger>(std::find(siblings.begin(), siblings.end(), bar) - siblings.begin());
    container->insertSubviewAtIndex(wrapper, barIndex);
  }
  for (UIView* sub : container->subviewList())
    if (sub != wrapper && sub->isMemberOfClass(objc::classOf<UIViewControllerWrapperView>())) sub->removeFromSuperview();
  bar->_title = top->navigationItem()->title();
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
      .ivar("_barBackdrop", &UINavigationBar::_barBackdrop)
      .method<&Bar_initWithFrame>("initWithFrame:")
      .method<&Bar_initWithCoder>("initWithCoder:")
      .method<&Bar_titleTextAttributes>("titleTextAttributes")
      .method<&Bar_setTitleTextAttributes>("setTitleTextAttributes:")
      .method<&Bar_layoutSubviews>("layoutSubviews");
  objc::ClassBuilder<UINavigationItemView>("UINavigationItemView", objc::classOf<UIView>())
      .method<&ItemView_drawRect>("drawRect:");
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
