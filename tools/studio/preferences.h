// The studio's model of the preferences file: the fourteen keys the
// extension reads, each with its type, default and the range of values the
// page offers; checking of values that come from the page or from a file;
// and the property list (binary or XML) that gives the extension exactly
// these values.
//
//   Preferences prefs;                                 // every key at its default
//   prefs.set("PrimaryTextColour", "FF0000FF", &error); // false and a reason when refused
//   std::string bytes = prefs.propertyList(PropertyListFormat::Binary);
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <variant>
#include <vector>

enum class PreferenceType { Bool, Integer, Real, Colour };

struct PreferenceKey {
  const char* name;
  PreferenceType type;
  nlohmann::json defaultValue;
  double minimum = 0, maximum = 0;  // numbers only, both ends included
};

// In the order the extension reads them.
const std::vector<PreferenceKey>& preferenceKeys();
const PreferenceKey* findPreferenceKey(const std::string& name);

// Whether the text is a colour the extension reads without falling back to
// black: an optional "#" and then 3, 4, 6 or 8 hexadecimal digits.
bool isColourText(const std::string& text);

enum class PropertyListFormat { Binary, Xml };

class Preferences {
 public:
  Preferences();

  // Checks the value against the key's type and range; on refusal changes
  // nothing and says why, naming the key.
  bool set(const std::string& key, const nlohmann::json& value, std::string* error);
  // Every entry checked first; nothing changes unless all are accepted.
  bool setAll(const nlohmann::json& entries, std::string* error);
  const nlohmann::json& get(const std::string& key) const;
  nlohmann::json values() const;  // {key: value} in reading order

  // What the extension ends up with: a key it does not read (everything but
  // Enabled when Enabled is off, Saturation and BlurRadius when Customise is
  // off) reads as null. Two states with the same effective values theme
  // every screen alike.
  nlohmann::json effective(const std::vector<std::string>& keys) const;

  std::string propertyList(PropertyListFormat format) const;
  // Reads a property list file; keys the studio cannot show keep their
  // defaults and are named in `warnings`. False (and an error) when the
  // bytes are no property list with a dictionary at the top.
  bool readPropertyList(const std::string& bytes, std::vector<std::string>* warnings, std::string* error);

 private:
  std::vector<nlohmann::json> values_;  // by index in preferenceKeys()
};
