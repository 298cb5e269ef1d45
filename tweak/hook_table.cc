// The HookTable, group by group, in installation order.
#include "tweak/hook_table.h"

#include "tweak/app_blur_hooks.h"

using namespace hooks;

namespace {

const HookRow kMusicGroup[] = {
    replace<&hook_UIApplication__setBackgroundStyle_, orig_UIApplication__setBackgroundStyle_>(
        "UIApplication", "_setBackgroundStyle:"),
    replaceWithoutOriginal<&hook_UIView__drawsAsBackdropOverlay>("UIView", "_drawsAsBackdropOverlay"),
    replace<&hook_UIView__setDrawsAsBackdropOverlay_, orig_UIView__setDrawsAsBackdropOverlay_>(
        "UIView", "_setDrawsAsBackdropOverlay:"),
    replaceWithoutOriginal<&hook__UIBackdropView_initWithPrivateStyle_>("_UIBackdropView", "initWithPrivateStyle:"),
    replaceWithoutOriginal<&hook__UIBackdropView_initWithStyle_>("_UIBackdropView", "initWithStyle:"),
    replaceWithoutOriginal<&hook__UIBackdropView_initWithFrame_privateStyle_>("_UIBackdropView",
                                                                              "initWithFrame:privateStyle:"),
};

}  // namespace

std::span<const HookRow> hookGroup(HookGroup group) {
  switch (group) {
    case HookGroup::Messages: return {};
    case HookGroup::Music: return kMusicGroup;
    case HookGroup::NowPlaying: return {};
  }
  return {};
}

const char* hookGroupName(HookGroup group) {
  switch (group) {
    case HookGroup::Messages: return "Messages";
    case HookGroup::Music: return "Music";
    case HookGroup::NowPlaying: return "NowPlaying";
  }
  return "?";
}
