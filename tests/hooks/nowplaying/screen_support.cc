// The Now Playing screen in a launched Music host.
#include "tests/hooks/nowplaying/screen_support.h"

#include <cmath>

#include "apps/music/MusicApp.h"
#include "apps/music/SongList.h"
#include "platform/objc/class.h"
#include "tests/support/picker_images.h"
#include "tweak/color_from_hex.h"

bool gFailNowPlayingInitialisers = false;

namespace {

std::string boolValue(bool on) { return on ? "<true/>" : "<false/>"; }

// One failing initialiser: answers nil on request, otherwise the host's.
template <int Tag, class... A>
struct FailingInitialiser {
  static inline IMP next = nullptr;
  static id init(id self, SEL sel, A... args) {
    if (gFailNowPlayingInitialisers) {
      objc_release(self);
      return nil;
    }
    return objc::Sender<id(A...)>::call(next, self, sel, args...);
  }
  static void install(const char* className, const char* selector) {
    Class cls = objc_getClass(className);
    next = class_getMethodImplementation(cls, sel_registerName(selector));
    class_replaceMethod(cls, sel_registerName(selector), objc::imp<&init>(), objc::encodingOf<&init>().c_str());
  }
};

void registerHostWithFailingInitialisers() {
  registerMusicClasses();
  FailingInitialiser<0, NSString*, id>::install("MusicNowPlayingViewController", "initWithNibName:bundle:");
  FailingInitialiser<1, CGRect>::install("MPUNowPlayingTitlesView", "initWithFrame:");
  FailingInitialiser<2, NSInteger>::install("MPUNowPlayingTitlesView", "initWithStyle:");
  FailingInitialiser<3, CGRect>::install("MPTransportControls", "initWithFrame:");
}

}  // namespace

TestLaunch nowPlayingLaunch(NowPlayingSettings settings) {
  return {.preferences = plist({{"BlurArtwork", boolValue(settings.blurArtwork)},
                                {"AdaptiveNowPlaying", boolValue(settings.adaptive)},
                                {"NowPlayingHooks", boolValue(settings.nowPlayingHooks)},
                                {"ReadableText", boolValue(settings.readableText)},
                                {"PrimaryTextColour", std::string("<string>") + kThemePrimary + "</string>"},
                                {"SecondaryTextColour", std::string("<string>") + kThemeSecondary + "</string>"}}),
          .registerHostClasses = &registerHostWithFailingInitialisers};
}

NowPlayingScreen openNowPlaying() {
  NowPlayingScreen screen;
  screen.window = UIView::make<UIWindow>(UIScreen::mainScreen()->bounds());
  screen.navigation = UINavigationController::withRoot(makeSongsViewController());
  screen.window->addSubview(screen.navigation->view());
  Ref<UIViewController> nowPlaying = makeNowPlayingViewController();
  screen.controller = objc::as<MusicNowPlayingViewController>(nowPlaying.get());
  screen.navigation->pushViewController(nowPlaying, YES);
  settleWindow(screen.window);
  return screen;
}

void changeArtwork(UIImage* artwork) { MusicNowPlayingObserver::shared()->setCurrentArtworkImage(artwork); }

UIImage* testCover(bool warm) {
  return imageFromPixels(600, 600, [warm](int x, int y) {
    if (warm) return y > 420 && y < 470 ? Pixel{170, 210, 240, 255} : Pixel{120, 20, 30, 255};
    if (std::hypot(x - 380, y - 250) < 120) return Pixel{240, 200, 40, 255};
    if (y > 480 && y < 520) return Pixel{250, 250, 245, 255};
    return Pixel{20, 40, 110, 255};
  });
}

UIImageView* backImageView(MusicNowPlayingViewController* controller) {
  UIView* view = controller->view();
  for (UIView* sub : view->subviewList()) {
    if (!objc::isKind<UIImageView>(sub) || sub->subviewList().size() != 1) continue;
    if (sub->frame() == view->frame()) return objc::as<UIImageView>(sub);
  }
  return nullptr;
}

UIView* dimLayer(MusicNowPlayingViewController* controller) {
  UIImageView* back = backImageView(controller);
  return back ? back->subviewList().front() : nullptr;
}

UILabel* titleLabel(MusicNowPlayingViewController* controller) { return controller->_titlesView->_titleLabel.get(); }
UILabel* detailLabel(MusicNowPlayingViewController* controller) { return controller->_titlesView->_detailLabel.get(); }

UIColor* themePrimary() { return colorFromHexString(NSString::withUTF8(kThemePrimary)); }
UIColor* themeSecondary() { return colorFromHexString(NSString::withUTF8(kThemeSecondary)); }

bool sameColour(UIColor* colour, UIColor* expected) {
  if (!colour || !expected) return colour == expected;
  return colour->isEqual(expected);
}

std::string describe(UIColor* colour) { return colour ? UIColorHexText(colour) : "nil"; }
