// Reading runs in a child process: the extension's reader needs a booted
// platform, which the studio's own process never has.
#include "tools/studio/extension_reading.h"

#include <unistd.h>

#include <iterator>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/foundation/foundation.h"
#include "platform/loader/Loader.h"
#include "tools/preview/preference_warnings.h"
#include "tweak/color_from_hex.h"

namespace {

using json = nlohmann::json;

json valueOf(const PreferenceReading& r) {
  switch (r.kind) {
    case PreferenceKind::Bool: return r.boolValue;
    case PreferenceKind::Integer: return r.integerValue;
    // JSON has no infinity; the warning names it.
    case PreferenceKind::Real: return std::isfinite(r.realValue) ? json(r.realValue) : json(nullptr);
    case PreferenceKind::Colour: return r.colourText;
  }
  return nullptr;
}

}  // namespace

bool readAsExtension(const std::optional<std::string>& bytes, json* readings, std::string* error) {
  char folder[] = "/tmp/mirel-studio-read-XXXXXX";
  if (!mkdtemp(folder)) return *error = "cannot make a folder in /tmp to read the preferences in", false;
  struct RemoveFolder {
    std::string path;
    ~RemoveFolder() {
      std::error_code ec;
      std::filesystem::remove_all(path, ec);
    }
  } removeFolder{folder};
  const std::string input = removeFolder.path + "/prefs.plist", output = removeFolder.path + "/readings.json";
  if (bytes && !(std::ofstream(input, std::ios::binary) << *bytes))
    return *error = "cannot write the preferences to read them", false;
  // The answer goes through a file: a pipe would fill up, and block the
  // child, before the parent reads it.
  int status = runInChildProcess([&] {
    bootPlatform();
    registerColorCategories();
    AutoreleasePool pool;
    NSDictionary* prefs = bytes ? NSDictionary::withContentsOfFile(NSString::withUTF8(input)) : nil;
    std::string text;
    if (bytes && !prefs) {
      text = "!";
    } else {
      json out = json::object();
      for (const PreferenceReading& r : readPreferences(prefs))
        out[r.key] = {{"value", valueOf(r)}, {"warning", r.warning}, {"present", r.present}};
      text = out.dump();
    }
    return (std::ofstream(output, std::ios::binary) << text) ? 0 : 1;
  });
  std::ifstream in(output, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (status != 0 || text.empty()) return *error = "the launch that reads the preferences failed", false;
  if (text == "!")
    return *error = "not a property list the extension can read (it would use every default)", false;
  *readings = json::parse(text, nullptr, false);
  if (readings->is_discarded()) return *error = "the reading launch answered something unreadable", false;
  return true;
}
