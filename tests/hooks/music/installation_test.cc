// The Music group installed into the modelled Music app: every row finds its
// class and method, except the one the platform deliberately lacks.
#include <gtest/gtest.h>

#include "apps/music/MusicApp.h"
#include "tests/support/launch.h"
#include "tweak/hook_installer.h"

namespace {

TEST(MusicGroup, EveryRowIsInstalledInTheMusicAppButCollectionViewsInitWithFrameStyle) {
  inLaunch({.registerHostClasses = &registerMusicClasses}, [] {
    std::vector<std::string> skipped;
    size_t music = 0;
    for (const InstallRecord& r : installationReport()) {
      if (r.group != HookGroup::Music) continue;
      ++music;
      if (r.outcome == InstallOutcome::SkippedNoClass || r.outcome == InstallOutcome::SkippedNoMethod ||
          r.outcome == InstallOutcome::AddFailedExists)
        skipped.push_back(std::string(r.row->className) + " " + r.row->selector);
    }
    EXPECT_EQ(music, hookGroup(HookGroup::Music).size());
    EXPECT_EQ(skipped, std::vector<std::string>{"UICollectionView initWithFrame:style:"});
  });
}

}  // namespace
