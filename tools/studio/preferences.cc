// Preference keys, value checks and the document's dictionary, through
// libplist (the library the host model reads preferences with).
#include "tools/studio/preferences.h"

#include <plist/plist.h>

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using json = nlohmann::json;

PlistValue hold(plist_t node) { return node ? PlistValue(node, plist_free) : nullptr; }

size_t indexOf(const PreferenceKey* key) { return static_cast<size_t>(key - preferenceKeys().data()); }

// The value as the property list holds it, or a reason.
bool checkValue(const PreferenceKey& key, const json& value, json* out, std::string* error) {
  const std::string name = key.name;
  switch (key.type) {
    case PreferenceType::Bool:
      if (!value.is_boolean()) return *error = name + " takes true or false", false;
      *out = value;
      return true;
    case PreferenceType::Integer:
      if (!value.is_number_integer()) return *error = name + " takes a whole number", false;
      if (value.get<double>() < key.minimum || value.get<double>() > key.maximum)
        return *error = name + " takes a whole number from " + std::to_string(static_cast<long long>(key.minimum)) +
                        " to " + std::to_string(static_cast<long long>(key.maximum)),
               false;
      *out = value.get<long long>();
      return true;
    case PreferenceType::Real: {
      if (!value.is_number()) return *error = name + " takes a number", false;
      double number = value.get<double>();
      if (!std::isfinite(number) || number < key.minimum || number > key.maximum) {
        char range[64];
        std::snprintf(range, sizeof range, "%g to %g", key.minimum, key.maximum);
        return *error = name + " takes a number from " + range, false;
      }
      *out = number;
      return true;
    }
    case PreferenceType::Colour:
      if (!value.is_string() || !isColourText(value.get<std::string>()))
        return *error = name + " takes a colour text: an optional # and 3, 4, 6 or 8 hexadecimal digits", false;
      *out = value;
      return true;
  }
  return false;
}

// Page values become the plist types the extension's readers are meant
// for: a bool, an integer, a real and a string.
PlistValue nodeOf(const PreferenceKey& key, const json& value) {
  switch (key.type) {
    case PreferenceType::Bool: return hold(plist_new_bool(value.get<bool>()));
    // libplist keeps negative integers as their two's complement.
    case PreferenceType::Integer: return hold(plist_new_uint(static_cast<uint64_t>(value.get<long long>())));
    case PreferenceType::Real: return hold(plist_new_real(value.get<double>()));
    case PreferenceType::Colour: return hold(plist_new_string(value.get<std::string>().c_str()));
  }
  return nullptr;
}

bool sameValue(const PlistValue& a, const PlistValue& b) {
  if (!a || !b) return !a && !b;
  return plist_compare_node_value(a.get(), b.get()) != 0;
}

}  // namespace

const std::vector<PreferenceKey>& preferenceKeys() {
  // The page refuses values that spoil the picture (a negative saturation
  // or radius; the extension takes them, and the studio shows a file that
  // holds them as it is). Blur styles travel to the platform as 32 bits.
  static const std::vector<PreferenceKey> keys = {
      {"Enabled", PreferenceType::Bool, true},
      {"NowPlayingHooks", PreferenceType::Bool, true},
      {"PrimaryTextColour", PreferenceType::Colour, "F4FCF7FF"},
      {"SecondaryTextColour", PreferenceType::Colour, "E4E4E4FF"},
      {"PrimaryTintColour", PreferenceType::Colour, "17A5FFFF"},
      {"SecondaryTintColour", PreferenceType::Colour, "0B4478FF"},
      {"BlurTintColour", PreferenceType::Colour, "E4E4E4FF"},
      {"BlurPreset", PreferenceType::Integer, 0, 0, INT_MAX},
      {"UseCustomTint", PreferenceType::Bool, false},
      {"Customise", PreferenceType::Bool, false},
      {"Saturation", PreferenceType::Real, 1.0, 0, 5},
      {"BlurRadius", PreferenceType::Real, 10.0, 0, 100},
      {"BlurArtwork", PreferenceType::Bool, false},
      {"AdaptiveNowPlaying", PreferenceType::Bool, false},
      {"ReadableText", PreferenceType::Bool, false},
  };
  return keys;
}

const PreferenceKey* findPreferenceKey(const std::string& name) {
  for (const PreferenceKey& key : preferenceKeys())
    if (name == key.name) return &key;
  return nullptr;
}

bool isColourText(const std::string& text) {
  std::string digits = text.size() >= 2 && text[0] == '#' ? text.substr(1) : text;
  if (digits.size() != 3 && digits.size() != 4 && digits.size() != 6 && digits.size() != 8) return false;
  for (char c : digits)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

Preferences::Preferences() : dictionary_(hold(plist_new_dict())) {
  for (const PreferenceKey& key : preferenceKeys()) {
    values_.push_back(key.defaultValue);
    warnings_.emplace_back();
  }
}

Preferences::Preferences(const Preferences& other)
    : dictionary_(hold(plist_copy(other.dictionary_.get()))),
      format_(other.format_),
      values_(other.values_),
      warnings_(other.warnings_) {}

Preferences& Preferences::operator=(const Preferences& other) {
  if (this != &other) {
    dictionary_ = hold(plist_copy(other.dictionary_.get()));
    format_ = other.format_;
    values_ = other.values_;
    warnings_ = other.warnings_;
  }
  return *this;
}

bool Preferences::parse(const std::string& bytes, std::string* error) {
  if (bytes.size() > (16u << 20)) return *error = "the file is larger than 16 MiB", false;
  plist_t raw = nullptr;
  plist_from_memory(bytes.data(), static_cast<uint32_t>(bytes.size()), &raw);
  PlistValue root = hold(raw);
  if (!root || plist_get_node_type(root.get()) != PLIST_DICT)
    return *error = "not a property list with a dictionary at the top", false;
  dictionary_ = root;
  format_ = bytes.starts_with("bplist00") ? PropertyListFormat::Binary : PropertyListFormat::Xml;
  return true;
}

std::string Preferences::propertyList(PropertyListFormat format) const {
  char* bytes = nullptr;
  uint32_t length = 0;
  if (format == PropertyListFormat::Binary) {
    plist_to_bin(dictionary_.get(), &bytes, &length);
  } else {
    plist_to_xml(dictionary_.get(), &bytes, &length);
  }
  std::string out(bytes ? bytes : "", bytes ? length : 0);
  if (format == PropertyListFormat::Binary)
    plist_to_bin_free(bytes);
  else
    plist_to_xml_free(bytes);
  return out;
}

std::vector<std::string> Preferences::otherKeys() const {
  std::vector<std::string> keys;
  plist_dict_iter it = nullptr;
  plist_dict_new_iter(dictionary_.get(), &it);
  while (true) {
    char* key = nullptr;
    plist_t value = nullptr;
    plist_dict_next_item(dictionary_.get(), it, &key, &value);
    if (!key) break;
    if (!findPreferenceKey(key)) keys.emplace_back(key);
    free(key);
  }
  free(it);
  return keys;
}

PlistValue Preferences::valueOf(const std::string& key) const {
  plist_t node = plist_dict_get_item(dictionary_.get(), key.c_str());
  return node ? hold(plist_copy(node)) : nullptr;
}

void Preferences::put(const std::string& key, const PlistValue& value) {
  if (value)
    plist_dict_set_item(dictionary_.get(), key.c_str(), plist_copy(value.get()));
  else
    plist_dict_remove_item(dictionary_.get(), key.c_str());
}

bool Preferences::setAll(const json& entries, Change* change, std::string* error) {
  if (!entries.is_object()) return *error = "the body is not a JSON object of keys and values", false;
  Change wanted;
  for (const auto& [name, value] : entries.items()) {
    const PreferenceKey* key = findPreferenceKey(name);
    if (!key) return *error = "no preference key " + name, false;
    json checked;
    if (!checkValue(*key, value, &checked, error)) return false;
    PlistValue before = valueOf(name), after = nodeOf(*key, checked);
    if (!sameValue(before, after)) wanted.push_back({name, before, after});
  }
  apply(wanted, true);
  for (const auto& [name, value] : entries.items()) {
    json checked;
    checkValue(*findPreferenceKey(name), value, &checked, error);
    values_[indexOf(findPreferenceKey(name))] = checked;
  }
  *change = std::move(wanted);
  return true;
}

Change Preferences::resetToDefaults() {
  Change change;
  for (const PreferenceKey& key : preferenceKeys()) {
    PlistValue before = valueOf(key.name), after = nodeOf(key, key.defaultValue);
    if (!sameValue(before, after)) change.push_back({key.name, before, after});
  }
  apply(change, true);
  return change;
}

Change Preferences::takeFrom(const Preferences& opened) {
  Change change;
  std::vector<std::string> keys = opened.otherKeys();
  for (const PreferenceKey& key : preferenceKeys()) keys.push_back(key.name);
  for (const std::string& key : keys) {
    PlistValue before = valueOf(key), after = opened.valueOf(key);
    if (!sameValue(before, after)) change.push_back({key, before, after});
  }
  apply(change, true);
  return change;
}

void Preferences::apply(const Change& change, bool forwards) {
  if (forwards) {
    for (const KeyChange& c : change) put(c.key, c.after);
  } else {
    for (auto c = change.rbegin(); c != change.rend(); ++c) put(c->key, c->before);
  }
}

void Preferences::setReadings(const json& readings) {
  for (const PreferenceKey& key : preferenceKeys()) {
    if (!readings.contains(key.name)) continue;
    const json& reading = readings[key.name];
    values_[indexOf(&key)] = reading.value("value", json(nullptr));
    warnings_[indexOf(&key)] = reading.value("warning", "");
  }
}

const json& Preferences::get(const std::string& key) const {
  static const json none;
  const PreferenceKey* found = findPreferenceKey(key);
  return found ? values_[indexOf(found)] : none;
}

json Preferences::values() const {
  json out = json::object();
  for (const PreferenceKey& key : preferenceKeys()) out[key.name] = values_[indexOf(&key)];
  return out;
}

json Preferences::warnings() const {
  json out = json::object();
  for (const PreferenceKey& key : preferenceKeys())
    if (!warnings_[indexOf(&key)].empty()) out[key.name] = warnings_[indexOf(&key)];
  return out;
}

json Preferences::effective(const std::vector<std::string>& keys) const {
  const bool enabled = get("Enabled") == true, customise = get("Customise") == true;
  json out = json::array();
  for (const std::string& key : keys) {
    bool read = key == "Enabled" || (enabled && ((key != "Saturation" && key != "BlurRadius") || customise));
    out.push_back(read ? get(key) : json(nullptr));
  }
  return out;
}
