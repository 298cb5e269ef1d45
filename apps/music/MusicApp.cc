// The Music app's window: the status bar over a tab bar controller whose
// tabs hold navigation controllers, one per library view.
#include "apps/music/MusicApp.h"

#include "apps/common/Glyphs.h"
#include "apps/music/SongList.h"
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
constexpr NSUInteger kSongsTab = 2;

Ref<UIViewController> placeholderController(const char* title) {
  Ref<UIViewController> vc = objc::make<UIViewController>();
  vc->setTitle(NSString::withUTF8(title));
  return vc;
}

Ref<UIViewController> controllerForTab(NSUInteger index) {
  if (index == kSongsTab) return makeSongsViewController();
  return placeholderController(kTabs[index].title);
}

// The window with the tab selected, as the app shows it after launch.
Ref<UIWindow> buildWindow(NSUInteger selectedTab) {
  CGRect screen = UIScreen::mainScreen()->bounds();
  Ref<UIWindow> window = UIView::make<UIWindow>(screen);
  window->setTintColor(UIColor::withRGBA(1.0, 0.18, 0.33, 1));

  Ref<UITabBarController> tabs = objc::make<UITabBarController>();
  Ref<NSMutableArray> controllers = objc::make<NSMutableArray>();
  for (NSUInteger i = 0; i < std::size(kTabs); ++i) {
    Ref<UIViewController> content = controllerForTab(i);
    Ref<UINavigationController> nav = UINavigationController::withRoot(content);
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
  settleWindow(window);
  return window;
}

Ref<UIWindow> buildScreen(const std::string& screen) {
  if (screen == "songs") return buildWindow(kSongsTab);
  return nullptr;
}

}  // namespace

void registerMusicClasses() { registerSongListClasses(); }

const HostApp& musicApp() {
  static const HostApp app = [] {
    HostApp a;
    a.name = "music";
    a.host.bundleIdentifier = "com.apple.Music";
    a.host.registerClasses = &registerMusicClasses;
    a.screens = {"songs"};
    a.buildScreen = &buildScreen;
    return a;
  }();
  return app;
}
