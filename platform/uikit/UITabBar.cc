// UITabBar, UITabBarButton and UITabBarController.
#include "platform/uikit/UITabBar.h"

#include "platform/foundation/NSDictionary.h"
#include "platform/foundation/NSNumber.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/TextDrawing.h"
#include "platform/uikit/UIBackdropView.h"
#include "platform/uikit/UIContainerViews.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIScreen.h"

namespace {

UIColor* stockUnselectedTint() { return UIColor::withWhite(0.57, 1); }

// --- UITabBarButton ---------------------------------------------------------

UITabBarButton* Button_initWithImage(UITabBarButton* self, SEL, UIImage* image, UIImage* selectedImage, NSString* label,
                                     UIEdgeInsets insets) {
  auto* button = objc::as<UITabBarButton>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIControl>(), "initWithFrame:"_sel, CGRectMake(0, 0, 64, 49)));
  if (!button) return nullptr;
  button->_image = image;
  button->_selectedImage = selectedImage ? selectedImage : image;
  button->_label = label;
  button->_insets = insets;
  button->_unselectedTintColor = stockUnselectedTint();
  return button;
}
void Button_setUnselectedTint(UITabBarButton* self, SEL, UIColor* color, BOOL forceLabel) {
  self->_unselectedTintColor = color ? color : stockUnselectedTint();
  if (forceLabel) self->_labelConformsToUnselectedTint = true;
}
UIColor* Button_unselectedTintColor(UITabBarButton* self, SEL) { return self->_unselectedTintColor.get(); }

// The glyph sits in an image view (a template image in the button's current
// colour); the label is drawn below it.
UIColor* currentColour(UITabBarButton* self) {
  return self->isSelected() ? self->tintColor() : self->unselectedTintColor();
}
UIColor* labelColour(UITabBarButton* self) {
  if (self->isSelected() || self->_labelConformsToUnselectedTint) return currentColour(self);
  return stockUnselectedTint();
}
void Button_layoutSubviews(UITabBarButton* self, SEL) {
  for (UIView* sub : self->subviewList()) sub->removeFromSuperview();
  UIImage* image = self->isSelected() ? self->_selectedImage.get() : self->_image.get();
  if (!image) return;
  CGSize size = image->size();
  CGRect b = self->bounds();
  Ref<UIImageView> glyph = UIView::make<UIImageView>(
      CGRectMake((b.size.width - size.width) / 2, 4 + self->_insets.top, size.width, size.height));
  glyph->setImage(image->imageWithRenderingMode(UIImageRenderingModeAlwaysTemplate));
  glyph->setTintColor(currentColour(self));
  self->addSubview(glyph);
}
void Button_drawRect(UITabBarButton* self, SEL, CGRect) {
  if (!self->_label) return;
  CGRect b = self->bounds();
  drawString(self->_label, CGRectMake(0, b.size.height - 16, b.size.width, 12),
             NSDictionary::withObjectsAndKeys({labelColour(self), NSForegroundColorAttributeName(),
                                               UIFont::systemFont(10), NSFontAttributeName(), NSNumber::withInteger(1),
                                               NSParagraphStyleAttributeName()}));
}

// --- UITabBar ------------------------------------------------------------------

// What every initialiser of a bar sets up, decoding included: the stock bar
// blurs what lies behind it with the light private style.
UIView* setUpBar(UIView* made) {
  auto* bar = objc::as<UITabBar>(made);
  if (!bar) return nullptr;
  bar->_buttons = objc::make<NSMutableArray>();
  bar->_adaptiveBackdrop = adopt(
      objc::send<UIView*(NSInteger)>(objc::alloc<UIBackdropView>(), "initWithPrivateStyle:"_sel, 2060));
  return bar;
}
UIView* Bar_initWithFrame(UITabBar* self, SEL, CGRect frame) {
  return setUpBar(objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
}
UIView* Bar_initWithCoder(UITabBar* self, SEL, id coder) {
  return setUpBar(objc::sendSuper<UIView*(id)>(self, objc::classOf<UIView>(), "initWithCoder:"_sel, coder));
}

void Bar_layoutSubviews(UITabBar* self, SEL) {
  CGRect b = self->bounds();
  UIView* backdrop = self->_adaptiveBackdrop.get();
  for (UIView* sub : self->subviewList())
    if (sub != backdrop && sub->isKindOfClass(objc::classOf<UIBackdropView>())) sub->removeFromSuperview();
  if (backdrop) {
    if (backdrop->superview() != self) self->insertSubviewAtIndex(backdrop, 0);
    backdrop->setFrame(b);
  }
  NSUInteger count = self->_buttons->count();
  for (NSUInteger i = 0; i < count; ++i) {
    auto* button = objc::as<UITabBarButton>(self->_buttons->objectAtIndex(i));
    CGFloat width = b.size.width / count;
    button->setFrame(CGRectMake(i * width, 0, width, b.size.height));
    button->setSelected(static_cast<NSInteger>(i) == self->_selectedIndex);
    if (button->superview() != self) self->addSubview(button);
    button->layoutSubviews();
  }
}

// --- UITabBarController ---------------------------------------------------------

UITabBarController* Tabs_initWithNibName(UITabBarController* self, SEL, NSString* nib, id bundle) {
  auto* tabs = objc::as<UITabBarController>(objc::sendSuper<UIViewController*(NSString*, id)>(
      self, objc::classOf<UIViewController>(), "initWithNibName:bundle:"_sel, nib, bundle));
  if (!tabs) return nullptr;
  CGRect screen = UIScreen::mainScreen()->bounds();
  tabs->_tabBar = UIView::make<UITabBar>(
      CGRectMake(0, screen.size.height - kTabBarHeight, screen.size.width, kTabBarHeight));
  tabs->_viewControllers = objc::make<NSMutableArray>();
  return tabs;
}

void Tabs_loadView(UITabBarController* self, SEL) {
  Ref<UIView> container = UIView::make<UILayoutContainerView>(UIScreen::mainScreen()->bounds());
  self->setView(container);
}

void Tabs_layout(UITabBarController* self) {
  UIView* container = self->view();
  for (UIView* sub : container->subviewList()) sub->removeFromSuperview();
  if (self->_selectedIndex < static_cast<NSInteger>(self->_viewControllers->count())) {
    auto* selected = objc::as<UIViewController>(self->_viewControllers->objectAtIndex(self->_selectedIndex));
    UIView* wrapper = UIViewControllerWrapperView::wrapperFor(selected->view(), container->bounds());
    if (wrapper) container->addSubview(wrapper);
  }
  self->_tabBar->_selectedIndex = self->_selectedIndex;
  container->addSubview(self->_tabBar);
  self->_tabBar->layoutSubviews();
}

void Tabs_viewDidLoad(UITabBarController* self, SEL) { Tabs_layout(self); }
UITabBar* Tabs_tabBar(UITabBarController* self, SEL) { return self->_tabBar.get(); }

void Tabs_setViewControllers(UITabBarController* self, SEL, NSArray* controllers) {
  self->_viewControllers->removeAllObjects();
  self->_tabBar->_buttons->removeAllObjects();
  for (id item : controllers ? controllers->items() : std::vector<id>{}) {
    auto* vc = objc::as<UIViewController>(item);
    vc->_parentViewController = self;
    self->_viewControllers->addObject(vc);
    UITabBarItem* tab = objc::as<UITabBarItem>(objc::send<id()>(vc, "tabBarItem"_sel));
    UIImage* image = tab ? tab->_image.get() : nullptr;
    NSString* title = tab && tab->_title ? tab->_title.get() : vc->title();
    Ref<UITabBarButton> button = adopt(objc::send<UITabBarButton*(UIImage*, UIImage*, NSString*, UIEdgeInsets)>(
        objc::alloc<UITabBarButton>(), "initWithImage:selectedImage:label:withInsets:"_sel, image, image, title,
        UIEdgeInsetsZero));
    if (button) self->_tabBar->_buttons->addObject(button);
  }
  if (self->isViewLoaded()) Tabs_layout(self);
}
void Tabs_setSelectedIndex(UITabBarController* self, SEL, NSUInteger index) {
  self->_selectedIndex = static_cast<NSInteger>(index);
  if (self->isViewLoaded()) Tabs_layout(self);
}
NSArray* Tabs_viewControllers(UITabBarController* self, SEL) { return self->_viewControllers.get(); }

// Every controller can carry a tab bar item (title and glyph).
id VC_tabBarItem(UIViewController* self, SEL) {
  static const char key = 0;
  id item = objc_getAssociatedObject(self, &key);
  if (!item) {
    Ref<UITabBarItem> fresh = objc::make<UITabBarItem>();
    objc_setAssociatedObject(self, &key, fresh, OBJC_ASSOCIATION_RETAIN_NONATOMIC);
    item = fresh.get();
  }
  return item;
}
void Item_setTitle(UITabBarItem* self, SEL, NSString* t) { self->_title = t; }
void Item_setImage(UITabBarItem* self, SEL, UIImage* i) { self->_image = i; }

}  // namespace

void registerUITabBar() {
  objc::ClassBuilder<UITabBarItem>("UITabBarItem", objc::classOf<NSObject>())
      .method<&Item_setTitle>("setTitle:")
      .method<&Item_setImage>("setImage:");
  objc::Category(objc::classOf<UIViewController>()).method<&VC_tabBarItem>("tabBarItem");
  objc::ClassBuilder<UITabBarButton>("UITabBarButton", objc::classOf<UIControl>())
      .ivar("_unselectedTintColor", &UITabBarButton::_unselectedTintColor)
      .method<&Button_initWithImage>("initWithImage:selectedImage:label:withInsets:")
      .method<&Button_setUnselectedTint>("_setUnselectedTintColor:forceLabelToConform:")
      .method<&Button_unselectedTintColor>("unselectedTintColor")
      .method<&Button_layoutSubviews>("layoutSubviews")
      .method<&Button_drawRect>("drawRect:");
  objc::ClassBuilder<UITabBar>("UITabBar", objc::classOf<UIView>())
      .ivar("_adaptiveBackdrop", &UITabBar::_adaptiveBackdrop)
      .method<&Bar_initWithFrame>("initWithFrame:")
      .method<&Bar_initWithCoder>("initWithCoder:")
      .method<&Bar_layoutSubviews>("layoutSubviews");
  objc::ClassBuilder<UITabBarController>("UITabBarController", objc::classOf<UIViewController>())
      .ivar("_tabBar", &UITabBarController::_tabBar)
      .method<&Tabs_initWithNibName>("initWithNibName:bundle:")
      .method<&Tabs_loadView>("loadView")
      .method<&Tabs_viewDidLoad>("viewDidLoad")
      .method<&Tabs_tabBar>("tabBar")
      .method<&Tabs_setViewControllers>("setViewControllers:")
      .method<&Tabs_setSelectedIndex>("setSelectedIndex:")
      .method<&Tabs_viewControllers>("viewControllers");
}
