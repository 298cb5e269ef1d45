// UIStatusBar.
#include "platform/uikit/UIStatusBar.h"

#include "platform/foundation/NSDictionary.h"
#include "platform/foundation/NSNumber.h"
#include "platform/foundation/NSString.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/TextDrawing.h"
#include "platform/uikit/UIFont.h"

namespace {

UIView* StatusBar_initWithFrame(UIStatusBar* self, SEL, CGRect frame) {
  auto* bar = objc::as<UIStatusBar>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
  if (bar) bar->_foregroundColor = UIColor::blackColor();
  return bar;
}
UIColor* StatusBar_foregroundColor(UIStatusBar* self, SEL) { return self->_foregroundColor.get(); }
void StatusBar_setForegroundColor(UIStatusBar* self, SEL, UIColor* color, UIStatusBarAnimationParameters* parameters) {
  if (!parameters) {
    self->_foregroundColor = color;
    return;
  }
  Ref<UIStatusBar> bar = self;
  Ref<UIColor> target = color;
  UIView::animate(parameters->duration(), Block<void()>::make([bar, target] { bar->_foregroundColor = target; }),
                  nullptr);
}

double Parameters_duration(UIStatusBarAnimationParameters* self, SEL) { return self->_duration; }
void Parameters_setDuration(UIStatusBarAnimationParameters* self, SEL, double duration) { self->_duration = duration; }

void StatusBar_drawRect(UIStatusBar* self, SEL, CGRect) {
  UIColor* colour = self->foregroundColor();
  CGRect b = self->bounds();
  auto attributes = [&](CGFloat size, bool bold, NSInteger alignment) {
    UIFont* font = bold ? UIFont::boldSystemFont(size) : UIFont::systemFont(size);
    return NSDictionary::withObjectsAndKeys({colour, NSForegroundColorAttributeName(), font,
                                             NSFontAttributeName(), NSNumber::withInteger(alignment),
                                             NSParagraphStyleAttributeName()});
  };
  drawString("\u25CF\u25CF\u25CF\u25CF\u25CB Carrier"_ns, CGRectMake(6, 0, 120, b.size.height), attributes(12, false, 0));
  drawString("9:41 AM"_ns, CGRectMake(0, 0, b.size.width, b.size.height), attributes(12, true, 1));
  drawString("100% \u25AE"_ns, CGRectMake(b.size.width - 86, 0, 80, b.size.height), attributes(12, false, 2));
}

}  // namespace

UIStatusBarAnimationParameters* UIStatusBarAnimationParameters::withDuration(double duration) {
  Ref<UIStatusBarAnimationParameters> parameters = objc::make<UIStatusBarAnimationParameters>();
  objc::send<void(double)>(parameters, "setDuration:"_sel, duration);
  return parameters.autorelease();
}

void registerUIStatusBar() {
  objc::ClassBuilder<UIStatusBarAnimationParameters>("UIStatusBarAnimationParameters", objc::classOf<NSObject>())
      .method<&Parameters_duration>("duration")
      .method<&Parameters_setDuration>("setDuration:");
  objc::ClassBuilder<UIStatusBar>("UIStatusBar", objc::classOf<UIView>())
      .ivar("_foregroundColor", &UIStatusBar::_foregroundColor)
      .method<&StatusBar_initWithFrame>("initWithFrame:")
      .method<&StatusBar_foregroundColor>("foregroundColor")
      .method<&StatusBar_setForegroundColor>("setForegroundColor:animationParameters:")
      .method<&StatusBar_drawRect>("drawRect:");
}
