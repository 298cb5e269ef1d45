// The extension as the loader maps it: its classes and categories, and its
// two load-time initialisers.
//
//   launchHost(host, &mirelExtensionImage());
#pragma once

#include "platform/foundation/NSNumber.h"
#include "platform/loader/Loader.h"

inline constexpr const char* kInstallPath = "/Library/MobileSubstrate/DynamicLibraries/mirel.dylib";
inline constexpr const char* kCompanionPath = "/Library/MobileSubstrate/DynamicLibraries/Sorrel.dylib";

struct KRColorPicker;

// A process-wide NSNumber YES, made by the shared-objects initialiser.
NSNumber* sharedYesNumber();
// The process-wide colour picker (SharedColourPicker), made by the
// shared-objects initialiser in every host, whatever the settings.
KRColorPicker* sharedColourPicker();

const ExtensionImage& mirelExtensionImage();
