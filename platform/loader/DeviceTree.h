// The device tree the build installs (the extension and its filter under
// Library/MobileSubstrate/DynamicLibraries), the build folder's `device`.
// Tools, tests and benchmarks live below the build folder and find it above
// themselves; MIREL_DEVICE_ROOT names another.
//
//   linkInstalledLibraries(launchRoot, &error);  // a themed launch: the extension is there
#pragma once

#include <string>

// The installed device root: $MIREL_DEVICE_ROOT, else the nearest `device`
// folder holding a libraries folder above the running executable.
std::string installedDeviceRoot();

// The libraries folder of the installed device root.
std::string installedLibrariesFolder();

// Makes the libraries folder of a launch's device root the installed one (a
// link to it), so that the loader finds the installed libraries there. A
// launch whose root has no such folder maps nothing: a stock launch.
bool linkInstalledLibraries(const std::string& launchRoot, std::string* error);
