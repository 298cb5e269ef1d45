// Preference keys, value checks and property list bytes (through libplist,
// the same library the host model reads them with).
#include "tools/studio/preferences.h"

#include <plist/plist.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

namespace {

using json = nlohmann::json;

struct PlistFree {
  void operator()(plist_t node) const { plist_free(node); }
};
using PlistHolder = std::unique_ptr<std::remove_pointer_t<plist_t>, PlistFree>;

size_t indexOf(const PreferenceKey* key) { return static_cast<size_t>(key - preferenceKeys().data()); }

// The value as the page and the property list hold it, or a reason.
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

PlistHolder plistOf(const PreferenceKey& key, const json& value) {
  switch (key.type) {
    case PreferenceType::Bool: return PlistHolder(plist_new_bool(value.get<bool>()));
    case PreferenceType::Integer: return PlistHolder(plist_new_uint(static_cast<uint64_t>(value.get<long long>())));
    case PreferenceType::Real: return PlistHolder(plist_new_real(value.get<double>()));
    case PreferenceType::Colour: return PlistHolder(plist_new_string(value.get<std::string>().c_str()));
  }
  return nullptr;
}

// A node as the page would hold it, read by the extension's own rules where
// they map onto the key's type (a number for a switch, a number for a
// colour, an integer for a real); null when they do not.
json jsonOf(const PreferenceKey& key, plist_t node) {
  plist_type type = plist_get_node_type(node);
  auto number = [&]() -> std::optional<double> {
    if (type == PLIST_UINT) {
      uint64_t v = 0;
      plist_get_uint_val(node, &v);
      return static_cast<double>(static_cast<int64_t>(v));
    }
    if (type == PLIST_REAL) {
      double v = 0;
      plist_get_real_val(node, &v);
      return v;
    }
    return std::nullopt;
  };
  switch (key.type) {
    case PreferenceType::Bool:
      if (type == PLIST_BOOLEAN) {
        uint8_t v = 0;
        plist_get_bool_val(node, &v);
        return v != 0;
      }
      if (auto n = number()) return *n != 0;
      return nullptr;
    case PreferenceType::Integer:
      if (type == PLIST_UINT) return static_cast<long long>(*number());
      return nullptr;
    case PreferenceType::Real:
      if (auto n = number()) return *n;
      return nullptr;
    case PreferenceType::Colour:
      if (type == PLIST_STRING) {
        char* text = nullptr;
        plist_get_string_val(node, &text);
        json result = text ? json(std::string(text)) : json(nullptr);
        free(text);
        return result;
      }
      if (type == PLIST_UINT) return std::to_string(static_cast<long long>(*number()));
      return nullptr;
  }
  return nullptr;
}

}  // namespace

const std::vector<PreferenceKey>& preferenceKeys() {
  // Backdrop style numbers are the platform's private ones (0 to 2060 in
  // use); the blur's saturation factor and radius stay where a blur still
  // looks like one.
  static const std::vector<PreferenceKey> keys = {
      {"Enabled", PreferenceType::Bool, true},
      {"NowPlayingHooks", PreferenceType::Bool, true},
      {"PrimaryTextColour", PreferenceType::Colour, "F4FCF7FF"},
      {"SecondaryTextColour", PreferenceType::Colour, "E4E4E4FF"},
      {"PrimaryTintColour", PreferenceType::Colour, "17A5FFFF"},
      {"SecondaryTintColour", PreferenceType::Colour, "0B4478FF"},
      {"BlurTintColour", PreferenceType::Colour, "E4E4E4FF"},
      {"BlurPreset", PreferenceType::Integer, 0, 0, 9999},
      {"UseCustomTint", PreferenceType::Bool, false},
      {"Customise", PreferenceType::Bool, false},
      {"Saturation", PreferenceType::Real, 1.0, 0, 5},
      {"BlurRadius", PreferenceType::Real, 10.0, 0, 100},
      {"BlurArtwork", PreferenceType::Bool, false},
      {"AdaptiveNowPlaying", PreferenceType::Bool, false},
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

Preferences::Preferences() {
  for (const PreferenceKey& key : preferenceKeys()) values_.push_back(key.defaultValue);
}

bool Preferences::set(const std::string& key, const json& value, std::string* error) {
  const PreferenceKey* found = findPreferenceKey(key);
  if (!found) {
    *error = "no preference key " + key;
    return false;
  }
  json checked;
  if (!checkValue(*found, value, &checked, error)) return false;
  values_[indexOf(found)] = checked;
  return true;
}

bool Preferences::setAll(const json& entries, std::string* error) {
  if (!entries.is_object()) {
    *error = "the body is not a JSON object of keys and values";
    return false;
  }
  Preferences trial = *this;
  for (const auto& [key, value] : entries.items())
    if (!trial.set(key, value, error)) return false;
  *this = trial;
  return true;
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

json Preferences::effective(const std::vector<std::string>& keys) const {
  const bool enabled = get("Enabled").get<bool>(), customise = get("Customise").get<bool>();
  json out = json::array();
  for (const std::string& key : keys) {
    bool read = key == "Enabled" || (enabled && ((key != "Saturation" && key != "BlurRadius") || customise));
    out.push_back(read ? get(key) : json(nullptr));
  }
  return out;
}

std::string Preferences::propertyList(PropertyListFormat format) const {
  PlistHolder dict(plist_new_dict());
  for (const PreferenceKey& key : preferenceKeys())
    plist_dict_set_item(dict.get(), key.name, plistOf(key, values_[indexOf(&key)]).release());
  char* bytes = nullptr;
  uint32_t length = 0;
  if (format == PropertyListFormat::Binary) {
    plist_to_bin(dict.get(), &bytes, &length);
  } else {
    plist_to_xml(dict.get(), &bytes, &length);
  }
  std::string out(bytes ? bytes : "", bytes ? length : 0);
  if (format == PropertyListFormat::Binary)
    plist_to_bin_free(bytes);
  else
    plist_to_xml_free(bytes);
  return out;
}

bool Preferences::readPropertyList(const std::string& bytes, std::vector<std::string>* warnings, std::string* error) {
  plist_t raw = nullptr;
  if (bytes.size() > (16u << 20)) {
    *error = "the file is larger than 16 MiB";
    return false;
  }
  plist_from_memory(bytes.data(), static_cast<uint32_t>(bytes.size()), &raw);
  PlistHolder root(raw);
  if (!root || plist_get_node_type(root.get()) != PLIST_DICT) {
    *error = "not a property list with a dictionary at the top";
    return false;
  }
  Preferences read;
  for (const PreferenceKey& key : preferenceKeys()) {
    plist_t node = plist_dict_get_item(root.get(), key.name);
    if (!node) continue;
    std::string reason;
    if (!read.set(key.name, jsonOf(key, node), &reason)) warnings->push_back(reason + "; using its default");
  }
  *this = read;
  return true;
}
