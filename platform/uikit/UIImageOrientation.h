// What an image's orientation means for drawing it: the stored pixels of a
// photo taken sideways stay as the file holds them, and the image is upright
// only where it is drawn (its size in points is the upright one), as on the
// platform.
//
//   Ref<CGImageObj> upright = UIImageUprightCGImage(image->CGImage(), image->imageOrientation());
#pragma once

#include "platform/coregraphics/CGImage.h"
#include "platform/uikit/UIImage.h"

// Whether the orientation turns the picture a quarter, swapping its sides.
bool UIImageOrientationSwapsSides(UIImageOrientation orientation);

// The stored pixels turned and mirrored upright; the image itself when the
// orientation is Up (or not one of the eight).
Ref<CGImageObj> UIImageUprightCGImage(CGImageRef stored, UIImageOrientation orientation);
