// Test launches in child processes.
#include "tests/support/launch.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/loader/Loader.h"
#include "platform/objc/ref.h"
#include "tweak/startup.h"
#include "tweak/settings.h"

std::string plist(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
      "<plist version=\"1.0\">\n<dict>\n";
  for (const auto& [key, value] : entries) xml += "  <key>" + key + "</key>\n  " + value + "\n";
  return xml + "</dict>\n</plist>\n";
}

namespace {

int finish() { return ::testing::Test::HasFailure() ? 1 : 0; }

void expectChildPassed(int status) {
  EXPECT_EQ(status, 0) << "the launched process failed (its messages are above)";
}

}  // namespace

void inLaunch(const TestLaunch& launch, const std::function<void()>& body) {
  expectChildPassed(runInChildProcess([&] {
    char pattern[] = "/tmp/mirel-launch-XXXXXX";
    if (!mkdtemp(pattern)) {
      ADD_FAILURE() << "cannot make a device folder in /tmp";
      return 1;
    }
    std::string root = pattern;
    if (launch.preferences) {
      std::filesystem::path file = std::filesystem::path(root + kPreferencesPath);
      std::filesystem::create_directories(file.parent_path());
      std::ofstream(file, std::ios::binary) << *launch.preferences;
    }
    HostDescription host;
    host.bundleIdentifier = launch.bundleIdentifier ? launch.bundleIdentifier->c_str() : nullptr;
    host.principalClass = launch.principalClass;
    host.registerClasses = launch.registerHostClasses;
    host.deviceRoot = root;
    launchHost(host, launch.withExtension ? &mirelExtensionImage() : nullptr);
    {
      AutoreleasePool pool;
      body();
    }
    std::filesystem::remove_all(root);
    return finish();
  }));
}

void inFreshProcess(const std::function<void()>& body) {
  expectChildPassed(runInChildProcess([&] {
    bootPlatform();
    {
      AutoreleasePool pool;
      body();
    }
    return finish();
  }));
}
