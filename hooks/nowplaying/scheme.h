// NowPlayingScheme, the colour scheme picked from the current Now Playing
// artwork (or nil), and the two adaptive text colours taken from it. The
// screen extensions write the scheme; every recoloured control reads the
// colours here, afresh at each call.
//
//   objc::send<void(UIColor*)>(label, "setTextColor:"_sel, adaptivePrimaryTextColour());
#pragma once

#include <vector>

#include "colorpicker/KRColorScheme.h"
#include "colorpicker/ReadableColor.h"
#include "platform/uikit/UIColor.h"

KRColorScheme* nowPlayingScheme();
// Replaces (and releases) the scheme held; nil when there is none. With
// ReadableText on, the adaptive text colours become the scheme's made
// readable (4.5:1): the primary over the pixels behind the title, the
// secondary over those behind the detail line, or against the scheme's own
// background where there are none. The scheme itself stays as picked.
void setNowPlayingScheme(KRColorScheme* scheme, const std::vector<readable::RGB>& behindTitle = {},
                         const std::vector<readable::RGB>& behindDetail = {});

// The scheme's primary text colour (readable, with ReadableText), or
// PrimaryTextColour without a scheme.
UIColor* adaptivePrimaryTextColour();
// The scheme's secondary text colour (readable, with ReadableText), or
// SecondaryTextColour without a scheme.
UIColor* adaptiveSecondaryTextColour();
