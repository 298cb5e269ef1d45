// The HookTable, group by group, in installation order: the Messages and
// Music groups here, the Now Playing group beside its replacements
// (hooks/nowplaying/group.cc).
#include "tweak/hook_table.h"

#include "hooks/messages/application_hooks.h"
#include "hooks/messages/container_hooks.h"
#include "hooks/messages/conversation_list_hooks.h"
#include "hooks/messages/conversation_text.h"
#include "hooks/music/containers.h"
#include "hooks/music/detail_screens.h"
#include "hooks/music/glyphs.h"
#include "hooks/music/list_text.h"
#include "hooks/music/radio.h"
#include "hooks/music/search_status_alerts.h"
#include "hooks/music/tab_bar.h"
#include "hooks/music/text_drawing.h"
#include "hooks/nowplaying/group.h"
#include "hooks/nowplaying/screen.h"
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

// Installed after the Messages group, only with ReadableText.
const HookRow kMessagesTextGroup[] = {
    replace<&hook_CKConversationListCell_layoutSubviews, orig_CKConversationListCell_layoutSubviews>(
        "CKConversationListCell", "layoutSubviews"),
};

const HookRow kMusicGroup[] = {
    replace<&hook_UIApplication__setBackgroundStyle_, orig_UIApplication__setBackgroundStyle_>(
        "UIApplication", "_setBackgroundStyle:"),
    replace<&hook_MPUVignetteBackgroundView_addSubview_, orig_MPUVignetteBackgroundView_addSubview_>(
        "MPUVignetteBackgroundView", "addSubview:"),
    replace<&hook_MPUVignetteBackgroundView_initWithFrame_, orig_MPUVignetteBackgroundView_initWithFrame_>(
        "MPUVignetteBackgroundView", "initWithFrame:"),
    replace<&hook_MPUVignetteBackgroundView_setBackgroundColor_, orig_MPUVignetteBackgroundView_setBackgroundColor_>(
        "MPUVignetteBackgroundView", "setBackgroundColor:"),
    replaceWithoutOriginal<&hook_MPUVignetteBackgroundView_backgroundColor>("MPUVignetteBackgroundView",
                                                                           "backgroundColor"),
    add<&added_MPUVignetteBackgroundView_gestureRecognizer_shouldRecognizeSimultaneouslyWithGestureRecognizer_>(
        "MPUVignetteBackgroundView", "gestureRecognizer:shouldRecognizeSimultaneouslyWithGestureRecognizer:", "B@:@@"),
    replaceClassMethod<&hook_meta_MusicSongListTableViewCellContentView__detailRegularTextAttributes,
                       orig_meta_MusicSongListTableViewCellContentView__detailRegularTextAttributes>(
        "MusicSongListTableViewCellContentView", "_detailRegularTextAttributes"),
    replaceClassMethod<&hook_meta_MusicSongListTableViewCellContentView_titleRegularTextAttributes,
                       orig_meta_MusicSongListTableViewCellContentView_titleRegularTextAttributes>(
        "MusicSongListTableViewCellContentView", "titleRegularTextAttributes"),
    replaceClassMethod<&hook_meta_MusicSongListTableViewCellContentView_titleEmphasizedTextAttributes,
                       orig_meta_MusicSongListTableViewCellContentView_titleEmphasizedTextAttributes>(
        "MusicSongListTableViewCellContentView", "titleEmphasizedTextAttributes"),
    replaceClassMethod<&hook_meta_MusicSongListTableViewCellContentView_subtitleRegularTextAttributes,
                       orig_meta_MusicSongListTableViewCellContentView_subtitleRegularTextAttributes>(
        "MusicSongListTableViewCellContentView", "subtitleRegularTextAttributes"),
    replaceClassMethod<&hook_meta_MusicSongListTableViewCellContentView_detailEmphasizedTextAttributes,
                       orig_meta_MusicSongListTableViewCellContentView_detailEmphasizedTextAttributes>(
        "MusicSongListTableViewCellContentView", "detailEmphasizedTextAttributes"),
    replaceClassMethod<&hook_meta_MusicSongListTableViewCellContentView_detailRegularTextAttributes,
                       orig_meta_MusicSongListTableViewCellContentView_detailRegularTextAttributes>(
        "MusicSongListTableViewCellContentView", "detailRegularTextAttributes"),
    replaceClassMethod<&hook_meta_MusicSongListTableViewCellContentView_detailRegularGrayTextAttributes,
                       orig_meta_MusicSongListTableViewCellContentView_detailRegularGrayTextAttributes>(
        "MusicSongListTableViewCellContentView", "detailRegularGrayTextAttributes"),
    replaceClassMethod<&hook_meta_MusicStandardMediaTableViewCellContentView__titleRegularTextAttributes,
                       orig_meta_MusicStandardMediaTableViewCellContentView__titleRegularTextAttributes>(
        "MusicStandardMediaTableViewCellContentView", "_titleRegularTextAttributes"),
    replaceClassMethod<&hook_meta_MusicStandardMediaTableViewCellContentView__subtitleRegularTextAttributes,
                       orig_meta_MusicStandardMediaTableViewCellContentView__subtitleRegularTextAttributes>(
        "MusicStandardMediaTableViewCellContentView", "_subtitleRegularTextAttributes"),
    replaceClassMethod<&hook_meta_MusicStandardMediaTableViewCellContentView_titleRegularTextAttributes,
                       orig_meta_MusicStandardMediaTableViewCellContentView_titleRegularTextAttributes>(
        "MusicStandardMediaTableViewCellContentView", "titleRegularTextAttributes"),
    replaceClassMethod<&hook_meta_MusicStandardMediaTableViewCellContentView_titleEmphasizedTextAttributes,
                       orig_meta_MusicStandardMediaTableViewCellContentView_titleEmphasizedTextAttributes>(
        "MusicStandardMediaTableViewCellContentView", "titleEmphasizedTextAttributes"),
    replaceClassMethod<&hook_meta_MusicStandardMediaTableViewCellContentView_subtitleRegularTextAttributes,
                       orig_meta_MusicStandardMediaTableViewCellContentView_subtitleRegularTextAttributes>(
        "MusicStandardMediaTableViewCellContentView", "subtitleRegularTextAttributes"),
    replaceClassMethod<&hook_meta_MusicStandardMediaTableViewCellContentView_subtitleEmphasizedTextAttributes,
                       orig_meta_MusicStandardMediaTableViewCellContentView_subtitleEmphasizedTextAttributes>(
        "MusicStandardMediaTableViewCellContentView", "subtitleEmphasizedTextAttributes"),
    replace<&hook_MusicTableSectionHeaderView_titleRegularTextAttributes,
            orig_MusicTableSectionHeaderView_titleRegularTextAttributes>("MusicTableSectionHeaderView",
                                                                         "titleRegularTextAttributes"),
    replace<&hook_MusicTableSectionHeaderView_titleEmphasizedTextAttributes,
            orig_MusicTableSectionHeaderView_titleEmphasizedTextAttributes>("MusicTableSectionHeaderView",
                                                                            "titleEmphasizedTextAttributes"),
    replaceClassMethod<&hook_meta_MusicSearchTableViewCellContentView_titleRegularTextAttributes,
                       orig_meta_MusicSearchTableViewCellContentView_titleRegularTextAttributes>(
        "MusicSearchTableViewCellContentView", "titleRegularTextAttributes"),
    replaceClassMethod<&hook_meta_MusicSearchTableViewCellContentView_titleEmphasizedTextAttributes,
                       orig_meta_MusicSearchTableViewCellContentView_titleEmphasizedTextAttributes>(
        "MusicSearchTableViewCellContentView", "titleEmphasizedTextAttributes"),
    replaceClassMethod<&hook_meta_MusicSearchTableViewCellContentView_subtitleRegularTextAttributes,
                       orig_meta_MusicSearchTableViewCellContentView_subtitleRegularTextAttributes>(
        "MusicSearchTableViewCellContentView", "subtitleRegularTextAttributes"),
    replaceClassMethod<&hook_meta_MusicSearchTableViewCellContentView_subtitleEmphasizedTextAttributes,
                       orig_meta_MusicSearchTableViewCellContentView_subtitleEmphasizedTextAttributes>(
        "MusicSearchTableViewCellContentView", "subtitleEmphasizedTextAttributes"),
    replaceClassMethod<&hook_meta_MusicSearchTableViewCellContentView_detailRegularTextAttributes,
                       orig_meta_MusicSearchTableViewCellContentView_detailRegularTextAttributes>(
        "MusicSearchTableViewCellContentView", "detailRegularTextAttributes"),
    replaceWithoutOriginal<&hook_UIView__drawsAsBackdropOverlay>("UIView", "_drawsAsBackdropOverlay"),
    replace<&hook_UIView__setDrawsAsBackdropOverlay_, orig_UIView__setDrawsAsBackdropOverlay_>(
        "UIView", "_setDrawsAsBackdropOverlay:"),
    replace<&hook_UITabBarCustomizeView_setBackgroundColor_, orig_UITabBarCustomizeView_setBackgroundColor_>(
        "UITabBarCustomizeView", "setBackgroundColor:"),
    replace<&hook_UITabBarCustomizeView_initWithFrame_, orig_UITabBarCustomizeView_initWithFrame_>(
        "UITabBarCustomizeView", "initWithFrame:"),
    replace<&hook_UITabBarCustomizeView_init, orig_UITabBarCustomizeView_init>("UITabBarCustomizeView", "init"),
    replace<&hook_UITabBarCustomizeView_initWithCoder_, orig_UITabBarCustomizeView_initWithCoder_>(
        "UITabBarCustomizeView", "initWithCoder:"),
    replace<&hook_UINavigationBar_initWithCoder_, orig_UINavigationBar_initWithCoder_>("UINavigationBar",
                                                                                       "initWithCoder:"),
    replace<&hook_UINavigationBar_initWithFrame_, orig_UINavigationBar_initWithFrame_>("UINavigationBar",
                                                                                       "initWithFrame:"),
    replace<&hook_UICollectionView_setBackgroundColor_, orig_UICollectionView_setBackgroundColor_>(
        "UICollectionView", "setBackgroundColor:"),
    replace<&hook_UICollectionView_initWithCoder_, orig_UICollectionView_initWithCoder_>("UICollectionView",
                                                                                         "initWithCoder:"),
    replace<&hook_UICollectionView_initWithFrame_style_, orig_UICollectionView_initWithFrame_style_>(
        "UICollectionView", "initWithFrame:style:"),
    replace<&hook_UICollectionView_initWithFrame_, orig_UICollectionView_initWithFrame_>("UICollectionView",
                                                                                         "initWithFrame:"),
    replace<&hook_UITableView_setBackgroundColor_, orig_UITableView_setBackgroundColor_>("UITableView",
                                                                                         "setBackgroundColor:"),
    replace<&hook_UITableView_initWithCoder_, orig_UITableView_initWithCoder_>("UITableView", "initWithCoder:"),
    replace<&hook_UITableView_initWithFrame_style_, orig_UITableView_initWithFrame_style_>("UITableView",
                                                                                           "initWithFrame:style:"),
    replace<&hook_UITableView_initWithFrame_, orig_UITableView_initWithFrame_>("UITableView", "initWithFrame:"),
    replace<&hook__UITableViewHeaderFooterContentView_initWithFrame_,
            orig__UITableViewHeaderFooterContentView_initWithFrame_>("_UITableViewHeaderFooterContentView",
                                                                     "initWithFrame:"),
    replace<&hook__UITableViewHeaderFooterContentView_setBackgroundColor_,
            orig__UITableViewHeaderFooterContentView_setBackgroundColor_>("_UITableViewHeaderFooterContentView",
                                                                          "setBackgroundColor:"),
    replaceWithoutOriginal<&hook__UITableViewHeaderFooterViewBackground_setBackgroundImage_>(
        "_UITableViewHeaderFooterViewBackground", "setBackgroundImage:"),
    replace<&hook__UITableViewHeaderFooterViewBackground_setBackgroundColor_,
            orig__UITableViewHeaderFooterViewBackground_setBackgroundColor_>("_UITableViewHeaderFooterViewBackground",
                                                                             "setBackgroundColor:"),
    replace<&hook_MusicMoreNavigationController_init, orig_MusicMoreNavigationController_init>(
        "MusicMoreNavigationController", "init"),
    replace<&hook_MusicMoreNavigationController_setMoreListController_,
            orig_MusicMoreNavigationController_setMoreListController_>("MusicMoreNavigationController",
                                                                       "setMoreListController:"),
    replace<&hook_MusicMoreNavigationController_moreListController,
            orig_MusicMoreNavigationController_moreListController>("MusicMoreNavigationController",
                                                                   "moreListController"),
    replace<&hook_MusicMoreNavigationController_presentViewController_animated_completion_,
            orig_MusicMoreNavigationController_presentViewController_animated_completion_>(
        "MusicMoreNavigationController", "presentViewController:animated:completion:"),
    replace<&hook_UITabBar_initWithCoder_, orig_UITabBar_initWithCoder_>("UITabBar", "initWithCoder:"),
    replace<&hook_UITabBar_initWithFrame_, orig_UITabBar_initWithFrame_>("UITabBar", "initWithFrame:"),
    replace<&hook_UITabBarButton__setUnselectedTintColor_forceLabelToConform_,
            orig_UITabBarButton__setUnselectedTintColor_forceLabelToConform_>(
        "UITabBarButton", "_setUnselectedTintColor:forceLabelToConform:"),
    replaceWithoutOriginal<&hook_UITabBarButton_unselectedTintColor>("UITabBarButton", "unselectedTintColor"),
    replace<&hook_UITabBarButton_initWithImage_selectedImage_label_withInsets_,
            orig_UITabBarButton_initWithImage_selectedImage_label_withInsets_>(
        "UITabBarButton", "initWithImage:selectedImage:label:withInsets:"),
    replace<&hook__UIReplicantView_setBackgroundColor_, orig__UIReplicantView_setBackgroundColor_>(
        "_UIReplicantView", "setBackgroundColor:"),
    replace<&hook_RURadioStationsCollectionViewTemplate_setTintColor_,
            orig_RURadioStationsCollectionViewTemplate_setTintColor_>("RURadioStationsCollectionViewTemplate",
                                                                      "setTintColor:"),
    replace<
        &hook_RURadioStationsCollectionViewTemplate__textAttributesByReplacingForegroundColorInTextAttributes_withColor_,
        orig_RURadioStationsCollectionViewTemplate__textAttributesByReplacingForegroundColorInTextAttributes_withColor_>(
        "RURadioStationsCollectionViewTemplate", "_textAttributesByReplacingForegroundColorInTextAttributes:withColor:"),
    replace<&hook_MPUTextDrawing__setImage_, orig_MPUTextDrawing__setImage_>("MPUTextDrawing", "_setImage:"),
    replace<&hook__UISearchBarSearchFieldBackgroundView__fillColor_,
            orig__UISearchBarSearchFieldBackgroundView__fillColor_>("_UISearchBarSearchFieldBackgroundView",
                                                                    "_fillColor:"),
    replace<&hook_MPUEmphasizedText_newAttributedStringWithTextAttributes_,
            orig_MPUEmphasizedText_newAttributedStringWithTextAttributes_>("MPUEmphasizedText",
                                                                           "newAttributedStringWithTextAttributes:"),
    replace<&hook_MPUEmphasizedText_newAttributedStringWithRegularTextAttributes_emphasizedTextAttributes_,
            orig_MPUEmphasizedText_newAttributedStringWithRegularTextAttributes_emphasizedTextAttributes_>(
        "MPUEmphasizedText", "newAttributedStringWithRegularTextAttributes:emphasizedTextAttributes:"),
    replace<&hook_RURadioViewController_initWithDataSource_, orig_RURadioViewController_initWithDataSource_>(
        "RURadioViewController", "initWithDataSource:"),
    replace<&hook_RURadioViewController__layoutScrollViews, orig_RURadioViewController__layoutScrollViews>(
        "RURadioViewController", "_layoutScrollViews"),
    replace<&hook_MusicActionTableViewCellContentView_drawRect_, orig_MusicActionTableViewCellContentView_drawRect_>(
        "MusicActionTableViewCellContentView", "drawRect:"),
    replace<&hook_MusicAlbumsDetailTableHeaderView_initWithReuseIdentifier_,
            orig_MusicAlbumsDetailTableHeaderView_initWithReuseIdentifier_>("MusicAlbumsDetailTableHeaderView",
                                                                            "initWithReuseIdentifier:"),
    replace<&hook_MusicAlbumsDetailTableHeaderView_layoutSubviews, orig_MusicAlbumsDetailTableHeaderView_layoutSubviews>(
        "MusicAlbumsDetailTableHeaderView", "layoutSubviews"),
    replace<&hook_MusicCollectionTrackTableViewCellContentView_drawRect_,
            orig_MusicCollectionTrackTableViewCellContentView_drawRect_>("MusicCollectionTrackTableViewCellContentView",
                                                                         "drawRect:"),
    replace<&hook_MusicGeniusOptInViewController_viewDidLoad, orig_MusicGeniusOptInViewController_viewDidLoad>(
        "MusicGeniusOptInViewController", "viewDidLoad"),
    replace<&hook_MusicGeniusOptInViewController_layoutSubviews, orig_MusicGeniusOptInViewController_layoutSubviews>(
        "MusicGeniusOptInViewController", "layoutSubviews"),
    replaceWithoutOriginal<&hook_UIAlertControllerVisualStyleActionSheet_defaultActionBackgroundColorWhenSeparate>(
        "UIAlertControllerVisualStyleActionSheet", "defaultActionBackgroundColorWhenSeparate"),
    replace<&hook__UIModalItemAlertBackgroundView__gradientImageForBoundsSize_withInnerColor_outerColor_,
            orig__UIModalItemAlertBackgroundView__gradientImageForBoundsSize_withInnerColor_outerColor_>(
        "_UIModalItemAlertBackgroundView", "_gradientImageForBoundsSize:withInnerColor:outerColor:"),
    replaceWithoutOriginal<&hook__UIDimmingKnockoutBackdropView__dimmingKnockoutBackgroundColorForBackdropStyle_>(
        "_UIDimmingKnockoutBackdropView", "_dimmingKnockoutBackgroundColorForBackdropStyle:"),
    replaceWithoutOriginal<&hook__UIBackdropView_initWithPrivateStyle_>("_UIBackdropView", "initWithPrivateStyle:"),
    replaceWithoutOriginal<&hook__UIBackdropView_initWithStyle_>("_UIBackdropView", "initWithStyle:"),
    replaceWithoutOriginal<&hook__UIBackdropView_initWithFrame_privateStyle_>("_UIBackdropView",
                                                                              "initWithFrame:privateStyle:"),
    replaceWithoutOriginal<&hook_UIStatusBar_foregroundColor>("UIStatusBar", "foregroundColor"),
    replace<&hook_UIStatusBar_setForegroundColor_animationParameters_,
            orig_UIStatusBar_setForegroundColor_animationParameters_>("UIStatusBar",
                                                                      "setForegroundColor:animationParameters:"),
    replace<&hook_MusicFlipsideAlbumDetailHeaderView_layoutSubviews,
            orig_MusicFlipsideAlbumDetailHeaderView_layoutSubviews>("MusicFlipsideAlbumDetailHeaderView",
                                                                    "layoutSubviews"),
    replace<&hook_MPURatingControl_initWithFrame_, orig_MPURatingControl_initWithFrame_>("MPURatingControl",
                                                                                         "initWithFrame:"),
    replaceClassMethod<&hook_meta_MPURatingControl_ratingDotImage, orig_meta_MPURatingControl_ratingDotImage>(
        "MPURatingControl", "ratingDotImage"),
    replaceClassMethod<&hook_meta_MPURatingControl_ratingStarImage, orig_meta_MPURatingControl_ratingStarImage>(
        "MPURatingControl", "ratingStarImage"),
    replace<&hook_UISearchBarTextFieldLabel_setTextColor_, orig_UISearchBarTextFieldLabel_setTextColor_>(
        "UISearchBarTextFieldLabel", "setTextColor:"),
    replace<&hook_UISearchBarTextFieldLabel_initWithFrame_, orig_UISearchBarTextFieldLabel_initWithFrame_>(
        "UISearchBarTextFieldLabel", "initWithFrame:"),
    replaceWithoutOriginal<&hook_UISearchBarTextField__placeholderColor>("UISearchBarTextField", "_placeholderColor"),
    replace<&hook_UISearchBarTextField_setTextColor_, orig_UISearchBarTextField_setTextColor_>("UISearchBarTextField",
                                                                                             "setTextColor:"),
    replace<&hook_UISearchBarTextField_initWithFrame_, orig_UISearchBarTextField_initWithFrame_>(
        "UISearchBarTextField", "initWithFrame:"),
    replace<&hook_UISearchBarTextField_setAttributedPlaceholder_, orig_UISearchBarTextField_setAttributedPlaceholder_>(
        "UISearchBarTextField", "setAttributedPlaceholder:"),
    replace<&hook_RUStationTreeTableViewCell_setNowPlayingText_animated_,
            orig_RUStationTreeTableViewCell_setNowPlayingText_animated_>("RUStationTreeTableViewCell",
                                                                         "setNowPlayingText:animated:"),
    replace<&hook_RUStationTreeTableViewCell_initWithStyle_reuseIdentifier_,
            orig_RUStationTreeTableViewCell_initWithStyle_reuseIdentifier_>("RUStationTreeTableViewCell",
                                                                            "initWithStyle:reuseIdentifier:"),
    replace<&hook_RUStationTreeTableHeaderView_initWithReuseIdentifier_,
            orig_RUStationTreeTableHeaderView_initWithReuseIdentifier_>("RUStationTreeTableHeaderView",
                                                                        "initWithReuseIdentifier:"),
    replace<&hook_RUHistoryTableViewCell_initWithStyle_reuseIdentifier_,
            orig_RUHistoryTableViewCell_initWithStyle_reuseIdentifier_>("RUHistoryTableViewCell",
                                                                        "initWithStyle:reuseIdentifier:"),
    replace<&hook_RUEditNewStationTableViewCell_initWithStyle_reuseIdentifier_,
            orig_RUEditNewStationTableViewCell_initWithStyle_reuseIdentifier_>("RUEditNewStationTableViewCell",
                                                                               "initWithStyle:reuseIdentifier:"),
    replace<&hook_RUHistoryTableHeaderView_initWithFrame_emphasizedText_detailText_,
            orig_RUHistoryTableHeaderView_initWithFrame_emphasizedText_detailText_>(
        "RUHistoryTableHeaderView", "initWithFrame:emphasizedText:detailText:"),
    replaceClassMethod<&hook_meta_MPUTheme_explicitGlyphImageForSizeCategory_,
                       orig_meta_MPUTheme_explicitGlyphImageForSizeCategory_>("MPUTheme",
                                                                              "explicitGlyphImageForSizeCategory:"),
    replaceClassMethod<&hook_meta_MPUTheme_cloudGlyph, orig_meta_MPUTheme_cloudGlyph>("MPUTheme", "cloudGlyph"),
    replace<&hook_RUHistoryViewController_viewWillAppear_, orig_RUHistoryViewController_viewWillAppear_>(
        "RUHistoryViewController", "viewWillAppear:"),
    replace<&hook_MusicMoreListController_tableView_cellForRowAtIndexPath_,
            orig_MusicMoreListController_tableView_cellForRowAtIndexPath_>("MusicMoreListController",
                                                                           "tableView:cellForRowAtIndexPath:"),
    replace<&hook_MusicNowPlayingViewController_loadView, orig_MusicNowPlayingViewController_loadView>(
        "MusicNowPlayingViewController", "loadView"),
    replace<&hook_MusicNowPlayingViewController_viewDidLoad, orig_MusicNowPlayingViewController_viewDidLoad>(
        "MusicNowPlayingViewController", "viewDidLoad"),
    add<&added_MusicNowPlayingViewController_mirel_nowPlayingTitleView>("MusicNowPlayingViewController",
                                                                        "mirel_nowPlayingTitleView", "@@:"),
    add<&added_MusicNowPlayingViewController_mirel_backImageView>("MusicNowPlayingViewController",
                                                                  "mirel_backImageView", "@@:"),
    add<&added_MusicNowPlayingViewController_mirel_currentArtworkImage>("MusicNowPlayingViewController",
                                                                        "mirel_currentArtworkImage", "@@:"),
    add<&added_MusicNowPlayingViewController_mirel_updateControlsAndArtwork>("MusicNowPlayingViewController",
                                                                             "mirel_updateControlsAndArtwork", "v@:"),
    add<&added_MusicNowPlayingViewController_mirel_updateControls>("MusicNowPlayingViewController",
                                                                   "mirel_updateControls", "v@:"),
    replace<&hook_MusicNowPlayingViewController__didUpdateArtworkImage,
            orig_MusicNowPlayingViewController__didUpdateArtworkImage>("MusicNowPlayingViewController",
                                                                       "_didUpdateArtworkImage"),
    replace<&hook_MusicArtistsViewController_viewDidLayoutSubviews, orig_MusicArtistsViewController_viewDidLayoutSubviews>(
        "MusicArtistsViewController", "viewDidLayoutSubviews"),
    replace<&hook_MusicAlbumsViewController_viewDidLayoutSubviews, orig_MusicAlbumsViewController_viewDidLayoutSubviews>(
        "MusicAlbumsViewController", "viewDidLayoutSubviews"),
};

}  // namespace

std::span<const HookRow> hookGroup(HookGroup group) {
  switch (group) {
    case HookGroup::Messages: return kMessagesGroup;
    case HookGroup::MessagesText: return kMessagesTextGroup;
    case HookGroup::Music: return kMusicGroup;
    case HookGroup::NowPlaying: return nowPlayingGroup();
  }
  return {};
}

const char* hookGroupName(HookGroup group) {
  switch (group) {
    case HookGroup::Messages: return "Messages";
    case HookGroup::MessagesText: return "MessagesText";
    case HookGroup::Music: return "Music";
    case HookGroup::NowPlaying: return "NowPlaying";
  }
  return "?";
}
