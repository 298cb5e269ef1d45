// Two categories of the extension: +[UIColor colorFromHexString:] reads
// "RGB", "RGBA", "RRGGBB" or "RRGGBBAA" (with an optional leading "#") and
// never answers nil; -[NSString stringValue] (the Safety category) lets a
// string answer what a number answers.
//
//   UIColor* tint = colorFromHexString("#17A5FFFF"_ns);
#pragma once

#include "platform/foundation/NSString.h"
#include "platform/uikit/UIColor.h"

// Sends +[UIColor colorFromHexString:].
UIColor* colorFromHexString(NSString* text);

void registerColorCategories();
