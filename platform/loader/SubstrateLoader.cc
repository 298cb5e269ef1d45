// Mapping the libraries of the device's libraries folder into a launch.
#include "platform/loader/SubstrateLoader.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "platform/foundation/DeviceFiles.h"
#include "platform/foundation/foundation.h"

namespace fs = std::filesystem;

namespace {

std::vector<LibraryMapping>& mappings() {
  static std::vector<LibraryMapping> all;
  return all;
}

// The folder's `.dylib` files, by file name (byte order, as the device's
// loader sorts them).
std::vector<fs::path> librariesIn(const std::string& folder) {
  std::vector<fs::path> found;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (it->path().extension() == ".dylib") found.push_back(it->path());
  std::sort(found.begin(), found.end(),
            [](const fs::path& a, const fs::path& b) { return a.filename().string() < b.filename().string(); });
  return found;
}

}  // namespace

bool filterNamesBundle(const std::string& devicePath, const char* bundleIdentifier) {
  if (!bundleIdentifier) return false;
  AutoreleasePool pool;
  NSDictionary* filterFile = NSDictionary::withContentsOfFile(NSString::withUTF8(devicePath));
  id filter = filterFile ? filterFile->objectForKey("Filter"_ns) : nil;
  if (!objc::isKind<NSDictionary>(filter)) return false;
  id bundles = objc::as<NSDictionary>(filter)->objectForKey("Bundles"_ns);
  if (!objc::isKind<NSArray>(bundles)) return false;
  return objc::as<NSArray>(bundles)->containsObject(NSString::withUTF8(bundleIdentifier));
}

void mapSubstrateLibraries(const char* bundleIdentifier) {
  static bool mappedOnce = false;
  if (mappedOnce) objc::fatal("the loader maps libraries once per launch, and a launch is a process");
  mappedOnce = true;
  for (const fs::path& library : librariesIn(deviceFilePath(kSubstrateLibrariesPath))) {
    const std::string name = library.stem().string();
    if (!filterNamesBundle(std::string(kSubstrateLibrariesPath) + "/" + name + ".plist", bundleIdentifier)) continue;
    LibraryMapping mapping;
    mapping.devicePath = std::string(kSubstrateLibrariesPath) + "/" + library.filename().string();
    // The library's constructors run inside this call, on this thread: its
    // classes are registered and its initialisers run before dlopen returns.
    if (dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL)) {
      mapping.mapped = true;
    } else {
      const char* reason = dlerror();
      mapping.error = reason ? reason : "unknown error";
      std::fprintf(stderr, "loader: cannot map %s: %s\n", mapping.devicePath.c_str(), mapping.error.c_str());
    }
    mappings().push_back(std::move(mapping));
  }
}

const std::vector<LibraryMapping>& substrateMappings() { return mappings(); }
