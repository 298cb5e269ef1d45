// UIKit's own surfaces in the Music app: the search field (its background
// computes its fill as on an opaque bar; its text, label and placeholder
// take the theme's text colours), the status bar (always in the primary
// text colour) and the alerts (a light translucent grey behind a separate
// action and as the dimming behind alerts; a clear gradient on the alert's
// background).
//
//   replaceWithoutOriginal<&hook_UIStatusBar_foregroundColor>("UIStatusBar", "foregroundColor")
#pragma once

#include "platform/coregraphics/CGGeometry.h"
#include "tweak/hook_slot.h"

struct UIColor;
struct UIImage;
struct NSAttributedString;
struct UIStatusBarAnimationParameters;

extern HookSlot<UIColor*(BOOL)> orig__UISearchBarSearchFieldBackgroundView__fillColor_;
extern HookSlot<void(UIColor*)> orig_UISearchBarTextFieldLabel_setTextColor_;
extern HookSlot<id(CGRect)> orig_UISearchBarTextFieldLabel_initWithFrame_;
extern HookSlot<void(UIColor*)> orig_UISearchBarTextField_setTextColor_;
extern HookSlot<id(CGRect)> orig_UISearchBarTextField_initWithFrame_;
extern HookSlot<void(NSAttributedString*)> orig_UISearchBarTextField_setAttributedPlaceholder_;
extern HookSlot<void(UIColor*, UIStatusBarAnimationParameters*)> orig_UIStatusBar_setForegroundColor_animationParameters_;
extern HookSlot<UIImage*(CGSize, UIColor*, UIColor*)>
    orig__UIModalItemAlertBackgroundView__gradientImageForBoundsSize_withInnerColor_outerColor_;

UIColor* hook__UISearchBarSearchFieldBackgroundView__fillColor_(id self, SEL _cmd, BOOL translucent);
void hook_UISearchBarTextFieldLabel_setTextColor_(id self, SEL _cmd, UIColor* colour);
id hook_UISearchBarTextFieldLabel_initWithFrame_(id self, SEL _cmd, CGRect frame);
UIColor* hook_UISearchBarTextField__placeholderColor(id self, SEL _cmd);
void hook_UISearchBarTextField_setTextColor_(id self, SEL _cmd, UIColor* colour);
id hook_UISearchBarTextField_initWithFrame_(id self, SEL _cmd, CGRect frame);
void hook_UISearchBarTextField_setAttributedPlaceholder_(id self, SEL _cmd, NSAttributedString* placeholder);

UIColor* hook_UIStatusBar_foregroundColor(id self, SEL _cmd);
void hook_UIStatusBar_setForegroundColor_animationParameters_(id self, SEL _cmd, UIColor* colour,
                                                             UIStatusBarAnimationParameters* parameters);

UIColor* hook_UIAlertControllerVisualStyleActionSheet_defaultActionBackgroundColorWhenSeparate(id self, SEL _cmd);
UIImage* hook__UIModalItemAlertBackgroundView__gradientImageForBoundsSize_withInnerColor_outerColor_(
    id self, SEL _cmd, CGSize size, UIColor* inner, UIColor* outer);
UIColor* hook__UIDimmingKnockoutBackdropView__dimmingKnockoutBackgroundColorForBackdropStyle_(id self, SEL _cmd,
                                                                                             NSInteger style);
