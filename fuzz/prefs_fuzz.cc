// Fuzzes the preferences file: any bytes at the preferences path must load
// as settings (the defaults where the file cannot be read), and read as the
// tools read it (each key's value and warning), never a crash.
//
//   build/fuzz/fuzz/fuzz_prefs -max_total_time=60 fuzz/corpus/fuzz_prefs
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/foundation/DeviceFiles.h"
#include "platform/loader/Loader.h"
#include "tools/preview/preference_warnings.h"
#include "tweak/color_from_hex.h"
#include "tweak/settings.h"

namespace {

std::string root;

void removeRoot() { std::filesystem::remove_all(root); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  bootPlatform();
  registerColorCategories();
  char pattern[] = "/tmp/fuzz_prefs-XXXXXX";
  if (!mkdtemp(pattern)) std::abort();
  root = pattern;
  setDeviceRoot(root);
  std::filesystem::create_directories(std::filesystem::path(deviceFilePath(kPreferencesPath)).parent_path());
  std::atexit(removeRoot);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* file = std::fopen(deviceFilePath(kPreferencesPath).c_str(), "wb");
  if (!file) std::abort();
  if (size && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
  AutoreleasePool pool;
  loadSettings();
  // Enabled with a parsed file always leaves five colours behind.
  if (TweakSettings.Enabled && !ThemeColours.PrimaryTextColour) std::abort();
  // The tools' reading agrees with the extension's on the master switch.
  NSDictionary* prefs = NSDictionary::withContentsOfFile(NSString::withUTF8(kPreferencesPath));
  std::vector<PreferenceReading> readings = readPreferences(prefs);
  if (readings.size() != 15 || readings[0].boolValue != static_cast<bool>(TweakSettings.Enabled)) std::abort();
  return 0;
}
