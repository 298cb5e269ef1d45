// The image toolkit: UIImage(Additions), ADDCornerInset with
// NSValue(NSValueADDCornerInsetExtensions), and NSString(MD5Hashing).
//
//   registerFoundation(); registerUIKit(); registerImagekit();
#pragma once

#include "imagekit/ADDCornerInset.h"
#include "imagekit/MD5Hashing.h"
#include "imagekit/UIImageAdditions.h"

// Adds the toolkit's categories to NSValue, NSString and UIImage. Called
// once, after registerUIKit().
void registerImagekit();
