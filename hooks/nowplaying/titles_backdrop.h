// What lies behind the Now Playing titles, for ReadableText: the dim layer's
// colour at its alpha over the artwork as the back image view shows it
// (aspect fill over the controller's view), pixel by pixel under the titles'
// box; and a text colour made readable over those pixels.
//
//   auto behind = pixelsBehindBox(artwork, view->bounds().size, titlesBox, scheme->backgroundColor(), 0.5);
//   UIColor* title = readableOverPixels(scheme->primaryTextColor(), behind, 4.5);
#pragma once

#include <vector>

#include "colorpicker/ReadableColor.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIView.h"

// The dim colour at `dimAlpha` laid over the artwork under `box` (points of
// a view of `viewSize` that the artwork fills keeping its aspect ratio), a
// pixel per point. Without artwork an opaque dim layer is what lies behind
// (one pixel of it); a translucent one over nothing known gives none, and
// so does a box that covers no pixel of the view.
std::vector<readable::RGB> pixelsBehindBox(UIImage* artwork, CGSize viewSize, CGRect box, UIColor* dimColour,
                                           CGFloat dimAlpha);

// The text colour moved (readableTextColorAgainstBackground) until its
// contrast reaches `minimumRatio` over the pixel at the 5th percentile of
// contrast, a worst case that a few stray pixels do not decide (the
// readability report judges the 10th). A move can make other pixels the worst
// (a lighter text loses against the brightest ones), so the worst pixel is
// found again after each move, a few rounds at most; over pixels that no
// colour clears, the colour tried (the text's own among them) whose worst
// case is best. No pixels: the colour itself.
UIColor* readableOverPixels(UIColor* text, const std::vector<readable::RGB>& behind, double minimumRatio);

// The view's frame in the coordinates of `ancestor`, through the frames and
// bounds of the views between; false when `ancestor` is not above it.
bool frameInAncestor(UIView* view, UIView* ancestor, CGRect* frame);
