// The one blur recipe: makeBackdropSettings builds _UIBackdropViewSettings
// from the preferences, afresh at every call, and makeStandardBackdrop is
// the only way the extension makes a blur view.
//
//   Ref<UIBackdropView> blur = makeStandardBackdrop(CGRectZero);
//   view->addSubview(blur);
#pragma once

#include "platform/uikit/UIBackdropView.h"

// Autoreleased settings for TweakSettings.BlurPreset, customised as the
// preferences say; nil if the platform has no settings for the style.
UIBackdropViewSettings* makeBackdropSettings();

// A new _UIBackdropView with the frame, autosizing to fit its superview,
// with fresh settings. The caller owns it until it hands it over.
Ref<UIBackdropView> makeStandardBackdrop(CGRect frame);
