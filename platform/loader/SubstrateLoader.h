// The device's library loader: at each launch it maps every `.dylib` of the
// device's libraries folder whose filter property list (`<name>.plist` beside it,
// "Filter" → "Bundles") names the host's bundle identifier, in file-name
// order, with dlopen. A mapped library runs its own load-time constructors;
// the loader calls nothing in it by name. A library that fails to map is
// named with dlerror's text on stderr, and the launch goes on without it.
//
//   mapSubstrateLibraries("com.apple.Music");   // after setDeviceRoot
//   for (const LibraryMapping& m : substrateMappings()) ...
#pragma once

#include <string>
#include <vector>

// Where a device keeps the libraries the loader maps, and the installed
// extension's place in it.
inline constexpr const char* kSubstrateLibrariesPath = "/Library/MobileSubstrate/DynamicLibraries";

struct LibraryMapping {
  std::string devicePath;  // "/Library/MobileSubstrate/DynamicLibraries/<name>.dylib"
  bool mapped = false;
  std::string error;       // dlerror's text when it did not map
};

// Maps, in this process, the libraries of the device's libraries folder
// (under the device root) whose filter names `bundleIdentifier` (nullptr: a
// host without one, which no filter names).
// A launch is a process: a second call in the same process ends it, since
// dlopen maps a library once per process and its constructors would not run
// again.
void mapSubstrateLibraries(const char* bundleIdentifier);

// What the loader did in this process, in the order it did it.
const std::vector<LibraryMapping>& substrateMappings();

// Whether the filter property list at a device path names
// `bundleIdentifier` in "Filter" → "Bundles". Needs a booted platform.
bool filterNamesBundle(const std::string& devicePath, const char* bundleIdentifier);
