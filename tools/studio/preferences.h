// The studio's document: a preferences file held as the property list
// dictionary it is, so that every key the studio does not know and every
// value nobody changed is written back as it was read, in the format it was
// read in (new files binary). Beside it, the fifteen keys the extension
// reads, each with its type, default and the range the page offers; the
// values as the extension reads them, given from a launch (see
// extension_reading.h); and checked changes that say what they replaced.
//
//   Preferences prefs;                                      // every key absent: defaults
//   prefs.setAll({{"BlurRadius", 12.5}}, &changes, &error); // false and a reason when refused
//   std::string bytes = prefs.propertyList();                // binary, or XML if read as XML
#pragma once

#include <nlohmann/json.hpp>

#include <memory>
#include <string>
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

// A property list value (libplist's node), shared and never changed once
// made; null where a key is absent.
using PlistValue = std::shared_ptr<void>;

// One key's value before and after a change.
struct KeyChange {
  std::string key;
  PlistValue before, after;
};
using Change = std::vector<KeyChange>;

class Preferences {
 public:
  Preferences();  // no key at all: the extension reads every default
  // Copies own their dictionary: a change to one leaves the other alone.
  Preferences(const Preferences& other);
  Preferences& operator=(const Preferences& other);

  // The bytes of a property list whose top level is a dictionary; false
  // (and a reason) for anything else, leaving the document as it was.
  bool parse(const std::string& bytes, std::string* error);
  PropertyListFormat format() const { return format_; }
  std::string propertyList() const { return propertyList(format_); }
  std::string propertyList(PropertyListFormat format) const;
  std::vector<std::string> otherKeys() const;  // keys the extension does not read

  // Page values, checked against each key's type and range; nothing
  // changes unless every entry is accepted. A value equal to the one held
  // changes nothing. On refusal the reason names the key.
  bool setAll(const nlohmann::json& entries, Change* change, std::string* error);
  // Every key the extension reads set to its default; other keys kept.
  Change resetToDefaults();
  // The extension's keys as `opened` holds them (absent ones removed), and
  // the keys it holds beside them; this document's other keys stay.
  Change takeFrom(const Preferences& opened);
  // Applies a change forwards (redo) or backwards (undo).
  void apply(const Change& change, bool forwards);

  // The values as the extension reads them: {key: {"value", "warning"}},
  // from extension_reading.h. Until given, a key reads as the page's value
  // or its default.
  void setReadings(const nlohmann::json& readings);
  const nlohmann::json& get(const std::string& key) const;
  nlohmann::json values() const;    // {key: value as read} in reading order
  nlohmann::json warnings() const;  // {key: warning} for the keys with one

  // What the extension ends up with: a key it does not read (everything but
  // Enabled when Enabled is off, Saturation and BlurRadius when Customise is
  // off) reads as null. Two states with the same effective values theme
  // every screen alike.
  nlohmann::json effective(const std::vector<std::string>& keys) const;

 private:
  PlistValue valueOf(const std::string& key) const;
  void put(const std::string& key, const PlistValue& value);

  PlistValue dictionary_;  // the file's top-level dictionary
  PropertyListFormat format_ = PropertyListFormat::Binary;
  std::vector<nlohmann::json> values_;  // as read, by index in preferenceKeys()
  std::vector<std::string> warnings_;
};
