// Replacements that make every blur follow the recipe and keep the
// application's background see-through: the _UIBackdropView initialisers
// that take a style, -[UIApplication _setBackgroundStyle:] and the backdrop
// overlay flag of every view.
#pragma once

#include "platform/uikit/UIBackdropView.h"
#include "tweak/hook_slot.h"

extern HookSlot<void(NSInteger)> orig_UIApplication__setBackgroundStyle_;
extern HookSlot<void(BOOL)> orig_UIView__setDrawsAsBackdropOverlay_;

void hook_UIApplication__setBackgroundStyle_(id self, SEL _cmd, NSInteger style);
BOOL hook_UIView__drawsAsBackdropOverlay(id self, SEL _cmd);
void hook_UIView__setDrawsAsBackdropOverlay_(id self, SEL _cmd, BOOL flag);
id hook__UIBackdropView_initWithPrivateStyle_(id self, SEL _cmd, NSInteger style);
id hook__UIBackdropView_initWithStyle_(id self, SEL _cmd, NSInteger style);
id hook__UIBackdropView_initWithFrame_privateStyle_(id self, SEL _cmd, CGRect frame, NSInteger style);
