// The whole table, installed in both hosts: the rows each host's report
// lists, in order, with their groups, kinds, fallbacks and encodings, are
// the table below (kept here as data, row by row, independent of tweak/),
// and each row installs but for the selectors the modelled classes lack as
// the real ones do.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "apps/messages/MessagesApp.h"
#include "apps/music/MusicApp.h"
#include "tests/support/launch.h"
#include "tweak/hook_installer.h"

namespace {

using G = HookGroup;
enum class K { Instance, Class, Add };

struct TableRow {
  G group;
  const char* className;
  K kind;
  const char* selector;
  bool callsHost;     // has a fallback: the replacement calls the saved implementation
  const char* types;  // added methods only
};

const TableRow kTable[] = {
    {G::Messages, "SMSApplication", K::Instance, "applicationDidBecomeActive:", false, nullptr},
    {G::Messages, "CKConversationListController", K::Instance, "loadView", true, nullptr},
    {G::Messages, "UILayoutContainerView", K::Instance, "setBackgroundColor:", true, nullptr},
    {G::Messages, "UILayoutContainerView", K::Instance, "initWithCoder:", true, nullptr},
    {G::Messages, "UILayoutContainerView", K::Instance, "initWithFrame:style:", true, nullptr},
    {G::Messages, "UILayoutContainerView", K::Instance, "initWithFrame:", true, nullptr},
    {G::Messages, "UIViewControllerWrapperView", K::Class, "wrapperViewForView:frame:", true, nullptr},
    {G::Messages, "UIViewControllerWrapperView", K::Class, "wrapperViewForView:wrapperFrame:viewFrame:", true, nullptr},
    {G::Messages, "CKConversationListCell", K::Instance, "setBackgroundColor:", true, nullptr},
    {G::MessagesText, "CKConversationListCell", K::Instance, "layoutSubviews", true, nullptr},
    {G::Music, "UIApplication", K::Instance, "_setBackgroundStyle:", true, nullptr},
    {G::Music, "MPUVignetteBackgroundView", K::Instance, "addSubview:", true, nullptr},
    {G::Music, "MPUVignetteBackgroundView", K::Instance, "initWithFrame:", true, nullptr},
    {G::Music, "MPUVignetteBackgroundView", K::Instance, "setBackgroundColor:", true, nullptr},
    {G::Music, "MPUVignetteBackgroundView", K::Instance, "backgroundColor", false, nullptr},
    {G::Music, "MPUVignetteBackgroundView", K::Add, "gestureRecognizer:shouldRecognizeSimultaneouslyWithGestureRecognizer:", false, "B@:@@"},
    {G::Music, "MusicSongListTableViewCellContentView", K::Class, "_detailRegularTextAttributes", true, nullptr},
    {G::Music, "MusicSongListTableViewCellContentView", K::Class, "titleRegularTextAttributes", true, nullptr},
    {G::Music, "MusicSongListTableViewCellContentView", K::Class, "titleEmphasizedTextAttributes", true, nullptr},
    {G::Music, "MusicSongListTableViewCellContentView", K::Class, "subtitleRegularTextAttributes", true, nullptr},
    {G::Music, "MusicSongListTableViewCellContentView", K::Class, "detailEmphasizedTextAttributes", true, nullptr},
    {G::Music, "MusicSongListTableViewCellContentView", K::Class, "detailRegularTextAttributes", true, nullptr},
    {G::Music, "MusicSongListTableViewCellContentView", K::Class, "detailRegularGrayTextAttributes", true, nullptr},
    {G::Music, "MusicStandardMediaTableViewCellContentView", K::Class, "_titleRegularTextAttributes", true, nullptr},
    {G::Music, "MusicStandardMediaTableViewCellContentView", K::Class, "_subtitleRegularTextAttributes", true, nullptr},
    {G::Music, "MusicStandardMediaTableViewCellContentView", K::Class, "titleRegularTextAttributes", true, nullptr},
    {G::Music, "MusicStandardMediaTableViewCellContentView", K::Class, "titleEmphasizedTextAttributes", true, nullptr},
    {G::Music, "MusicStandardMediaTableViewCellContentView", K::Class, "subtitleRegularTextAttributes", true, nullptr},
    {G::Music, "MusicStandardMediaTableViewCellContentView", K::Class, "subtitleEmphasizedTextAttributes", true, nullptr},
    {G::Music, "MusicTableSectionHeaderView", K::Instance, "titleRegularTextAttributes", true, nullptr},
    {G::Music, "MusicTableSectionHeaderView", K::Instance, "titleEmphasizedTextAttributes", true, nullptr},
    {G::Music, "MusicSearchTableViewCellContentView", K::Class, "titleRegularTextAttributes", true, nullptr},
    {G::Music, "MusicSearchTableViewCellContentView", K::Class, "titleEmphasizedTextAttributes", true, nullptr},
    {G::Music, "MusicSearchTableViewCellContentView", K::Class, "subtitleRegularTextAttributes", true, nullptr},
    {G::Music, "MusicSearchTableViewCellContentView", K::Class, "subtitleEmphasizedTextAttributes", true, nullptr},
    {G::Music, "MusicSearchTableViewCellContentView", K::Class, "detailRegularTextAttributes", true, nullptr},
    {G::Music, "UIView", K::Instance, "_drawsAsBackdropOverlay", false, nullptr},
    {G::Music, "UIView", K::Instance, "_setDrawsAsBackdropOverlay:", true, nullptr},
    {G::Music, "UITabBarCustomizeView", K::Instance, "setBackgroundColor:", true, nullptr},
    {G::Music, "UITabBarCustomizeView", K::Instance, "initWithFrame:", true, nullptr},
    {G::Music, "UITabBarCustomizeView", K::Instance, "init", true, nullptr},
    {G::Music, "UITabBarCustomizeView", K::Instance, "initWithCoder:", true, nullptr},
    {G::Music, "UINavigationBar", K::Instance, "initWithCoder:", true, nullptr},
    {G::Music, "UINavigationBar", K::Instance, "initWithFrame:", true, nullptr},
    {G::Music, "UICollectionView", K::Instance, "setBackgroundColor:", true, nullptr},
    {G::Music, "UICollectionView", K::Instance, "initWithCoder:", true, nullptr},
    {G::Music, "UICollectionView", K::Instance, "initWithFrame:style:", true, nullptr},
    {G::Music, "UICollectionView", K::Instance, "initWithFrame:", true, nullptr},
    {G::Music, "UITableView", K::Instance, "setBackgroundColor:", true, nullptr},
    {G::Music, "UITableView", K::Instance, "initWithCoder:", true, nullptr},
    {G::Music, "UITableView", K::Instance, "initWithFrame:style:", true, nullptr},
    {G::Music, "UITableView", K::Instance, "initWithFrame:", true, nullptr},
    {G::Music, "_UITableViewHeaderFooterContentView", K::Instance, "initWithFrame:", true, nullptr},
    {G::Music, "_UITableViewHeaderFooterContentView", K::Instance, "setBackgroundColor:", true, nullptr},
    {G::Music, "_UITableViewHeaderFooterViewBackground", K::Instance, "setBackgroundImage:", false, nullptr},
    {G::Music, "_UITableViewHeaderFooterViewBackground", K::Instance, "setBackgroundColor:", true, nullptr},
    {G::Music, "MusicMoreNavigationController", K::Instance, "init", true, nullptr},
    {G::Music, "MusicMoreNavigationController", K::Instance, "setMoreListController:", true, nullptr},
    {G::Music, "MusicMoreNavigationController", K::Instance, "moreListController", true, nullptr},
    {G::Music, "MusicMoreNavigationController", K::Instance, "presentViewController:animated:completion:", true, nullptr},
    {G::Music, "UITabBar", K::Instance, "initWithCoder:", true, nullptr},
    {G::Music, "UITabBar", K::Instance, "initWithFrame:", true, nullptr},
    {G::Music, "UITabBarButton", K::Instance, "_setUnselectedTintColor:forceLabelToConform:", true, nullptr},
    {G::Music, "UITabBarButton", K::Instance, "unselectedTintColor", false, nullptr},
    {G::Music, "UITabBarButton", K::Instance, "initWithImage:selectedImage:label:withInsets:", true, nullptr},
    {G::Music, "_UIReplicantView", K::Instance, "setBackgroundColor:", true, nullptr},
    {G::Music, "RURadioStationsCollectionViewTemplate", K::Instance, "setTintColor:", true, nullptr},
    {G::Music, "RURadioStationsCollectionViewTemplate", K::Instance, "_textAttributesByReplacingForegroundColorInTextAttributes:withColor:", true, nullptr},
    {G::Music, "MPUTextDrawing", K::Instance, "_setImage:", true, nullptr},
    {G::Music, "_UISearchBarSearchFieldBackgroundView", K::Instance, "_fillColor:", true, nullptr},
    {G::Music, "MPUEmphasizedText", K::Instance, "newAttributedStringWithTextAttributes:", true, nullptr},
    {G::Music, "MPUEmphasizedText", K::Instance, "newAttributedStringWithRegularTextAttributes:emphasizedTextAttributes:", true, nullptr},
    {G::Music, "RURadioViewController", K::Instance, "initWithDataSource:", true, nullptr},
    {G::Music, "RURadioViewController", K::Instance, "_layoutScrollViews", true, nullptr},
    {G::Music, "MusicActionTableViewCellContentView", K::Instance, "drawRect:", true, nullptr},
    {G::Music, "MusicAlbumsDetailTableHeaderView", K::Instance, "initWithReuseIdentifier:", true, nullptr},
    {G::Music, "MusicAlbumsDetailTableHeaderView", K::Instance, "layoutSubviews", true, nullptr},
    {G::Music, "MusicCollectionTrackTableViewCellContentView", K::Instance, "drawRect:", true, nullptr},
    {G::Music, "MusicGeniusOptInViewController", K::Instance, "viewDidLoad", true, nullptr},
    {G::Music, "MusicGeniusOptInViewController", K::Instance, "layoutSubviews", true, nullptr},
    {G::Music, "UIAlertControllerVisualStyleActionSheet", K::Instance, "defaultActionBackgroundColorWhenSeparate", false, nullptr},
    {G::Music, "_UIModalItemAlertBackgroundView", K::Instance, "_gradientImageForBoundsSize:withInnerColor:outerColor:", true, nullptr},
    {G::Music, "_UIDimmingKnockoutBackdropView", K::Instance, "_dimmingKnockoutBackgroundColorForBackdropStyle:", false, nullptr},
    {G::Music, "_UIBackdropView", K::Instance, "initWithPrivateStyle:", false, nullptr},
    {G::Music, "_UIBackdropView", K::Instance, "initWithStyle:", false, nullptr},
    {G::Music, "_UIBackdropView", K::Instance, "initWithFrame:privateStyle:", false, nullptr},
    {G::Music, "UIStatusBar", K::Instance, "foregroundColor", false, nullptr},
    {G::Music, "UIStatusBar", K::Instance, "setForegroundColor:animationParameters:", true, nullptr},
    {G::Music, "MusicFlipsideAlbumDetailHeaderView", K::Instance, "layoutSubviews", true, nullptr},
    {G::Music, "MPURatingControl", K::Instance, "initWithFrame:", true, nullptr},
    {G::Music, "MPURatingControl", K::Class, "ratingDotImage", true, nullptr},
    {G::Music, "MPURatingControl", K::Class, "ratingStarImage", true, nullptr},
    {G::Music, "UISearchBarTextFieldLabel", K::Instance, "setTextColor:", true, nullptr},
    {G::Music, "UISearchBarTextFieldLabel", K::Instance, "initWithFrame:", true, nullptr},
    {G::Music, "UISearchBarTextField", K::Instance, "_placeholderColor", false, nullptr},
    {G::Music, "UISearchBarTextField", K::Instance, "setTextColor:", true, nullptr},
    {G::Music, "UISearchBarTextField", K::Instance, "initWithFrame:", true, nullptr},
    {G::Music, "UISearchBarTextField", K::Instance, "setAttributedPlaceholder:", true, nullptr},
    {G::Music, "RUStationTreeTableViewCell", K::Instance, "setNowPlayingText:animated:", true, nullptr},
    {G::Music, "RUStationTreeTableViewCell", K::Instance, "initWithStyle:reuseIdentifier:", true, nullptr},
    {G::Music, "RUStationTreeTableHeaderView", K::Instance, "initWithReuseIdentifier:", true, nullptr},
    {G::Music, "RUHistoryTableViewCell", K::Instance, "initWithStyle:reuseIdentifier:", true, nullptr},
    {G::Music, "RUEditNewStationTableViewCell", K::Instance, "initWithStyle:reuseIdentifier:", true, nullptr},
    {G::Music, "RUHistoryTableHeaderView", K::Instance, "initWithFrame:emphasizedText:detailText:", true, nullptr},
    {G::Music, "MPUTheme", K::Class, "explicitGlyphImageForSizeCategory:", true, nullptr},
    {G::Music, "MPUTheme", K::Class, "cloudGlyph", true, nullptr},
    {G::Music, "RUHistoryViewController", K::Instance, "viewWillAppear:", true, nullptr},
    {G::Music, "MusicMoreListController", K::Instance, "tableView:cellForRowAtIndexPath:", true, nullptr},
    {G::Music, "MusicNowPlayingViewController", K::Instance, "loadView", true, nullptr},
    {G::Music, "MusicNowPlayingViewController", K::Instance, "viewDidLoad", true, nullptr},
    {G::Music, "MusicNowPlayingViewController", K::Add, "mirel_nowPlayingTitleView", false, "@@:"},
    {G::Music, "MusicNowPlayingViewController", K::Add, "mirel_backImageView", false, "@@:"},
    {G::Music, "MusicNowPlayingViewController", K::Add, "mirel_currentArtworkImage", false, "@@:"},
    {G::Music, "MusicNowPlayingViewController", K::Add, "mirel_updateControlsAndArtwork", false, "v@:"},
    {G::Music, "MusicNowPlayingViewController", K::Add, "mirel_updateControls", false, "v@:"},
    {G::Music, "MusicNowPlayingViewController", K::Instance, "_didUpdateArtworkImage", true, nullptr},
    {G::Music, "MusicArtistsViewController", K::Instance, "viewDidLayoutSubviews", true, nullptr},
    {G::Music, "MusicAlbumsViewController", K::Instance, "viewDidLayoutSubviews", true, nullptr},
    {G::NowPlaying, "MPUNowPlayingTitlesView", K::Instance, "initWithFrame:", true, nullptr},
    {G::NowPlaying, "MPUNowPlayingTitlesView", K::Instance, "initWithStyle:", true, nullptr},
    {G::NowPlaying, "MPButton", K::Instance, "setTintColor:", true, nullptr},
    {G::NowPlaying, "MPButton", K::Instance, "setSelected:", true, nullptr},
    {G::NowPlaying, "MPButton", K::Instance, "setTitleColor:forState:", true, nullptr},
    {G::NowPlaying, "MPButton", K::Instance, "setTitleColor:forStates:", true, nullptr},
    {G::NowPlaying, "MPDetailSlider", K::Instance, "currentThumbImage", true, nullptr},
    {G::NowPlaying, "MPPlaybackControlsView", K::Add, "mirel_updateColours", false, "v@:"},
    {G::NowPlaying, "MPUNowPlayingPlaybackControlsView", K::Add, "mirel_TransportControls", false, "@@:"},
    {G::NowPlaying, "MusicNowPlayingViewController", K::Instance, "_updateItemRelatedStateForChangeToItem:animated:", true, nullptr},
    {G::NowPlaying, "MusicNowPlayingViewController", K::Instance, "initWithNibName:bundle:", true, nullptr},
    {G::NowPlaying, "MusicNowPlayingViewController", K::Instance, "_updateNavigationItemAnimated:", true, nullptr},
    {G::NowPlaying, "MusicNowPlayingViewController", K::Instance, "viewWillDisappear:", true, nullptr},
    {G::NowPlaying, "MPUStandardTransportButton", K::Instance, "setTintColor:", true, nullptr},
    {G::NowPlaying, "MPUStandardTransportButton", K::Instance, "tintColor", false, nullptr},
    {G::NowPlaying, "MPTransportControls", K::Instance, "initWithFrame:", true, nullptr},
    {G::NowPlaying, "MPTransportControls", K::Add, "mirel_updateColours", false, "v@:"},
};

// The rows whose classes the platform models without the selector, as the
// real classes lack it.
const char* const kAbsentSelectors[] = {
    "Music UICollectionView initWithFrame:style:",
    "Messages UILayoutContainerView initWithFrame:style:",
};

const char* groupText(G group) {
  switch (group) {
    case G::Messages: return "Messages";
    case G::MessagesText: return "MessagesText";
    case G::Music: return "Music";
    case G::NowPlaying: return "NowPlaying";
  }
  return "?";
}

std::string describe(G group, const char* cls, K kind, const char* selector, bool callsHost, const char* types) {
  std::string text = std::string(groupText(group)) + " " + cls + " " +
                     (kind == K::Instance ? "-" : kind == K::Class ? "+" : "add") + " " + selector;
  if (kind == K::Add) return text + " \"" + (types ? types : "") + "\"";
  return text + (callsHost ? " (calls the host)" : " (answers alone)");
}

std::string describe(const TableRow& row) {
  return describe(row.group, row.className, row.kind, row.selector, row.callsHost, row.types);
}

std::string describe(const InstallRecord& record) {
  const HookRow& row = *record.row;
  K kind = row.kind == HookKind::ReplaceInstance ? K::Instance : row.kind == HookKind::ReplaceClass ? K::Class : K::Add;
  return describe(record.group, row.className, kind, row.selector, row.fallback != nullptr, row.types);
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\n  " + line;
  return text;
}

// Compares what the launched host installed with the table's rows for its
// groups, as two lists of lines (a mismatch prints their diff: the rows
// missing, the rows not in the table, the rows out of order).
void expectReportMatchesTable(std::initializer_list<G> groups) {
  std::vector<std::string> expected, installed;
  for (const TableRow& row : kTable)
    if (std::find(groups.begin(), groups.end(), row.group) != groups.end()) expected.push_back(describe(row));
  for (const InstallRecord& record : installationReport()) {
    installed.push_back(describe(record));
    std::string name = std::string(groupText(record.group)) + " " + record.row->className + " " + record.row->selector;
    if (record.outcome != InstallOutcome::ReplacedOwnMethod && record.outcome != InstallOutcome::AddedOverInherited &&
        record.outcome != InstallOutcome::Added) {
      EXPECT_NE(std::find(std::begin(kAbsentSelectors), std::end(kAbsentSelectors), name), std::end(kAbsentSelectors))
          << name << " was not installed";
    }
  }
  EXPECT_EQ(joined(installed), joined(expected));
}

TEST(HookTable, MusicWithNowPlayingInstallsBothOfItsGroupsRowByRow) {
  inLaunch({.preferences = plist({{"NowPlayingHooks", "<true/>"}}), .registerHostClasses = &registerMusicClasses},
           [] { expectReportMatchesTable({G::Music, G::NowPlaying}); });
}

TEST(HookTable, MessagesInstallsItsGroupRowByRowAndTheTextGroupWithReadableText) {
  for (bool readable : {false, true}) {
    SCOPED_TRACE(readable ? "ReadableText on" : "ReadableText off");
    inLaunch({.bundleIdentifier = std::string("com.apple.MobileSMS"),
              .preferences =
                  plist({{"NowPlayingHooks", "<true/>"}, {"ReadableText", readable ? "<true/>" : "<false/>"}}),
              .principalClass = "SMSApplication",
              .registerHostClasses = &registerMessagesClasses},
             [readable] {
               if (readable)
                 expectReportMatchesTable({G::Messages, G::MessagesText});
               else
                 expectReportMatchesTable({G::Messages});
             });
  }
}

}  // namespace
