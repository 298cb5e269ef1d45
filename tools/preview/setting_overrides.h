// Preference values given on the command line (--set KEY=VALUE), typed as
// the preferences file's keys are (bool, integer, real or colour text), and
// written over a base property list as the preferences file of a launch.
//
//   std::optional<SettingOverride> o = parseSettingOverride("BlurRadius=12", &error);
//   std::string xml = preferencesWithOverrides(baseBytes, {*o});
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class SettingType { Bool, Integer, Real, ColourText };

struct SettingOverride {
  std::string key;
  SettingType type;
  bool boolValue = false;
  long long integerValue = 0;
  double realValue = 0;
  std::string text;  // colour text, as given
};

// "KEY=VALUE" for one of the fifteen preference keys. Bools are
// true/false/YES/NO/1/0 (any case), integers and reals must be read whole,
// colour texts are taken as given (the extension judges them). Otherwise
// nullopt, and *error says what is wrong, naming the key.
std::optional<SettingOverride> parseSettingOverride(std::string_view text, std::string* error);

// An XML property list: the dictionary that `base` holds (the bytes of an
// XML or binary property list; empty, unreadable or not a dictionary counts
// as an empty one) with each override set, later ones winning.
std::string preferencesWithOverrides(const std::string& base, const std::vector<SettingOverride>& overrides);
