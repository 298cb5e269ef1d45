// The search field, the status bar and the alerts.
#include "hooks/music/search_status_alerts.h"

#include "platform/foundation/NSAttributedString.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIStatusBar.h"
#include "tweak/settings.h"

HookSlot<UIColor*(BOOL)> orig__UISearchBarSearchFieldBackgroundView__fillColor_;
HookSlot<void(UIColor*)> orig_UISearchBarTextFieldLabel_setTextColor_;
HookSlot<id(CGRect)> orig_UISearchBarTextFieldLabel_initWithFrame_;
HookSlot<void(UIColor*)> orig_UISearchBarTextField_setTextColor_;
HookSlot<id(CGRect)> orig_UISearchBarTextField_initWithFrame_;
HookSlot<void(NSAttributedString*)> orig_UISearchBarTextField_setAttributedPlaceholder_;
HookSlot<void(UIColor*, UIStatusBarAnimationParameters*)> orig_UIStatusBar_setForegroundColor_animationParameters_;
HookSlot<UIImage*(CGSize, UIColor*, UIColor*)>
    orig__UIModalItemAlertBackgroundView__gradientImageForBoundsSize_withInnerColor_outerColor_;

namespace {

// The one grey of alert surfaces, made at each call.
UIColor* alertGrey() { return UIColor::withWhite(0.7, 0.7); }

}  // namespace

// --- The search field ------------------------------------------------------------------

// The fill is always the one the host computes for NO, whatever bar the
// field sits on.
UIColor* hook__UISearchBarSearchFieldBackgroundView__fillColor_(id self, SEL _cmd, BOOL translucent) {
  return orig__UISearchBarSearchFieldBackgroundView__fillColor_(self, _cmd, NO);
}

void hook_UISearchBarTextFieldLabel_setTextColor_(id self, SEL _cmd, UIColor* colour) {
  orig_UISearchBarTextFieldLabel_setTextColor_(self, _cmd, ThemeColours.SecondaryTextColour);
}

id hook_UISearchBarTextFieldLabel_initWithFrame_(id self, SEL _cmd, CGRect frame) {
  id label = orig_UISearchBarTextFieldLabel_initWithFrame_(self, _cmd, frame);
  if (label) objc::send<void(UIColor*)>(label, "setTextColor:"_sel, ThemeColours.SecondaryTextColour.get());
  return label;
}

UIColor* hook_UISearchBarTextField__placeholderColor(id self, SEL _cmd) { return ThemeColours.SecondaryTextColour; }

void hook_UISearchBarTextField_setTextColor_(id self, SEL _cmd, UIColor* colour) {
  orig_UISearchBarTextField_setTextColor_(self, _cmd, ThemeColours.PrimaryTextColour);
}

id hook_UISearchBarTextField_initWithFrame_(id self, SEL _cmd, CGRect frame) {
  id field = orig_UISearchBarTextField_initWithFrame_(self, _cmd, frame);
  if (field) objc::send<void(UIColor*)>(field, "setTextColor:"_sel, ThemeColours.PrimaryTextColour.get());
  return field;
}

// The caller's string is left as it is: the colour goes on a copy, over its
// whole length, so that no run keeps a colour of its own. A nil placeholder
// has a nil copy and is handed on as nil.
void hook_UISearchBarTextField_setAttributedPlaceholder_(id self, SEL _cmd, NSAttributedString* placeholder) {
  Ref<NSMutableAttributedString> recoloured =
      adopt(objc::as<NSMutableAttributedString>(objc::send<id()>(placeholder, "mutableCopy"_sel)));
  objc::send<void(NSString*, id, NSRange)>(recoloured, "addAttribute:value:range:"_sel,
                                           NSForegroundColorAttributeName(), ThemeColours.SecondaryTextColour.get(),
                                           NSMakeRange(0, objc::send<NSUInteger()>(recoloured, "length"_sel)));
  orig_UISearchBarTextField_setAttributedPlaceholder_(self, _cmd, recoloured.get());
}

// --- The status bar ------------------------------------------------------------------------

UIColor* hook_UIStatusBar_foregroundColor(id self, SEL _cmd) { return ThemeColours.PrimaryTextColour; }

void hook_UIStatusBar_setForegroundColor_animationParameters_(id self, SEL _cmd, UIColor* colour,
                                                             UIStatusBarAnimationParameters* parameters) {
  orig_UIStatusBar_setForegroundColor_animationParameters_(self, _cmd, ThemeColours.PrimaryTextColour, parameters);
}

// --- Alerts and action sheets -----------------------------------------------------------------

UIColor* hook_UIAlertControllerVisualStyleActionSheet_defaultActionBackgroundColorWhenSeparate(id self, SEL _cmd) {
  return alertGrey();
}

UIImage* hook__UIModalItemAlertBackgroundView__gradientImageForBoundsSize_withInnerColor_outerColor_(
    id self, SEL _cmd, CGSize size, UIColor* inner, UIColor* outer) {
  return orig__UIModalItemAlertBackgroundView__gradientImageForBoundsSize_withInnerColor_outerColor_(
      self, _cmd, size, UIColor::clearColor(), UIColor::clearColor());
}

UIColor* hook__UIDimmingKnockoutBackdropView__dimmingKnockoutBackgroundColorForBackdropStyle_(id self, SEL _cmd,
                                                                                             NSInteger style) {
  return alertGrey();
}
