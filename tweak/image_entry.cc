// mirel.dylib's load-time constructors. When the loader maps the library,
// the runtime attaches its classes and categories, then its two
// initialisers run, in this order, on the loading thread. Nothing here is
// called by name from outside: the constructors are the library's entry.
//
// Constructors of one file run in the order they are written. This file is
// the last one linked into the library (see tweak/CMakeLists.txt), so they
// run after every other file's own static initialisation.
#include "hooks/nowplaying/scheme.h"
#include "platform/foundation/foundation.h"
#include "platform/loader/ToolOffers.h"
#include "tweak/hook_installer.h"
#include "tweak/settings.h"
#include "tweak/startup.h"

namespace {

// What the preview reports and dumps of a launch: the installation report,
// the Now Playing scheme and the settings and theme colours read.
__attribute__((constructor)) void offerToDeveloperTools() {
  offerToTools("mirel.tweakSettings", &TweakSettings);
  offerToTools("mirel.themeColours", &ThemeColours);
  offerToTools("mirel.installationReport", reinterpret_cast<const void*>(&installationReport));
  offerToTools("mirel.nowPlayingScheme", reinterpret_cast<const void*>(&nowPlayingScheme));
}

__attribute__((constructor)) void attachClassesAndCategories() { mirelExtensionImage().registerClasses(); }

__attribute__((constructor)) void runStartupInitialiser() {
  AutoreleasePool pool;
  mirelExtensionImage().startupInitialiser();
}

__attribute__((constructor)) void runSharedObjectsInitialiser() {
  AutoreleasePool pool;
  mirelExtensionImage().sharedObjectsInitialiser();
}

}  // namespace
