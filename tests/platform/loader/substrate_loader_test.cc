// The loader maps the installed mirel.dylib into the hosts its filter names,
// in file-name order, and goes on without a library that fails to map.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "apps/messages/MessagesApp.h"
#include "apps/music/MusicApp.h"
#include "platform/loader/Loader.h"
#include "platform/loader/SubstrateLoader.h"
#include "platform/uikit/uikit.h"

namespace fs = std::filesystem;

namespace {

std::string filterNaming(const std::vector<std::string>& bundles) {
  std::string xml = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Filter</key><dict><key>Bundles</key><array>";
  for (const std::string& bundle : bundles) xml += "<string>" + bundle + "</string>";
  return xml + "</array></dict></dict></plist>";
}

// A device root whose libraries folder holds, for each name, the given
// library file (a link to it) and filter.
struct LibraryFile {
  std::string name;  // without ".dylib"
  std::string target;  // the file the link names
  std::vector<std::string> bundles;
};

std::string deviceRootWith(const std::vector<LibraryFile>& libraries) {
  char pattern[] = "/tmp/mirel-loader-test-XXXXXX";
  std::string root = mkdtemp(pattern);
  fs::path folder = root + kSubstrateLibrariesPath;
  fs::create_directories(folder);
  for (const LibraryFile& library : libraries) {
    fs::create_symlink(library.target, folder / (library.name + ".dylib"));
    std::ofstream(folder / (library.name + ".plist")) << filterNaming(library.bundles);
  }
  return root;
}

// Launches `app` in a child on `root` and hands the mappings and whether the
// extension's start-up ran (its classes and the application background
// style it sets) to `check`.
void launchAndCheck(const HostApp& app, const std::string& root,
                    const std::function<void(const std::vector<LibraryMapping>&, bool extensionRan)>& check) {
  int status = runInChildProcess([&] {
    HostDescription host = app.host;
    host.deviceRoot = root;
    launchHost(host);
    check(substrateMappings(), objc_getClass("KRColorPicker") != nullptr);
    return ::testing::Test::HasFailure() ? 1 : 0;
  });
  EXPECT_EQ(status, 0) << "the launch failed (its messages are above)";
}

TEST(SubstrateLoader, MapsTheExtensionOnlyIntoTheHostsItsFilterNames) {
  std::string root = deviceRootWith({{"mirel", MIREL_DYLIB, {"com.apple.MobileSMS"}}});
  struct Case {
    const HostApp& app;
    bool mapped;
  } cases[] = {{messagesApp(), true}, {musicApp(), false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.app.name);
    launchAndCheck(c.app, root, [&](const std::vector<LibraryMapping>& mappings, bool extensionRan) {
      EXPECT_EQ(mappings.size(), c.mapped ? 1u : 0u);
      EXPECT_EQ(extensionRan, c.mapped);
      if (!c.mapped) {
        EXPECT_EQ(UIApplication::shared()->backgroundStyle(), 0) << "Music stays stock";
      }
    });
  }
  fs::remove_all(root);
}

TEST(SubstrateLoader, ALibraryThatFailsToMapIsNamedAndTheLaunchGoesOn) {
  char pattern[] = "/tmp/mirel-not-a-library-XXXXXX";
  int fd = mkstemp(pattern);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(write(fd, "not a library", 13), 13);
  close(fd);
  std::string root = deviceRootWith({{"mirel", MIREL_DYLIB, {"com.apple.Music"}}, {"broken", pattern, {"com.apple.Music"}}});
  launchAndCheck(musicApp(), root, [&](const std::vector<LibraryMapping>& mappings, bool extensionRan) {
    ASSERT_EQ(mappings.size(), 2u);
    EXPECT_EQ(mappings[0].devicePath, "/Library/MobileSubstrate/DynamicLibraries/broken.dylib") << "file-name order";
    EXPECT_FALSE(mappings[0].mapped);
    EXPECT_NE(mappings[0].error.find("broken.dylib"), std::string::npos) << mappings[0].error;
    EXPECT_TRUE(mappings[1].mapped);
    EXPECT_TRUE(extensionRan);
    EXPECT_EQ(UIApplication::shared()->backgroundStyle(), 3) << "the extension's start-up ran";
  });
  fs::remove_all(root);
  fs::remove(pattern);
}

}  // namespace
