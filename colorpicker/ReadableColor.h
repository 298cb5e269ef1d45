// Text colours made readable: a colour whose WCAG 2 contrast ratio against a
// background is below a minimum moves in lightness only, in OKLCH, toward
// white or toward black, whichever reaches the minimum with the smaller
// change. Hue stays; chroma stays too unless the lighter or darker colour
// would leave the sRGB gamut, and then only as much is given up as that
// needs. A colour that already reaches the minimum is returned untouched.
// The picker's own schemes are never changed by this: callers that want
// readable text derive it from them.
//
//   UIColor* title = readableTextColorAgainstBackground(scheme->primaryTextColor(), behindTitles, 4.5);
#pragma once

#include "platform/foundation/FoundationExport.h"
#include "platform/uikit/UIColor.h"

namespace readable {

struct RGB {
  double r = 0, g = 0, b = 0;  // sRGB channels, 0 to 1
};

// The smallest step in OKLCH lightness the search resolves: the result's
// ratio reaches the minimum, and one step less of the move would not.
inline constexpr double kLightnessStep = 1.0 / 1024;

// The WCAG 2 contrast ratio of two sRGB colours.
double contrastRatio(RGB a, RGB b);

// The text colour at another OKLCH lightness: its hue, its chroma as far as
// the sRGB gamut allows there, each channel on the 8-bit step it is drawn
// at (so that a ratio judged here is the ratio the screen shows).
RGB atLightness(RGB colour, double lightness);

struct LCh {
  double L = 0, C = 0, h = 0;  // lightness 0 to 1, chroma, hue in radians
};
LCh oklch(RGB colour);

struct LightnessMove {
  RGB colour;            // the text colour itself when it passed
  double fromLightness;  // OKLCH lightness of the text colour
  double toLightness;    // where the move stopped (the same when it passed)
};
LightnessMove moveLightness(RGB text, RGB background, double minimumRatio);

}  // namespace readable

// The exported form, beside the picker: the text colour (its alpha kept)
// readable against an opaque background, or the text colour itself when it
// already is. Nil text gives nil; a nil background counts as black.
FOUNDATION_EXPORT UIColor* readableTextColorAgainstBackground(UIColor* text, UIColor* background,
                                                              double minimumRatio);
