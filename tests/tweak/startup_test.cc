// Start-up through real launches: which groups each host gets, the
// app-wide blur steps, and the rows each group installs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <string>

#include "platform/loader/Loader.h"
#include "platform/uikit/uikit.h"
#include "tests/support/launch.h"
#include "tweak/hook_installer.h"
#include "tweak/settings.h"
#include "tweak/startup.h"

namespace {

std::set<HookGroup> installedGroups() {
  std::set<HookGroup> groups;
  for (const InstallRecord& r : installationReport()) groups.insert(r.group);
  return groups;
}

UIView* proxySelectedBackground() {
  return objc::send<UIView*()>(UITableViewCell::appearance(), "selectedBackgroundView"_sel);
}

TEST(Startup, MusicHostGetsTheMusicGroupAndTheAppWideBlur) {
  inLaunch({}, [] {
    EXPECT_TRUE(installedGroups().count(HookGroup::Music));
    for (const InstallRecord& r : installationReport()) EXPECT_NE(r.group, HookGroup::Messages);
    EXPECT_EQ(UIApplication::shared()->backgroundStyle(), 3);
    UIView* selected = proxySelectedBackground();
    ASSERT_NE(selected, nullptr);
    EXPECT_TRUE(selected->isKindOfClass(objc::classOf<UIBackdropView>()));
    EXPECT_EQ(selected->frame(), CGRectZero);
    EXPECT_NE(sharedYesNumber(), nullptr);
  });
}

TEST(Startup, TableCellsCreatedAfterStartupShareTheSelectionBackdrop) {
  inLaunch({}, [] {
    AutoreleasePool pool;
    Ref<UITableViewCell> a = adopt(objc::alloc<UITableViewCell>()->initWithStyle(0, nil));
    Ref<UITableViewCell> b = adopt(objc::alloc<UITableViewCell>()->initWithStyle(3, nil));
    ASSERT_NE(a->selectedBackgroundView(), nullptr);
    EXPECT_EQ(a->selectedBackgroundView(), b->selectedBackgroundView());
    EXPECT_EQ(a->selectedBackgroundView(), proxySelectedBackground());
  });
}

TEST(Startup, MessagesHostNeverGetsTheMusicGroupNorTheAppWideSteps) {
  for (const char* nowPlaying : {"<true/>", "<false/>"}) {
    inLaunch({.bundleIdentifier = std::string("com.apple.MobileSMS"),
              .preferences = plist({{"NowPlayingHooks", nowPlaying}})},
             [] {
               for (const InstallRecord& r : installationReport()) EXPECT_EQ(r.group, HookGroup::Messages);
               EXPECT_EQ(UIApplication::shared()->backgroundStyle(), 0);
               EXPECT_EQ(proxySelectedBackground(), nullptr);
               AutoreleasePool pool;
               Ref<UIView> view = UIView::create(CGRectZero);
               EXPECT_FALSE(objc::send<BOOL()>(view, "_drawsAsBackdropOverlay"_sel));
             });
  }
}

TEST(Startup, EnabledOffReplacesNothingButMakesTheSharedObjects) {
  inLaunch({.preferences = plist({{"Enabled", "<false/>"}})}, [] {
    EXPECT_TRUE(installationReport().empty());
    EXPECT_EQ(UIApplication::shared()->backgroundStyle(), 0);
    EXPECT_EQ(proxySelectedBackground(), nullptr);
    ASSERT_NE(sharedYesNumber(), nullptr);
    EXPECT_TRUE(sharedYesNumber()->boolValue());
    UIApplication::shared()->setBackgroundStyle(0);
    EXPECT_EQ(UIApplication::shared()->backgroundStyle(), 0) << "the host's setter is untouched";
  });
}

TEST(Startup, NowPlayingHooksOffKeepsTheMusicGroupAndTheAppWideSteps) {
  inLaunch({.preferences = plist({{"NowPlayingHooks", "<false/>"}})}, [] {
    EXPECT_EQ(installedGroups(), std::set<HookGroup>{HookGroup::Music});
    EXPECT_EQ(UIApplication::shared()->backgroundStyle(), 3);
    EXPECT_NE(proxySelectedBackground(), nullptr);
  });
}

TEST(Startup, NoBundleIdentifierMeansNothingHappens) {
  inLaunch({.bundleIdentifier = std::nullopt}, [] {
    EXPECT_TRUE(installationReport().empty());
    EXPECT_FALSE(TweakSettings.Enabled) << "preferences are never read";
    EXPECT_NE(sharedYesNumber(), nullptr);
  });
}

TEST(Startup, StockLaunchHasNoExtension) {
  inLaunch({.withExtension = false}, [] {
    EXPECT_TRUE(installationReport().empty());
    EXPECT_EQ(sharedYesNumber(), nullptr);
  });
}

// Memory the "kept" launch holds on to, and a slot the "dropped" one
// overwrites (volatile, so the allocation is not optimised away).
void* gKept = nullptr;
void* volatile gDropped = nullptr;

[[gnu::noinline]] void allocateAndDrop() {
  gDropped = std::malloc(64);
  gDropped = nullptr;
}

// A forked launch leaves with _exit, past the sanitiser's own leak check:
// in a sanitised build the child checks itself, so a launch that leaks fails.
TEST(Launches, ALaunchThatLeaksFailsInASanitisedBuild) {
  if (!launchesCheckLeaks()) GTEST_SKIP() << "leaks are checked in the sanitised builds only";
  const struct {
    const char* name;
    std::function<int()> body;
    int status;
  } cases[] = {
      {"kept", [] { gKept = std::malloc(64); return 0; }, 0},
      {"dropped", [] { allocateAndDrop(); return 0; }, 23},
      {"failed and dropped", [] { allocateAndDrop(); return 4; }, 4},
  };
  for (const auto& c : cases) {
    ::testing::internal::CaptureStderr();
    int status = runInChildProcess(c.body);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, c.status) << c.name;
  }
}

}  // namespace
