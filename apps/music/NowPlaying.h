// The Now Playing screen: MusicNowPlayingViewController with its artwork
// square, MPUNowPlayingTitlesView and the playback controls, and the shared
// MusicNowPlayingObserver through which a new artwork reaches it (as
// _didUpdateArtworkImage).
//
//   Ref<UIViewController> nowPlaying = makeNowPlayingViewController();
//   MusicNowPlayingObserver::shared()->setCurrentArtworkImage(artwork);
#pragma once

#include "apps/music/MediaPlayerControls.h"
#include "platform/uikit/uikit.h"

struct MPUNowPlayingTitlesView : UIView {
  static constexpr const char* kClassName = "MPUNowPlayingTitlesView";
  Ref<UILabel> _titleLabel;
  Ref<UILabel> _detailLabel;
  NSInteger _style = 0;
};

struct MusicNowPlayingObserver : NSObject {
  static constexpr const char* kClassName = "MusicNowPlayingObserver";
  Ref<UIImage> _currentArtworkImage;

  static MusicNowPlayingObserver* shared() {
    return objc::send<MusicNowPlayingObserver*()>(reinterpret_cast<id>(objc::classOf<MusicNowPlayingObserver>()),
                                                  "sharedObserver"_sel);
  }
  // Keeps the image and tells every Now Playing controller, as the player
  // does when the playing item's artwork has loaded.
  void setCurrentArtworkImage(UIImage* image) {
    objc::send<void(UIImage*)>(this, "setCurrentArtworkImage:"_sel, image);
  }
};

struct MusicNowPlayingViewController : UIViewController {
  static constexpr const char* kClassName = "MusicNowPlayingViewController";
  Ref<MPUNowPlayingTitlesView> _titlesView;
  Ref<MPUNowPlayingPlaybackControlsView> _playbackControlsView;
  Ref<UINavigationItem> _effectiveNavigationItem;
  Ref<UIImageView> _artworkView;
  NSUInteger _songIndex = 2;  // the library's playing song
};

// Alloc'd and initialised with initWithNibName:bundle: (nil, nil); nil when
// that answers nil.
Ref<UIViewController> makeNowPlayingViewController();

// A generated cover with one clearly dominant colour, side × side pixels
// at scale 1; the hue picks the colour (0..1). Autoreleased.
UIImage* nowPlayingCover(CGFloat hue, int side);

// The artwork the scripted session plays last (the built-in cover when
// nil); kept until replaced.
void setSessionArtwork(UIImage* image);

// The scripted session: the Now Playing screen pushed on the Songs tab's
// navigation controller with a song playing, a first artwork set through
// the observer and the clock run past every fade, then the session's
// artwork the same way, so the screen shows that it follows.
void playNowPlayingSession(UINavigationController* songs, UIWindow* window);

void registerNowPlayingClasses();
