// App-wide blur replacements.
#include "tweak/app_blur_hooks.h"

#include "tweak/backdrop.h"

HookSlot<void(NSInteger)> orig_UIApplication__setBackgroundStyle_;
HookSlot<void(BOOL)> orig_UIView__setDrawsAsBackdropOverlay_;

// Only styles 1 and 3 get through: the wallpaper must always show, blurred
// or not. Clearing the bit of value 2 leaves 1 exactly for those two.
void hook_UIApplication__setBackgroundStyle_(id self, SEL _cmd, NSInteger style) {
  NSInteger allowed = (style & ~NSInteger{2}) == 1 ? style : 1;
  orig_UIApplication__setBackgroundStyle_(self, _cmd, allowed);
}

BOOL hook_UIView__drawsAsBackdropOverlay(id self, SEL _cmd) { return YES; }

void hook_UIView__setDrawsAsBackdropOverlay_(id self, SEL _cmd, BOOL flag) {
  orig_UIView__setDrawsAsBackdropOverlay_(self, _cmd, YES);
}

// The style the host asks for is ignored: every blur takes the recipe.
id hook__UIBackdropView_initWithPrivateStyle_(id self, SEL _cmd, NSInteger style) {
  return objc::send<id(UIBackdropViewSettings*)>(self, "initWithSettings:"_sel, makeBackdropSettings());
}

id hook__UIBackdropView_initWithStyle_(id self, SEL _cmd, NSInteger style) {
  return objc::send<id(UIBackdropViewSettings*)>(self, "initWithSettings:"_sel, makeBackdropSettings());
}

id hook__UIBackdropView_initWithFrame_privateStyle_(id self, SEL _cmd, CGRect frame, NSInteger style) {
  return objc::send<id(CGRect, UIBackdropViewSettings*)>(self, "initWithFrame:settings:"_sel, frame,
                                                         makeBackdropSettings());
}
