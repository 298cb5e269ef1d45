// UIAlertView, its dimming layer and its card's background.
#include "platform/uikit/UIAlertView.h"

#include "platform/coregraphics/CGGradient.h"
#include "platform/foundation/NSArray.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/UIBackdropView.h"
#include "platform/uikit/UIGraphics.h"
#include "platform/uikit/UIImage.h"

namespace {

constexpr CGFloat kCardWidth = 270, kButtonHeight = 44;

UIColor* alertButtonColour() { return UIColor::withRGBA(1.0, 0.18, 0.33, 1); }

// The private backdrop style of alert cards.
constexpr NSInteger kAlertBackdropStyle = 2010;

// --- _UIDimmingKnockoutBackdropView ------------------------------------------------
// The dark backdrop styles dim harder.

UIColor* Dimming_knockoutColor(UIDimmingKnockoutBackdropView*, SEL, NSInteger style) {
  bool dark = style == 1 || style == 2 || style == 2030;
  return UIColor::withWhite(0, dark ? 0.6 : 0.4);
}

void Dimming_layoutSubviews(UIDimmingKnockoutBackdropView* self, SEL) {
  self->setBackgroundColor(self->knockoutColor(self->_backdropStyle));
}

// --- _UIModalItemAlertBackgroundView ---------------------------------------------------
// The card's gradient runs from the outer colour at the top and bottom edges
// to the inner colour across the middle.

UIImage* Background_gradientImage(UIModalItemAlertBackgroundView* self, SEL, CGSize size, UIColor* inner,
                                  UIColor* outer) {
  UIGraphicsBeginImageContextWithOptions(size, NO, 0);
  CGContextRef context = UIGraphicsGetCurrentContext();
  if (context) {
    Ref<NSMutableArray> colours = objc::make<NSMutableArray>();
    self->_gradientColours.clear();
    for (UIColor* c : {outer, inner, outer}) {
      UIColor* stop = c ? c : UIColor::clearColor();
      colours->addObject(reinterpret_cast<id>(stop->CGColor()));
      self->_gradientColours.push_back(stop);
    }
    const CGFloat locations[] = {0, 0.5, 1};
    self->_gradientLocations.assign(std::begin(locations), std::end(locations));
    CGGradientRef gradient = CGGradientCreateWithColors(CGColorSpaceCreateDeviceRGB(), colours, locations);
    CGContextDrawLinearGradient(context, gradient, CGPointMake(0, 0), CGPointMake(0, size.height), 0);
    CGGradientRelease(gradient);
  }
  UIImage* image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

UIView* Background_initWithFrame(UIModalItemAlertBackgroundView* self, SEL, CGRect frame) {
  auto* view = objc::as<UIModalItemAlertBackgroundView>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
  if (!view) return nullptr;
  // The card is a blur of what lies behind it under a near-opaque gradient,
  // as the platform's alerts are drawn; the gradient alone decides how much
  // of the blur shows.
  Ref<UIBackdropView> blur = adopt(objc::send<UIBackdropView*(CGRect, NSInteger)>(
      objc::alloc<UIBackdropView>(), "initWithFrame:privateStyle:"_sel, view->bounds(), kAlertBackdropStyle));
  if (blur) {
    blur->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    view->addSubview(blur);
  }
  view->_gradientView = UIView::make<UIImageView>(view->bounds());
  view->addSubview(view->_gradientView);
  return view;
}

void Background_layoutSubviews(UIModalItemAlertBackgroundView* self, SEL) {
  CGRect b = self->bounds();
  self->_gradientView->setFrame(b);
  self->_gradientView->setImage(self->gradientImage(b.size, UIColor::withWhite(1, 0.98), UIColor::withWhite(0.9, 0.96)));
}

// --- UIAlertView -----------------------------------------------------------------------------

Ref<UILabel> centredLabel(NSString* text, UIFont* font, UIColor* colour) {
  Ref<UILabel> label = UIView::make<UILabel>(CGRectZero);
  label->setText(text);
  label->setFont(font);
  label->setTextColor(colour);
  label->setTextAlignment(1);
  return label;
}

UIView* Alert_initWithFrame(UIAlertView* self, SEL, CGRect frame) {
  auto* alert = objc::as<UIAlertView>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
  if (!alert) return nullptr;
  alert->_dimmingView = UIView::make<UIDimmingKnockoutBackdropView>(alert->bounds());
  alert->_backgroundView = UIView::make<UIModalItemAlertBackgroundView>(CGRectMake(0, 0, kCardWidth, 120));
  alert->_titleLabel = centredLabel(nil, UIFont::boldSystemFont(17), UIColor::blackColor());
  alert->_messageLabel = centredLabel(nil, UIFont::systemFont(13), UIColor::blackColor());
  alert->_buttonLabels = objc::make<NSMutableArray>();
  for (UIView* part : {static_cast<UIView*>(alert->_dimmingView.get()), static_cast<UIView*>(alert->_backgroundView.get()),
                       static_cast<UIView*>(alert->_titleLabel.get()), static_cast<UIView*>(alert->_messageLabel.get())})
    alert->addSubview(part);
  return alert;
}

void Alert_setTitle(UIAlertView* self, SEL, NSString* title) { self->_titleLabel->setText(title); }
void Alert_setMessage(UIAlertView* self, SEL, NSString* message) { self->_messageLabel->setText(message); }
NSInteger Alert_addButtonWithTitle(UIAlertView* self, SEL, NSString* title) {
  Ref<UILabel> button = centredLabel(title, UIFont::systemFont(17), alertButtonColour());
  self->_buttonLabels->addObject(button);
  self->addSubview(button);
  return static_cast<NSInteger>(self->_buttonLabels->count()) - 1;
}

// The card sits in the middle; its buttons share its bottom row.
void Alert_layoutSubviews(UIAlertView* self, SEL) {
  CGRect b = self->bounds();
  self->_dimmingView->setFrame(b);
  CGFloat height = 88 + kButtonHeight;
  CGFloat x = (b.size.width - kCardWidth) / 2, y = (b.size.height - height) / 2;
  self->_backgroundView->setFrame(CGRectMake(x, y, kCardWidth, height));
  self->_titleLabel->setFrame(CGRectMake(x + 16, y + 18, kCardWidth - 32, 24));
  self->_messageLabel->setFrame(CGRectMake(x + 16, y + 46, kCardWidth - 32, 32));
  NSUInteger count = self->_buttonLabels->count();
  CGFloat width = count ? kCardWidth / static_cast<CGFloat>(count) : 0;
  for (NSUInteger i = 0; i < count; ++i)
    objc::as<UIView>(self->_buttonLabels->objectAtIndex(i))
        ->setFrame(CGRectMake(x + width * static_cast<CGFloat>(i), y + height - kButtonHeight, width, kButtonHeight));
}

}  // namespace

void registerUIAlertView() {
  objc::ClassBuilder<UIDimmingKnockoutBackdropView>("_UIDimmingKnockoutBackdropView", objc::classOf<UIView>())
      .method<&Dimming_knockoutColor>("_dimmingKnockoutBackgroundColorForBackdropStyle:")
      .method<&Dimming_layoutSubviews>("layoutSubviews");
  objc::ClassBuilder<UIModalItemAlertBackgroundView>("_UIModalItemAlertBackgroundView", objc::classOf<UIView>())
      .ivar("_gradientView", &UIModalItemAlertBackgroundView::_gradientView)
      .method<&Background_initWithFrame>("initWithFrame:")
      .method<&Background_gradientImage>("_gradientImageForBoundsSize:withInnerColor:outerColor:")
      .method<&Background_layoutSubviews>("layoutSubviews");
  objc::ClassBuilder<UIAlertView>("UIAlertView", objc::classOf<UIView>())
      .ivar("_dimmingView", &UIAlertView::_dimmingView)
      .ivar("_backgroundView", &UIAlertView::_backgroundView)
      .method<&Alert_initWithFrame>("initWithFrame:")
      .method<&Alert_setTitle>("setTitle:")
      .method<&Alert_setMessage>("setMessage:")
      .method<&Alert_addButtonWithTitle>("addButtonWithTitle:")
      .method<&Alert_layoutSubviews>("layoutSubviews");
}
