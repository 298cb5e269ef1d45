// The loader: launches a modelled host application and maps the libraries
// its filters name into it, as MobileSubstrate does on a device.
//
//   linkInstalledLibraries(root);   // the launch's device root holds the installed extension
//   host.deviceRoot = root;
//   launchHost(host);               // in a fresh process
//
// A launch is a process: the runtime, the classes and every process-wide
// object start fresh with it. Tools and tests therefore launch each host in
// a child process (runInChildProcess) and never in their own.
#pragma once

#include <functional>
#include <string>

// An extension linked into the launching binary rather than mapped: tests
// that look inside the extension's own state attach it this way, through the
// same three steps its library's constructors take.
struct ExtensionImage {
  const char* installPath;
  // Attaches the image's own classes and categories (the runtime does this
  // when an image is mapped, before any initialiser runs).
  void (*registerClasses)();
  // The load-time initialisers, run in this order on the loading thread.
  void (*startupInitialiser)();
  void (*sharedObjectsInitialiser)();
};

struct HostDescription {
  const char* bundleIdentifier = nullptr;  // nullptr: the process has none
  const char* principalClass = "UIApplication";
  void (*registerClasses)() = nullptr;     // the application's own classes
  std::string resourcePath;                // the bundle's resources (imageNamed:)
  std::string deviceRoot;                  // where device paths live (empty: as they are)
};

// Registers the platform's classes. Part of every launch; a second call in
// the same process does nothing.
void bootPlatform();

// Attaches a linked extension to the running host: its classes, then its two
// initialisers in order, each inside an autorelease pool.
void mapExtension(const ExtensionImage& extension);

// Boots the platform, registers the host's classes, sets the bundle
// identifier, then maps the libraries of the device's libraries folder whose
// filters name the host (mapSubstrateLibraries: none in a stock launch, whose
// device root holds no libraries) and, when one is given, attaches a linked
// extension.
void launchHost(const HostDescription& host, const ExtensionImage* linkedExtension = nullptr);

// Runs `body` in a forked child process and returns its exit status (or 128
// plus the signal that ended it). The child never returns into the caller;
// in a sanitised build it runs the leak check before it leaves, and a child
// that passed but leaked ends with status 23.
int runInChildProcess(const std::function<int()>& body);

// Whether this build's children run the leak check (sanitised builds).
bool launchesCheckLeaks();
