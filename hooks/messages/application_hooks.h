// The Messages application's activation: every time the app becomes active
// the wallpaper is brought back under the blur, in a 3-second animation,
// instead of the app's own handler.
//
//   hooks::replaceWithoutOriginal<&hook_SMSApplication_applicationDidBecomeActive_>(
//       "SMSApplication", "applicationDidBecomeActive:")
#pragma once

#include "platform/objc/runtime.h"

// How long the switch to background style 3 is animated.
inline constexpr double kActivationAnimationDuration = 3.0;

void hook_SMSApplication_applicationDidBecomeActive_(id self, SEL _cmd, id notification);
