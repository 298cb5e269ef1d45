// Typing --set values by the preference key's table, and writing them into
// a property list through libplist.
#include "tools/preview/setting_overrides.h"

#include <plist/plist.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

struct KeyType {
  const char* key;
  SettingType type;
};
constexpr KeyType kKeys[] = {
    {"Enabled", SettingType::Bool},
    {"NowPlayingHooks", SettingType::Bool},
    {"PrimaryTextColour", SettingType::ColourText},
    {"SecondaryTextColour", SettingType::ColourText},
    {"PrimaryTintColour", SettingType::ColourText},
    {"SecondaryTintColour", SettingType::ColourText},
    {"BlurTintColour", SettingType::ColourText},
    {"BlurPreset", SettingType::Integer},
    {"UseCustomTint", SettingType::Bool},
    {"Customise", SettingType::Bool},
    {"Saturation", SettingType::Real},
    {"BlurRadius", SettingType::Real},
    {"BlurArtwork", SettingType::Bool},
    {"AdaptiveNowPlaying", SettingType::Bool},
    {"ReadableText", SettingType::Bool},
};

std::string lowered(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return out;
}

bool readBool(std::string_view value, bool* out) {
  std::string v = lowered(value);
  if (v == "true" || v == "yes" || v == "1") return *out = true, true;
  if (v == "false" || v == "no" || v == "0") return *out = false, true;
  return false;
}

bool readInteger(const std::string& value, long long* out) {
  if (value.empty() || std::isspace(static_cast<unsigned char>(value[0]))) return false;
  char* end = nullptr;
  errno = 0;
  *out = std::strtoll(value.c_str(), &end, 10);
  return errno == 0 && *end == '\0';
}

bool readReal(const std::string& value, double* out) {
  if (value.empty() || std::isspace(static_cast<unsigned char>(value[0]))) return false;
  char* end = nullptr;
  errno = 0;
  *out = std::strtod(value.c_str(), &end);
  return errno == 0 && *end == '\0' && std::isfinite(*out);
}

const char* typeName(SettingType type) {
  switch (type) {
    case SettingType::Bool: return "a bool (true, false, YES, NO, 1 or 0)";
    case SettingType::Integer: return "an integer";
    case SettingType::Real: return "a number";
    case SettingType::ColourText: return "colour text";
  }
  return "?";
}

struct PlistDeleter {
  void operator()(plist_t node) const { plist_free(node); }
};
using PlistHolder = std::unique_ptr<void, PlistDeleter>;

plist_t nodeFor(const SettingOverride& o) {
  switch (o.type) {
    case SettingType::Bool: return plist_new_bool(o.boolValue);
    // libplist keeps negative integers as their two's complement.
    case SettingType::Integer: return plist_new_uint(static_cast<uint64_t>(o.integerValue));
    case SettingType::Real: return plist_new_real(o.realValue);
    case SettingType::ColourText: return plist_new_string(o.text.c_str());
  }
  return nullptr;
}

}  // namespace

std::optional<SettingOverride> parseSettingOverride(std::string_view text, std::string* error) {
  size_t equals = text.find('=');
  if (equals == std::string_view::npos) {
    *error = "--set " + std::string(text) + ": expected KEY=VALUE";
    return std::nullopt;
  }
  std::string key(text.substr(0, equals)), value(text.substr(equals + 1));
  const KeyType* known =
      std::find_if(std::begin(kKeys), std::end(kKeys), [&](const KeyType& k) { return key == k.key; });
  if (known == std::end(kKeys)) {
    *error = "--set: unknown preference key \"" + key + "\"";
    return std::nullopt;
  }
  SettingOverride o{key, known->type};
  bool ok = false;
  switch (known->type) {
    case SettingType::Bool: ok = readBool(value, &o.boolValue); break;
    case SettingType::Integer: ok = readInteger(value, &o.integerValue); break;
    case SettingType::Real: ok = readReal(value, &o.realValue); break;
    case SettingType::ColourText: ok = true, o.text = value; break;
  }
  if (!ok) {
    *error = "--set: " + key + " takes " + typeName(known->type) + ", not \"" + value + "\"";
    return std::nullopt;
  }
  return o;
}

std::string preferencesWithOverrides(const std::string& base, const std::vector<SettingOverride>& overrides) {
  plist_t parsed = nullptr;
  if (!base.empty()) plist_from_memory(base.data(), static_cast<uint32_t>(base.size()), &parsed);
  PlistHolder dictionary(parsed && plist_get_node_type(parsed) == PLIST_DICT ? parsed : plist_new_dict());
  if (parsed && parsed != dictionary.get()) plist_free(parsed);
  for (const SettingOverride& o : overrides) plist_dict_set_item(dictionary.get(), o.key.c_str(), nodeFor(o));
  char* xml = nullptr;
  uint32_t length = 0;
  plist_to_xml(dictionary.get(), &xml, &length);
  std::string out(xml ? xml : "", length);
  plist_to_xml_free(xml);
  return out;
}
