// What a preferences dictionary gives the extension, key by key, read by
// the extension's own readSettings, and what mirel-preview (and the studio)
// say about values the extension reads quietly as black or as a default (a
// colour text that is not one, a number where a colour is meant, a value of
// a type no reader takes) or accepts although they spoil the picture (a
// negative Saturation, a negative or infinite BlurRadius, a BlurPreset the
// platform has no style for, a colour nobody can see). The extension itself
// reports nothing; these lines tell a user why a screen looks as it does.
// Needs the platform booted and the colour categories registered.
//
//   for (const std::string& line : preferenceWarnings(prefs)) std::fprintf(stderr, "%s\n", line.c_str());
#pragma once

#include <string>
#include <vector>

#include "platform/foundation/NSDictionary.h"

enum class PreferenceKind { Bool, Integer, Real, Colour };

// One key as the extension reads it. Keys it reads only behind a switch
// (every key behind Enabled, Saturation and BlurRadius behind Customise)
// are given as it reads them once those switches are on, so that a value
// waiting behind a switch is shown and checked too.
struct PreferenceReading {
  const char* key;
  PreferenceKind kind;
  bool present = false;  // the dictionary holds the key
  bool boolValue = false;
  long long integerValue = 0;
  double realValue = 0;
  double rgba[4] = {0, 0, 0, 1};
  // The colour text as given when it reads in full ("#FFF"), otherwise the
  // colour read, as RRGGBBAA ("000000FF" for a text read as black).
  std::string colourText;
  std::string warning;  // empty: read as written, and harmless
};

// The fifteen keys in the order the extension reads them.
std::vector<PreferenceReading> readPreferences(NSDictionary* prefs);

// One line per key whose value is read as something other than it says or
// does harm, naming the key and what it became, in reading order.
std::vector<std::string> preferenceWarnings(NSDictionary* prefs);
