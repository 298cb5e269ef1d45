// The Music app's window: the status bar over a tab bar controller whose
// tabs hold navigation controllers, one per library view, the last one the
// More tab's own.
#include "apps/music/MusicApp.h"

#include "apps/common/Glyphs.h"
#include "apps/music/AlbumDetail.h"
#include "apps/music/Albums.h"
#include "apps/music/Artists.h"
#include "apps/music/Genius.h"
#include "apps/music/MediaPlayerTheme.h"
#include "apps/music/MoreTab.h"
#include "apps/music/NowPlaying.h"
#include "apps/music/Radio.h"
#include "apps/music/Search.h"
#include "apps/music/SongActions.h"
#include "apps/music/SongList.h"
#include "apps/music/TextDrawingClasses.h"
#include "platform/uikit/uikit.h"

namespace {

struct TabSpec {
  const char* title;
  Glyph glyph;
};
constexpr TabSpec kTabs[] = {
    {"Playlists", Glyph::Playlists}, {"Artists", Glyph::Artists}, {"Songs", Glyph::Note},
    {"Albums", Glyph::Albums},       {"More", Glyph::More},
};
constexpr NSUInteger kPlaylistsTab = 0, kArtistsTab = 1, kSongsTab = 2, kAlbumsTab = 3, kMoreTab = 4;

Ref<UIViewController> placeholderController(const char* title) {
  Ref<UIViewController> vc = objc::make<UIViewController>();
  vc->setTitle(NSString::withUTF8(title));
  return vc;
}

Ref<UINavigationController> navigationForTab(NSUInteger index) {
  if (index == kMoreTab) return makeMoreNavigationController();
  Ref<UIViewController> content = index == kPlaylistsTab ? makePlaylistsViewController()
                                  : index == kArtistsTab ? makeArtistsViewController()
                                  : index == kSongsTab   ? makeSongsViewController()
                                  : index == kAlbumsTab  ? makeAlbumsViewController()
                                                         : placeholderController(kTabs[index].title);
  return UINavigationController::withRoot(content);
}

Ref<UITabBarItem> tabBarItem(const char* title, Glyph glyph) {
  Ref<UITabBarItem> item = objc::make<UITabBarItem>();
  objc::send<void(NSString*)>(item, "setTitle:"_sel, NSString::withUTF8(title));
  objc::send<void(UIImage*)>(item, "setImage:"_sel, glyphImage(glyph, 30));
  return item;
}

// What the user may rearrange when tapping Edit on the More tab: every tab
// but More itself, and every view the More list offers.
Ref<NSArray> customizableItems() {
  Ref<NSMutableArray> items = objc::make<NSMutableArray>();
  for (NSUInteger i = 0; i < kMoreTab; ++i) items->addObject(tabBarItem(kTabs[i].title, kTabs[i].glyph));
  for (const MoreEntry& entry : moreEntries()) items->addObject(tabBarItem(entry.title, entry.glyph));
  return items;
}

// What the user does on the selected tab's navigation controller once the
// window is up: tap a tile or a row, start a song.
using TabAction = void (*)(UINavigationController*, UIWindow*);

void openGenius(UINavigationController* nav, UIWindow*) { openGeniusFromPlaylists(nav->topViewController()); }
void openAlbum(UINavigationController* nav, UIWindow*) {
  objc::send<void(id, NSIndexPath*)>(nav->topViewController(), "collectionView:didSelectItemAtIndexPath:"_sel, nil,
                                     NSIndexPath::forRow(3, 0));
}
void openAlbumFlipside(UINavigationController* nav, UIWindow* window) {
  openAlbum(nav, window);
  showAlbumFlipside(nav->topViewController());
}
// The radio, opened from its entry in the More list, and the history the
// radio screen's History button shows.
void openRadio(UINavigationController* more, UIWindow*) { more->pushViewController(makeRadioViewController(), NO); }
void openRadioHistory(UINavigationController* more, UIWindow* window) {
  openRadio(more, window);
  showRadioHistory(more->topViewController());
}

// The window with the tab selected, as the app shows it after launch, and,
// when asked, with the tab bar's customisation sheet up or after an action
// on the tab.
Ref<UIWindow> buildWindow(NSUInteger selectedTab, bool customizing = false, TabAction action = nullptr) {
  CGRect screen = UIScreen::mainScreen()->bounds();
  Ref<UIWindow> window = UIView::make<UIWindow>(screen);
  window->setTintColor(UIColor::withRGBA(1.0, 0.18, 0.33, 1));

  Ref<UITabBarController> tabs = objc::make<UITabBarController>();
  Ref<NSMutableArray> controllers = objc::make<NSMutableArray>();
  for (NSUInteger i = 0; i < std::size(kTabs); ++i) {
    Ref<UINavigationController> nav = navigationForTab(i);
    UITabBarItem* item = objc::as<UITabBarItem>(objc::send<id()>(nav, "tabBarItem"_sel));
    objc::send<void(NSString*)>(item, "setTitle:"_sel, NSString::withUTF8(kTabs[i].title));
    objc::send<void(UIImage*)>(item, "setImage:"_sel, glyphImage(kTabs[i].glyph, 30));
    controllers->addObject(nav);
  }
  tabs->setViewControllers(controllers);
  tabs->setSelectedIndex(selectedTab);
  window->addSubview(tabs->view());
  // The window keeps its root controller alive, as rootViewController does.
  static const char kRootKey = 0;
  objc_setAssociatedObject(window, &kRootKey, tabs, OBJC_ASSOCIATION_RETAIN_NONATOMIC);

  Ref<UIStatusBar> statusBar = UIView::make<UIStatusBar>(CGRectMake(0, 0, screen.size.width, 20));
  window->addSubview(statusBar);
  // The screen's own status bar colour, set as the screen comes in.
  statusBar->setForegroundColor(UIColor::blackColor(), UIStatusBarAnimationParameters::withDuration(0.3));
  settleWindow(window);
  if (action) {
    NSArray* navs = objc::send<NSArray*()>(tabs, "viewControllers"_sel);
    action(objc::as<UINavigationController>(navs->objectAtIndex(selectedTab)), window);
    settleWindow(window);
  }
  if (customizing) {
    objc::send<void(NSArray*)>(tabs->tabBar(), "beginCustomizingItems:"_sel, customizableItems().get());
    settleWindow(window);
  }
  return window;
}

Ref<UIWindow> buildScreen(const std::string& screen) {
  if (screen == "songs") return buildWindow(kSongsTab);
  if (screen == "albums") return buildWindow(kAlbumsTab);
  if (screen == "artists") return buildWindow(kArtistsTab);
  if (screen == "album") return buildWindow(kAlbumsTab, false, &openAlbum);
  if (screen == "album-flipside") return buildWindow(kAlbumsTab, false, &openAlbumFlipside);
  if (screen == "genius") return buildWindow(kPlaylistsTab, false, &openGenius);
  if (screen == "more") return buildWindow(kMoreTab);
  if (screen == "customize") return buildWindow(kMoreTab, true);
  if (screen == "nowplaying") return buildWindow(kSongsTab, false, &playNowPlayingSession);
  if (screen == "search" || screen == "actions" || screen == "alert") {
    Ref<UIWindow> window = buildWindow(kSongsTab);
    if (screen == "search") showSongSearch(window, "the");
    if (screen == "actions") presentSongActions(window, "Blue Hour");
    if (screen == "alert") presentDeleteAlert(window, "Blue Hour");
    settleWindow(window);
    return window;
  }
  if (screen == "radio") return buildWindow(kMoreTab, false, &openRadio);
  if (screen == "radio-history") return buildWindow(kMoreTab, false, &openRadioHistory);
  return nullptr;
}

}  // namespace

void registerMusicClasses() {
  registerSongListClasses();
  registerAlbumsClasses();
  registerMoreTabClasses();
  registerNowPlayingClasses();
  registerSearchClasses();
  registerTextDrawingClasses();
  registerRadioClasses();
  registerArtistsClasses();
  registerAlbumDetailClasses();
  registerGeniusClasses();
  registerMediaPlayerThemeClasses();
}

const HostApp& musicApp() {
  static const HostApp app = [] {
    HostApp a;
    a.name = "music";
    a.host.bundleIdentifier = "com.apple.Music";
    a.host.registerClasses = &registerMusicClasses;
    a.screens = {"songs", "albums",        "more",    "customize", "nowplaying",     "search", "actions",
                 "alert", "radio",         "radio-history", "artists",   "album", "album-flipside", "genius"};
    a.buildScreen = &buildScreen;
    return a;
  }();
  return app;
}
