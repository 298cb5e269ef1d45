// The Now Playing screen in a launched Music host, for the tests: launches
// with the two Now Playing settings and distinct theme colours, the screen
// pushed on a navigation controller in a window, artwork covers, and the
// views the extension puts on the screen, found in the host's view tree.
//
//   inLaunch(nowPlayingLaunch({.blurArtwork = true}), [] { NowPlayingScreen screen = openNowPlaying(); ... });
#pragma once

#include "apps/music/NowPlaying.h"
#include "platform/uikit/uikit.h"
#include "tests/support/launch.h"

struct NowPlayingSettings {
  bool blurArtwork = false;
  bool adaptive = false;
  bool nowPlayingHooks = true;
  bool readableText = false;
};

// Theme text colours the tests can tell from the host's and the schemes'.
inline const char* const kThemePrimary = "2040C0FF";
inline const char* const kThemeSecondary = "C04020FF";

// The launch puts in, before the extension, initialisers of the host that
// fail (release and answer nil) on request: MusicNowPlayingViewController's
// initWithNibName:bundle: and the titles view's initWithFrame: and
// initWithStyle:, MPTransportControls' initWithFrame:.
TestLaunch nowPlayingLaunch(NowPlayingSettings settings);
extern bool gFailNowPlayingInitialisers;

struct NowPlayingScreen {
  Ref<UIWindow> window;
  Ref<UINavigationController> navigation;
  MusicNowPlayingViewController* controller = nullptr;  // held by the navigation controller
};

// The Songs screen with Now Playing pushed on it, laid out and settled.
NowPlayingScreen openNowPlaying();

// Hands the observer a new artwork (nil included); nothing more runs until
// the clock is turned.
void changeArtwork(UIImage* artwork);

// A 600 × 600 cover: a dark blue ground with a yellow disc and a white band,
// or, with `warm`, a dark red ground with a pale blue band. Autoreleased.
UIImage* testCover(bool warm = false);

// The image view the extension put at the back of the controller's view (a
// full-size image view whose one subview is the dim layer), or null.
UIImageView* backImageView(MusicNowPlayingViewController* controller);
UIView* dimLayer(MusicNowPlayingViewController* controller);

UILabel* titleLabel(MusicNowPlayingViewController* controller);
UILabel* detailLabel(MusicNowPlayingViewController* controller);

UIColor* themePrimary();
UIColor* themeSecondary();

// Whether `colour` equals `expected` (nil equals nil only).
bool sameColour(UIColor* colour, UIColor* expected);
std::string describe(UIColor* colour);
