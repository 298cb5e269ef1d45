// The More tab: MusicMoreNavigationController, the navigation controller the
// Music app gives its More tab, with MusicMoreListController, the list of
// the library views that do not fit on the tab bar.
//
//   Ref<UINavigationController> more = makeMoreNavigationController();
#pragma once

#include <vector>

#include "apps/common/Glyphs.h"
#include "platform/uikit/uikit.h"

struct MusicMoreNavigationController : UINavigationController {
  static constexpr const char* kClassName = "MusicMoreNavigationController";
  Ref<UIViewController> _moreListController;
};

// The library views the More list offers, in order.
struct MoreEntry {
  const char* title;
  const char* count;
  Glyph glyph;
};
const std::vector<MoreEntry>& moreEntries();

// [[MusicMoreNavigationController alloc] init] with its list set.
Ref<UINavigationController> makeMoreNavigationController();

void registerMoreTabClasses();
