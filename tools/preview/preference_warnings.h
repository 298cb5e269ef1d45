// What mirel-preview says about preference values that the extension reads
// quietly as black or as a default: a colour text that is not one, a number
// where a colour is meant, a value of a type no reader takes. The extension
// itself reports nothing; these lines tell a user why a screen looks as it
// does. Needs the platform booted and the colour categories registered.
//
//   for (const std::string& line : preferenceWarnings(prefs)) std::fprintf(stderr, "%s\n", line.c_str());
#pragma once

#include <string>
#include <vector>

#include "platform/foundation/NSDictionary.h"

// One line per key whose value is read as something other than it says,
// naming the key and what it became, in the order the extension reads them.
std::vector<std::string> preferenceWarnings(NSDictionary* prefs);
