// The HookTable, group by group, in installation order.
#include "tweak/hook_table.h"

#include "hooks/messages/application_hooks.h"
#include "hooks/messages/container_hooks.h"
#include "hooks/messages/conversation_list_hooks.h"
#include "tweak/app_blur_hooks.h"

using namespace hooks;

namespace {

const HookRow kMessagesGroup[] = {
    replaceWithoutOriginal<&hook_SMSApplication_applicationDidBecomeActive_>("SMSApplication",
                                                                             "applicationDidBecomeActive:"),
    replace<&hook_CKConversationListController_loadView, orig_CKConversationListController_loadView>(
        "CKConversationListController", "loadView"),
    replace<&hook_UILayoutContainerView_setBackgroundColor_, orig_UILayoutContainerView_setBackgroundColor_>(
        "UILayoutContainerView", "setBackgroundColor:"),
    replace<&hook_UILayoutContainerView_initWithCoder_, orig_UILayoutContainerView_initWithCoder_>(
        "UILayoutContainerView", "initWithCoder:"),
    replace<&hook_UILayoutContainerView_initWithFrame_style_, orig_UILayoutContainerView_initWithFrame_style_>(
        "UILayoutContainerView", "initWithFrame:style:"),
    replace<&hook_UILayoutContainerView_initWithFrame_, orig_UILayoutContainerView_initWithFrame_>(
        "UILayoutContainerView", "initWithFrame:"),
    replaceClassMethod<&hook_meta_UIViewControllerWrapperView_wrapperViewForView_frame_,
                       orig_meta_UIViewControllerWrapperView_wrapperViewForView_frame_>(
        "UIViewControllerWrapperView", "wrapperViewForView:frame:"),
    replaceClassMethod<&hook_meta_UIViewControllerWrapperView_wrapperViewForView_wrapperFrame_viewFrame_,
                       orig_meta_UIViewControllerWrapperView_wrapperViewForView_wrapperFrame_viewFrame_>(
        "UIViewControllerWrapperView", "wrapperViewForView:wrapperFrame:viewFrame:"),
    replace<&hook_CKConversationListCell_setBackgroundColor_, orig_CKConversationListCell_setBackgroundColor_>(
        "CKConversationListCell", "setBackgroundColor:"),
};

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
    case HookGroup::Messages: return kMessagesGroup;
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
