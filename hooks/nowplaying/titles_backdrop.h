// What lies behind the Now Playing titles, for ReadableText: the dim layer's
// colour at its alpha over the artwork as the back image view shows it
// (aspect fill over the controller's view), averaged over the titles' box.
//
//   UIColor* behind = colourBehindBox(artwork, view->bounds().size, titlesBox, scheme->backgroundColor(), 0.5);
#pragma once

#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIView.h"

// The mean colour, opaque, of the dim colour at `dimAlpha` laid over the
// artwork under `box` (points of a view of `viewSize` that the artwork fills
// keeping its aspect ratio). Without artwork an opaque dim layer is what
// lies behind; a translucent one over nothing known gives nil, and so does
// a box that covers no pixel.
UIColor* colourBehindBox(UIImage* artwork, CGSize viewSize, CGRect box, UIColor* dimColour, CGFloat dimAlpha);

// The view's frame in the coordinates of `ancestor`, through the frames and
// bounds of the views between; false when `ancestor` is not above it.
bool frameInAncestor(UIView* view, UIView* ancestor, CGRect* frame);
