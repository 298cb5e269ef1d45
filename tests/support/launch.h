// Launches for tests. A launch is a process: each runs in a forked child,
// where GoogleTest assertions work as usual; the parent fails the test when
// the child reports a failure or dies.
//
//   inLaunch({.bundleIdentifier = "com.apple.Music", .preferences = plist({{"Enabled", "<false/>"}})},
//            [] { EXPECT_FALSE(TweakSettings.Enabled); });
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct ExtensionImage;

struct TestLaunch {
  std::optional<std::string> bundleIdentifier = std::string("com.apple.Music");
  // Bytes of the preferences file; none: no file.
  std::optional<std::string> preferences;
  bool withExtension = true;
  const char* principalClass = "UIApplication";
  void (*registerHostClasses)() = nullptr;
};

// An XML property list of a dictionary; values are given as plist XML
// ("<true/>", "<integer>3</integer>", "<string>FFF</string>").
std::string plist(const std::vector<std::pair<std::string, std::string>>& entries);

// Runs `body` after launching a host as `launch` says, in a fresh process,
// inside an autorelease pool (as is the body of inFreshProcess).
void inLaunch(const TestLaunch& launch, const std::function<void()>& body);

// Runs `body` in a fresh process with only the platform booted.
void inFreshProcess(const std::function<void()>& body);
