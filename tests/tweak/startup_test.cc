// Start-up through real launches: which groups each host gets, the
// app-wide blur steps, and the rows each group installs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <string>

#include "colorpicker/colorpicker.h"
#include "platform/loader/Loader.h"
#include "platform/uikit/uikit.h"
#include "tests/support/launch.h"
#include "tests/support/picker_images.h"
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

// Each host and setting: the groups installed, whether the app-wide steps
// ran (and the Music group's setter and overlay replacements with them),
// whether preferences were read, and the extension's classes and shared
// objects, which every host gets whatever the settings.
TEST(Startup, EachHostAndSettingGetsItsGroupsAndTheAppWideSteps) {
  const std::string messages = "com.apple.MobileSMS";
  using enum HookGroup;
  struct Case {
    const char* name;
    TestLaunch launch;
    std::set<HookGroup> groups;
    bool enabled, loaded;
  };
  const Case cases[] = {
      {"music", {}, {Music, NowPlaying}, true, true},
      {"music, Now Playing hooks off", {.preferences = plist({{"NowPlayingHooks", "<false/>"}})}, {Music}, true, true},
      {"messages", {.bundleIdentifier = messages}, {Messages}, true, true},
      {"messages, Now Playing hooks off",
       {.bundleIdentifier = messages, .preferences = plist({{"NowPlayingHooks", "<false/>"}})}, {Messages}, true, true},
      {"Enabled off", {.preferences = plist({{"Enabled", "<false/>"}})}, {}, false, true},
      {"no bundle identifier: preferences are never read", {.bundleIdentifier = std::nullopt}, {}, false, true},
      {"stock", {.withExtension = false}, {}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    inLaunch(c.launch, [&] {
      const bool music = c.groups.count(Music);
      EXPECT_EQ(installedGroups(), c.groups);
      EXPECT_EQ(TweakSettings.Enabled, c.enabled);
      EXPECT_EQ(UIApplication::shared()->backgroundStyle(), music ? 3 : 0);
      UIView* selected = proxySelectedBackground();
      EXPECT_EQ(selected != nullptr, music);
      AutoreleasePool pool;
      if (selected) {
        EXPECT_TRUE(selected->isKindOfClass(objc::classOf<UIBackdropView>()));
        EXPECT_EQ(selected->frame(), CGRectZero);
        for (NSInteger style : {0L, 3L}) {
          Ref<UITableViewCell> cell = adopt(objc::alloc<UITableViewCell>()->initWithStyle(style, nil));
          EXPECT_EQ(cell->selectedBackgroundView(), selected) << "cells made later share the selection backdrop";
        }
      }
      EXPECT_EQ(sharedYesNumber() != nullptr, c.loaded);
      EXPECT_TRUE(!sharedYesNumber() || sharedYesNumber()->boolValue());
      EXPECT_EQ(objc_getClass("KRColorScheme") != nullptr, c.loaded);
      EXPECT_EQ(class_getClassMethod(objc::classOf<UIColor>(), "yComponentFromColor:"_sel) != nullptr, c.loaded);
      KRColorPicker* picker = sharedColourPicker();
      EXPECT_EQ(picker != nullptr, c.loaded);
      if (picker) {
        EXPECT_TRUE(objc::isKind<KRColorPicker>(picker));
        EXPECT_EQ(picker->_context.get(), nullptr) << "no GL work at start-up";
        KRColorScheme* scheme = picker->colorSchemeFromImage(uniformImage(32, {0, 0, 0, 255}));
        EXPECT_EQ(scheme ? hexOf(scheme->secondaryTextColor()) : "nil", "#FFFFFF");
      }
      UIApplication::shared()->setBackgroundStyle(0);
      EXPECT_EQ(UIApplication::shared()->backgroundStyle(), music ? 1 : 0) << "the host's setter replaced or not";
      Ref<UIView> view = UIView::create(CGRectZero);
      EXPECT_EQ(objc::send<BOOL()>(view, "_drawsAsBackdropOverlay"_sel), music);
    });
  }
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
