// The per-thread stack of UIKit image contexts: bitmap contexts whose CTM
// is flipped and scaled so that drawing has its origin at the top-left and
// works in points.
//
//   UIGraphicsBeginImageContextWithOptions(CGSizeMake(20, 20), NO, 0);  // at the main screen's scale
//   UIColor::redColor()->setFill();
//   CGContextFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, 10, 10));
//   UIImage* image = UIGraphicsGetImageFromCurrentImageContext();
//   UIGraphicsEndImageContext();
#pragma once

#include "platform/coregraphics/CGContext.h"

struct UIImage;

// Scale 0 means the main screen's scale. The pixel size is the point size
// times the scale, rounded up. A zero-sized or unusable size still pushes an
// entry (so that End stays balanced) but it has no context.
void UIGraphicsBeginImageContextWithOptions(CGSize size, BOOL opaque, CGFloat scale);
// Not opaque, at scale 1.
void UIGraphicsBeginImageContext(CGSize size);
// The top image context of the calling thread, or NULL.
CGContextRef UIGraphicsGetCurrentContext();
// An autoreleased upright image of the top context's pixels with the
// context's scale; nil without a context.
UIImage* UIGraphicsGetImageFromCurrentImageContext();
void UIGraphicsEndImageContext();
