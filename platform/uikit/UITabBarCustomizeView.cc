// UITabBarCustomizeView and -[UITabBar beginCustomizingItems:].
#include "platform/uikit/UITabBarCustomizeView.h"

#include "platform/objc/class_builder.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationController.h"

namespace {

constexpr CGFloat kTitleBarHeight = 20 + kNavigationBarHeight;
constexpr CGFloat kButtonWidth = 76, kButtonHeight = 58;

// The stock sheet is an opaque light page; its background is set through
// the ordinary setter, like any view's, or restored when decoded.
UIView* setUpSheet(UIView* made, bool decoding) {
  auto* sheet = objc::as<UITabBarCustomizeView>(made);
  if (!sheet) return nullptr;
  sheet->_buttons = objc::make<NSMutableArray>();
  setInitialBackground(sheet, UIColor::withWhite(0.96, 1), decoding);
  return sheet;
}
UIView* Sheet_initWithFrame(UITabBarCustomizeView* self, SEL, CGRect frame) {
  return setUpSheet(objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame), false);
}
UIView* Sheet_initWithCoder(UITabBarCustomizeView* self, SEL, id coder) {
  return setUpSheet(objc::sendSuper<UIView*(id)>(self, objc::classOf<UIView>(), "initWithCoder:"_sel, coder), true);
}

// The pieces are made when the items arrive, after initialisation, so they
// lie in front of whatever the sheet already holds.
void Sheet_setItems(UITabBarCustomizeView* self, SEL, NSArray* items) {
  self->_items = items;
  for (id button : self->_buttons->items()) objc::as<UIView>(button)->removeFromSuperview();
  self->_buttons->removeAllObjects();
  CGFloat width = self->bounds().size.width;
  if (!self->_titleBar) {
    self->_titleBar = UIView::make<UINavigationBar>(CGRectMake(0, 0, width, kTitleBarHeight));
    self->_titleBar->_title = "Configure"_ns;
    self->addSubview(self->_titleBar);
    self->_hintLabel = UIView::make<UILabel>(CGRectMake(0, kTitleBarHeight + 12, width, 20));
    self->_hintLabel->setText("Drag the icons to organize tabs."_ns);
    self->_hintLabel->setTextAlignment(1);
    self->_hintLabel->setFont(UIFont::systemFont(14));
    self->_hintLabel->setTextColor(UIColor::withWhite(0.43, 1));
    self->addSubview(self->_hintLabel);
  }
  for (id item : items ? items->items() : std::vector<id>{}) {
    auto* tab = objc::as<UITabBarItem>(item);
    Ref<UITabBarButton> button = adopt(objc::send<UITabBarButton*(UIImage*, UIImage*, NSString*, UIEdgeInsets)>(
        objc::alloc<UITabBarButton>(), "initWithImage:selectedImage:label:withInsets:"_sel, tab->_image.get(),
        tab->_image.get(), tab->_title.get(), UIEdgeInsetsZero));
    if (!button) continue;
    self->_buttons->addObject(button);
    self->addSubview(button);
  }
  self->setNeedsLayout();
}

// Four buttons to a row, centred, below the hint.
void Sheet_layoutSubviews(UITabBarCustomizeView* self, SEL) {
  CGFloat width = self->bounds().size.width;
  if (self->_titleBar) self->_titleBar->setFrame(CGRectMake(0, 0, width, kTitleBarHeight));
  if (self->_hintLabel) self->_hintLabel->setFrame(CGRectMake(0, kTitleBarHeight + 12, width, 20));
  constexpr NSUInteger kColumns = 4;
  CGFloat left = (width - kColumns * kButtonWidth) / 2, top = kTitleBarHeight + 52;
  NSUInteger count = self->_buttons->count();
  for (NSUInteger i = 0; i < count; ++i) {
    auto* button = objc::as<UITabBarButton>(self->_buttons->objectAtIndex(i));
    button->setFrame(CGRectMake(left + (i % kColumns) * kButtonWidth, top + (i / kColumns) * (kButtonHeight + 24),
                                kButtonWidth, kButtonHeight));
  }
}

NSArray* Sheet_items(UITabBarCustomizeView* self, SEL) { return self->_items.get(); }

// The sheet covers the tab bar's superview above the bar, in front of the
// content and behind the bar, so that items can be dropped onto the bar.
void Bar_beginCustomizingItems(UITabBar* self, SEL, NSArray* items) {
  UIView* host = self->superview();
  if (!host) return;
  CGRect bounds = host->bounds();
  Ref<UIView> sheet = adopt(objc::alloc<UITabBarCustomizeView>()->initWithFrame(
      CGRectMake(0, 0, bounds.size.width, bounds.size.height - self->frame().size.height)));
  if (!sheet) return;
  sheet->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  objc::send<void(NSArray*)>(sheet, "setItems:"_sel, items);
  NSInteger barIndex = 0;
  std::vector<UIView*> siblings = host->subviewList();
  for (NSInteger i = 0; i < static_cast<NSInteger>(siblings.size()); ++i)
    if (siblings[i] == self) barIndex = i;
  host->insertSubviewAtIndex(sheet, barIndex);
}

}  // namespace

void registerUITabBarCustomizeView() {
  objc::ClassBuilder<UITabBarCustomizeView>("UITabBarCustomizeView", objc::classOf<UIView>())
      .method<&Sheet_initWithFrame>("initWithFrame:")
      .method<&Sheet_initWithCoder>("initWithCoder:")
      .method<&Sheet_setItems>("setItems:")
      .method<&Sheet_items>("items")
      .method<&Sheet_layoutSubviews>("layoutSubviews");
  objc::Category(objc::classOf<UITabBar>()).method<&Bar_beginCustomizingItems>("beginCustomizingItems:");
}
