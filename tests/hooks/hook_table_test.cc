// The whole table, installed in both hosts: the rows each host's report
// lists, in order, with their groups, kinds, fallbacks and encodings, are
// the table below (kept here as data, row by row, independent of tweak/),
// and each row installs but for the selectors the modelled classes lack as
// the real ones do.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "apps/messages/MessagesApp.h"
#include "apps/music/MusicApp.h"
#include "tests/support/launch.h"
#include "tweak/hook_installer.h"

namespace {

// One line a class (indented lines go on with the one above): its group,
// its name, then its rows in the order installed. "-sel" replaces an
// instance method, "+sel" a class method, "&sel=types" adds one; "!" marks
// a replacement that answers alone (no fallback to the host's), "?" a
// selector the modelled class lacks as the real one does, so not installed.
const char kTable[] = R"(
Messages SMSApplication -applicationDidBecomeActive:!
Messages CKConversationListController -loadView
Messages UILayoutContainerView -setBackgroundColor: -initWithCoder: -initWithFrame:style:? -initWithFrame:
Messages UIViewControllerWrapperView +wrapperViewForView:frame: +wrapperViewForView:wrapperFrame:viewFrame:
Messages CKConversationListCell -setBackgroundColor:
MessagesText CKConversationListCell -layoutSubviews
Music UIApplication -_setBackgroundStyle:
Music MPUVignetteBackgroundView -addSubview: -initWithFrame: -setBackgroundColor: -backgroundColor!
    &gestureRecognizer:shouldRecognizeSimultaneouslyWithGestureRecognizer:=B@:@@
Music MusicSongListTableViewCellContentView +_detailRegularTextAttributes +titleRegularTextAttributes
    +titleEmphasizedTextAttributes +subtitleRegularTextAttributes +detailEmphasizedTextAttributes
    +detailRegularTextAttributes +detailRegularGrayTextAttributes
Music MusicStandardMediaTableViewCellContentView +_titleRegularTextAttributes +_subtitleRegularTextAttributes
    +titleRegularTextAttributes +titleEmphasizedTextAttributes +subtitleRegularTextAttributes
    +subtitleEmphasizedTextAttributes
Music MusicTableSectionHeaderView -titleRegularTextAttributes -titleEmphasizedTextAttributes
Music MusicSearchTableViewCellContentView +titleRegularTextAttributes +titleEmphasizedTextAttributes
    +subtitleRegularTextAttributes +subtitleEmphasizedTextAttributes +detailRegularTextAttributes
Music UIView -_drawsAsBackdropOverlay! -_setDrawsAsBackdropOverlay:
Music UITabBarCustomizeView -setBackgroundColor: -initWithFrame: -init -initWithCoder:
Music UINavigationBar -initWithCoder: -initWithFrame:
Music UICollectionView -setBackgroundColor: -initWithCoder: -initWithFrame:style:? -initWithFrame:
Music UITableView -setBackgroundColor: -initWithCoder: -initWithFrame:style: -initWithFrame:
Music _UITableViewHeaderFooterContentView -initWithFrame: -setBackgroundColor:
Music _UITableViewHeaderFooterViewBackground -setBackgroundImage:! -setBackgroundColor:
Music MusicMoreNavigationController -init -setMoreListController: -moreListController
    -presentViewController:animated:completion:
Music UITabBar -initWithCoder: -initWithFrame:
Music UITabBarButton -_setUnselectedTintColor:forceLabelToConform: -unselectedTintColor!
    -initWithImage:selectedImage:label:withInsets:
Music _UIReplicantView -setBackgroundColor:
Music RURadioStationsCollectionViewTemplate -setTintColor:
    -_textAttributesByReplacingForegroundColorInTextAttributes:withColor:
Music MPUTextDrawing -_setImage:
Music _UISearchBarSearchFieldBackgroundView -_fillColor:
Music MPUEmphasizedText -newAttributedStringWithTextAttributes:
    -newAttributedStringWithRegularTextAttributes:emphasizedTextAttributes:
Music RURadioViewController -initWithDataSource: -_layoutScrollViews
Music MusicActionTableViewCellContentView -drawRect:
Music MusicAlbumsDetailTableHeaderView -initWithReuseIdentifier: -layoutSubviews
Music MusicCollectionTrackTableViewCellContentView -drawRect:
Music MusicGeniusOptInViewController -viewDidLoad -layoutSubviews
Music UIAlertControllerVisualStyleActionSheet -defaultActionBackgroundColorWhenSeparate!
Music _UIModalItemAlertBackgroundView -_gradientImageForBoundsSize:withInnerColor:outerColor:
Music _UIDimmingKnockoutBackdropView -_dimmingKnockoutBackgroundColorForBackdropStyle:!
Music _UIBackdropView -initWithPrivateStyle:! -initWithStyle:! -initWithFrame:privateStyle:!
Music UIStatusBar -foregroundColor! -setForegroundColor:animationParameters:
Music MusicFlipsideAlbumDetailHeaderView -layoutSubviews
Music MPURatingControl -initWithFrame: +ratingDotImage +ratingStarImage
Music UISearchBarTextFieldLabel -setTextColor: -initWithFrame:
Music UISearchBarTextField -_placeholderColor! -setTextColor: -initWithFrame: -setAttributedPlaceholder:
Music RUStationTreeTableViewCell -setNowPlayingText:animated: -initWithStyle:reuseIdentifier:
Music RUStationTreeTableHeaderView -initWithReuseIdentifier:
Music RUHistoryTableViewCell -initWithStyle:reuseIdentifier:
Music RUEditNewStationTableViewCell -initWithStyle:reuseIdentifier:
Music RUHistoryTableHeaderView -initWithFrame:emphasizedText:detailText:
Music MPUTheme +explicitGlyphImageForSizeCategory: +cloudGlyph
Music RUHistoryViewController -viewWillAppear:
Music MusicMoreListController -tableView:cellForRowAtIndexPath:
Music MusicNowPlayingViewController -loadView -viewDidLoad &mirel_nowPlayingTitleView=@@: &mirel_backImageView=@@:
    &mirel_currentArtworkImage=@@: &mirel_updateControlsAndArtwork=v@: &mirel_updateControls=v@:
    -_didUpdateArtworkImage
Music MusicArtistsViewController -viewDidLayoutSubviews
Music MusicAlbumsViewController -viewDidLayoutSubviews
NowPlaying MPUNowPlayingTitlesView -initWithFrame: -initWithStyle:
NowPlaying MPButton -setTintColor: -setSelected: -setTitleColor:forState: -setTitleColor:forStates:
NowPlaying MPDetailSlider -currentThumbImage
NowPlaying MPPlaybackControlsView &mirel_updateColours=v@:
NowPlaying MPUNowPlayingPlaybackControlsView &mirel_TransportControls=@@:
NowPlaying MusicNowPlayingViewController -_updateItemRelatedStateForChangeToItem:animated: -initWithNibName:bundle:
    -_updateNavigationItemAnimated: -viewWillDisappear:
NowPlaying MPUStandardTransportButton -setTintColor: -tintColor!
NowPlaying MPTransportControls -initWithFrame: &mirel_updateColours=v@:
)";

// HookGroup's names, in its order.
const char* const kGroupNames[] = {"Messages", "MessagesText", "Music", "NowPlaying"};

// The table's rows of the groups, one "group class row" line each.
std::string expectedRows(std::initializer_list<const char*> groups) {
  std::istringstream lines(kTable);
  std::string line, group, className, token, text;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    if (!line.empty() && line[0] != ' ') words >> group >> className;
    bool wanted = std::find_if(groups.begin(), groups.end(), [&](const char* g) { return group == g; }) != groups.end();
    while (words >> token)
      if (wanted) text += "\n" + group + " " + className + " " + token;
  }
  return text;
}

// What the launched host installed, in the table's notation.
std::string installedRows() {
  std::string text;
  for (const InstallRecord& record : installationReport()) {
    const HookRow& row = *record.row;
    text += "\n" + std::string(kGroupNames[int(record.group)]) + " " + row.className + " ";
    if (row.kind == HookKind::Add) {
      text += std::string("&") + row.selector + "=" + (row.types ? row.types : "");
    } else {
      text += (row.kind == HookKind::ReplaceInstance ? "-" : "+") + std::string(row.selector);
      if (!row.fallback) text += "!";
    }
    if (record.outcome != InstallOutcome::ReplacedOwnMethod && record.outcome != InstallOutcome::AddedOverInherited &&
        record.outcome != InstallOutcome::Added)
      text += "?";
  }
  return text;
}

TEST(HookTable, MusicWithNowPlayingInstallsBothOfItsGroupsRowByRow) {
  inLaunch({.preferences = plist({{"NowPlayingHooks", "<true/>"}}), .registerHostClasses = &registerMusicClasses},
           [] { EXPECT_EQ(installedRows(), expectedRows({"Music", "NowPlaying"})); });
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
               EXPECT_EQ(installedRows(),
                         readable ? expectedRows({"Messages", "MessagesText"}) : expectedRows({"Messages"}));
             });
  }
}

}  // namespace
