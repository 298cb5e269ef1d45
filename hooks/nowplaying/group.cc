// The Now Playing group's rows, beside the replacements they name.
#include "hooks/nowplaying/group.h"

#include "hooks/nowplaying/playback_controls.h"
#include "hooks/nowplaying/screen.h"

using namespace hooks;

namespace {

const HookRow kNowPlayingGroup[] = {
    replace<&hook_MPUNowPlayingTitlesView_initWithFrame_, orig_MPUNowPlayingTitlesView_initWithFrame_>(
        "MPUNowPlayingTitlesView", "initWithFrame:"),
    replace<&hook_MPUNowPlayingTitlesView_initWithStyle_, orig_MPUNowPlayingTitlesView_initWithStyle_>(
        "MPUNowPlayingTitlesView", "initWithStyle:"),
    replace<&hook_MPButton_setTintColor_, orig_MPButton_setTintColor_>("MPButton", "setTintColor:"),
    replace<&hook_MPButton_setSelected_, orig_MPButton_setSelected_>("MPButton", "setSelected:"),
    replace<&hook_MPButton_setTitleColor_forState_, orig_MPButton_setTitleColor_forState_>("MPButton",
                                                                                           "setTitleColor:forState:"),
    replace<&hook_MPButton_setTitleColor_forStates_, orig_MPButton_setTitleColor_forStates_>(
        "MPButton", "setTitleColor:forStates:"),
    replace<&hook_MPDetailSlider_currentThumbImage, orig_MPDetailSlider_currentThumbImage>("MPDetailSlider",
                                                                                           "currentThumbImage"),
    add<&added_MPPlaybackControlsView_mirel_updateColours>("MPPlaybackControlsView", "mirel_updateColours", "v@:"),
    add<&added_MPUNowPlayingPlaybackControlsView_mirel_TransportControls>("MPUNowPlayingPlaybackControlsView",
                                                                          "mirel_TransportControls", "@@:"),
    replace<&hook_MusicNowPlayingViewController__updateItemRelatedStateForChangeToItem_animated_,
            orig_MusicNowPlayingViewController__updateItemRelatedStateForChangeToItem_animated_>(
        "MusicNowPlayingViewController", "_updateItemRelatedStateForChangeToItem:animated:"),
    replace<&hook_MusicNowPlayingViewController_initWithNibName_bundle_,
            orig_MusicNowPlayingViewController_initWithNibName_bundle_>("MusicNowPlayingViewController",
                                                                        "initWithNibName:bundle:"),
    replace<&hook_MusicNowPlayingViewController__updateNavigationItemAnimated_,
            orig_MusicNowPlayingViewController__updateNavigationItemAnimated_>("MusicNowPlayingViewController",
                                                                               "_updateNavigationItemAnimated:"),
    replace<&hook_MusicNowPlayingViewController_viewWillDisappear_,
            orig_MusicNowPlayingViewController_viewWillDisappear_>("MusicNowPlayingViewController",
                                                                   "viewWillDisappear:"),
    replace<&hook_MPUStandardTransportButton_setTintColor_, orig_MPUStandardTransportButton_setTintColor_>(
        "MPUStandardTransportButton", "setTintColor:"),
    replaceWithoutOriginal<&hook_MPUStandardTransportButton_tintColor>("MPUStandardTransportButton", "tintColor"),
    replace<&hook_MPTransportControls_initWithFrame_, orig_MPTransportControls_initWithFrame_>("MPTransportControls",
                                                                                               "initWithFrame:"),
    add<&added_MPTransportControls_mirel_updateColours>("MPTransportControls", "mirel_updateColours", "v@:"),
};

}  // namespace

std::span<const HookRow> nowPlayingGroup() { return kNowPlayingGroup; }
