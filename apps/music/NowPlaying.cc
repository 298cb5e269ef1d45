// The Now Playing screen. The controller's view is bare when loadView
// returns; viewDidLoad puts the artwork square, the titles and the controls
// on it, so whatever lies on the view at loadView's end stays behind them.
#include "apps/music/NowPlaying.h"

#include "apps/music/Albums.h"

#include <algorithm>
#include <cmath>

#include "apps/common/HostApp.h"
#include "apps/music/Library.h"
#include "platform/coregraphics/CGContext.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/foundation.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/UIGraphics.h"

namespace {

NSString* artworkDidChangeName() { return "MusicNowPlayingObserverArtworkDidChangeNotification"_ns; }

constexpr CGFloat kArtworkTop = 72, kArtworkSide = 240, kControlsTop = 318, kTitlesTop = 352, kTitlesHeight = 44;

// --- MusicNowPlayingObserver ---------------------------------------------------------

MusicNowPlayingObserver* Observer_sharedObserver(Class, SEL) {
  static MusicNowPlayingObserver* shared = objc::as<MusicNowPlayingObserver>(
      objc::send<id()>(objc::alloc<MusicNowPlayingObserver>(), "init"_sel));  // never released
  return shared;
}

void Observer_setCurrentArtworkImage(MusicNowPlayingObserver* self, SEL, UIImage* image) {
  self->_currentArtworkImage = image;
  NSNotificationCenter::defaultCenter()->postNotificationName(artworkDidChangeName(), self);
}

// --- MPUNowPlayingTitlesView ------------------------------------------------------------
// Both initialisers build the labels themselves; neither goes through the
// other, as the framework's do not.

Ref<UILabel> titleLabel(UIFont* font, UIColor* colour) {
  Ref<UILabel> label = UIView::make<UILabel>(CGRectZero);
  label->setFont(font);
  label->setTextColor(colour);
  label->setTextAlignment(1);
  return label;
}

void buildTitles(MPUNowPlayingTitlesView* view) {
  view->_titleLabel = titleLabel(UIFont::boldSystemFont(17), UIColor::blackColor());
  view->_detailLabel = titleLabel(UIFont::systemFont(15), UIColor::withWhite(0.42, 1));
  view->addSubview(view->_titleLabel);
  view->addSubview(view->_detailLabel);
}

UIView* Titles_initWithFrame(MPUNowPlayingTitlesView* self, SEL, CGRect frame) {
  auto* view = objc::as<MPUNowPlayingTitlesView>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
  if (view) buildTitles(view);
  return view;
}

UIView* Titles_initWithStyle(MPUNowPlayingTitlesView* self, SEL, NSInteger style) {
  auto* view = objc::as<MPUNowPlayingTitlesView>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, CGRectZero));
  if (!view) return nullptr;
  view->_style = style;
  buildTitles(view);
  return view;
}

UILabel* Titles_titleLabel(MPUNowPlayingTitlesView* self, SEL) { return self->_titleLabel.get(); }
UILabel* Titles_detailLabel(MPUNowPlayingTitlesView* self, SEL) { return self->_detailLabel.get(); }

void Titles_layoutSubviews(MPUNowPlayingTitlesView* self, SEL) {
  CGRect b = self->bounds();
  self->_titleLabel->setFrame(CGRectMake(0, 0, b.size.width, 22));
  self->_detailLabel->setFrame(CGRectMake(0, 23, b.size.width, 20));
}

// --- MusicNowPlayingViewController -----------------------------------------------------------

UIViewController* NowPlaying_initWithNibName(MusicNowPlayingViewController* self, SEL, NSString* nib, id bundle) {
  auto* vc = objc::as<MusicNowPlayingViewController>(objc::sendSuper<UIViewController*(NSString*, id)>(
      self, objc::classOf<UIViewController>(), "initWithNibName:bundle:"_sel, nib, bundle));
  if (!vc) return nullptr;
  vc->_effectiveNavigationItem = objc::make<UINavigationItem>();
  Ref<UILabel> title = UIView::make<UILabel>(CGRectMake(0, 0, 200, 44));
  title->setFont(UIFont::boldSystemFont(17));
  title->setTextColor(UIColor::blackColor());
  title->setTextAlignment(1);
  vc->_effectiveNavigationItem->setTitleView(title);
  NSNotificationCenter::defaultCenter()->addObserver(vc, "_artworkDidChange:"_sel, artworkDidChangeName(), nil);
  return vc;
}

void NowPlaying_dealloc(MusicNowPlayingViewController* self, SEL) {
  NSNotificationCenter::defaultCenter()->removeObserver(self);
  objc::sendSuper<void()>(self, objc::classOf<UIViewController>(), "dealloc"_sel);
}

UINavigationItem* NowPlaying_effectiveNavigationItem(MusicNowPlayingViewController* self, SEL) {
  return self->_effectiveNavigationItem.get();
}
UIView* NowPlaying_playbackControlsView(MusicNowPlayingViewController* self, SEL) {
  return self->_playbackControlsView.get();
}

void NowPlaying_loadView(MusicNowPlayingViewController* self, SEL) {
  Ref<UIView> view = UIView::create(UIScreen::mainScreen()->bounds());
  view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  // The screen's white comes from a vignette background, the view that
  // takes the screen's swipes; here it is shown plain, without the dimming
  // layer the grids' vignettes keep.
  Ref<UIView> background = UIView::make<MPUVignetteBackgroundView>(view->bounds());
  background->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  background->setBackgroundColor(UIColor::whiteColor());
  for (UIView* layer : background->subviewList())
    if (object_getClass(layer) == objc::classOf<UIView>()) layer->setAlpha(0);
  view->addSubview(background);
  self->setView(view);
}

void NowPlaying_viewDidLoad(MusicNowPlayingViewController* self, SEL) {
  UIView* view = self->view();
  CGFloat width = view->bounds().size.width;
  self->_artworkView =
      UIView::make<UIImageView>(CGRectMake((width - kArtworkSide) / 2, kArtworkTop, kArtworkSide, kArtworkSide));
  self->_artworkView->setContentMode(UIViewContentModeScaleAspectFill);
  self->_artworkView->setBackgroundColor(UIColor::withWhite(0.9, 1));
  view->addSubview(self->_artworkView);

  self->_playbackControlsView = UIView::make<MPUNowPlayingPlaybackControlsView>(
      CGRectMake(0, kControlsTop, width, view->bounds().size.height - kControlsTop));
  view->addSubview(self->_playbackControlsView);
  self->_titlesView = UIView::make<MPUNowPlayingTitlesView>(CGRectMake(20, kTitlesTop, width - 40, kTitlesHeight));
  view->addSubview(self->_titlesView);

  objc::send<void(id, BOOL)>(self, "_updateItemRelatedStateForChangeToItem:animated:"_sel,
                             NSNumber::withInteger(static_cast<NSInteger>(self->_songIndex)), NO);
  objc::send<void(BOOL)>(self, "_updateNavigationItemAnimated:"_sel, NO);
}

// The item is the playing song's index in the library.
void NowPlaying_updateItemRelatedState(MusicNowPlayingViewController* self, SEL, id item, BOOL) {
  const std::vector<Song>& songs = librarySongs();
  NSInteger index = item ? objc::as<NSNumber>(item)->integerValue() : 0;
  const Song& song = songs[std::clamp<size_t>(static_cast<size_t>(std::max<NSInteger>(index, 0)), 0, songs.size() - 1)];
  self->_songIndex = static_cast<NSUInteger>(&song - songs.data());
  if (self->_titlesView) {
    self->_titlesView->_titleLabel->setText(NSString::withUTF8(song.title));
    self->_titlesView->_detailLabel->setText(NSString::withFormat("%s \u2014 %s", song.artist, song.album));
  }
  if (self->_playbackControlsView) {
    MPDetailSlider* slider = self->_playbackControlsView->_progressControl.get();
    slider->_value = 0.35;
    slider->_currentTimeLabel->setText("1:09"_ns);
    slider->_currentTimeInverseLabel->setText("-2:09"_ns);
    slider->setNeedsLayout();
    // The player repeats nothing and shuffles.
    self->_playbackControlsView->_repeatButton->setSelected(NO);
    self->_playbackControlsView->_shuffleButton->setSelected(YES);
  }
}

// The bar reads "N of M"; a label title view shows the same.
void NowPlaying_updateNavigationItem(MusicNowPlayingViewController* self, SEL, BOOL) {
  NSString* text =
      NSString::withFormat("%lu of %zu", static_cast<unsigned long>(self->_songIndex + 1), librarySongs().size());
  self->_effectiveNavigationItem->setTitle(text);
  UIView* titleView = self->_effectiveNavigationItem->titleView();
  if (titleView && titleView->isKindOfClass(objc::classOf<UILabel>())) objc::as<UILabel>(titleView)->setText(text);
}

void NowPlaying_viewWillDisappear(MusicNowPlayingViewController* self, SEL, BOOL animated) {
  objc::sendSuper<void(BOOL)>(self, objc::classOf<UIViewController>(), "viewWillDisappear:"_sel, animated);
}

void NowPlaying_artworkDidChange(MusicNowPlayingViewController* self, SEL, id) {
  objc::send<void()>(self, "_didUpdateArtworkImage"_sel);
}

// The new artwork is shown at once; the navigation item is refreshed for it
// on the next turn of the run loop, as the app refreshes it for every change
// of item or artwork.
void NowPlaying_didUpdateArtworkImage(MusicNowPlayingViewController* self, SEL) {
  if (!self->_artworkView) return;
  self->_artworkView->setImage(MusicNowPlayingObserver::shared()->_currentArtworkImage.get());
  Ref<MusicNowPlayingViewController> controller = self;
  RunLoop::main().schedule(0, [controller] {
    objc::send<void(BOOL)>(controller.get(), "_updateNavigationItemAnimated:"_sel, YES);
  });
}

UINavigationItem* NowPlaying_navigationItem(MusicNowPlayingViewController* self, SEL) {
  return self->_effectiveNavigationItem.get();
}

UIImage*& sessionArtwork() {
  static UIImage* artwork = nullptr;  // retained
  return artwork;
}

}  // namespace

void setSessionArtwork(UIImage* image) {
  objc_retain(image);
  objc_release(sessionArtwork());
  sessionArtwork() = image;
}

void playNowPlayingSession(UINavigationController* songs, UIWindow* window) {
  Ref<UIViewController> nowPlaying = makeNowPlayingViewController();
  if (!nowPlaying) return;
  songs->pushViewController(nowPlaying, YES);
  settleWindow(window);
  MusicNowPlayingObserver* observer = MusicNowPlayingObserver::shared();
  observer->setCurrentArtworkImage(nowPlayingCover(0.6, 600));
  settleWindow(window);
  observer->setCurrentArtworkImage(sessionArtwork() ? sessionArtwork() : nowPlayingCover(0.02, 600));
  settleWindow(window);
}

Ref<UIViewController> makeNowPlayingViewController() {
  return adopt(objc::send<UIViewController*(NSString*, id)>(objc::alloc<MusicNowPlayingViewController>(),
                                                            "initWithNibName:bundle:"_sel, nil, nil));
}

UIImage* nowPlayingCover(CGFloat hue, int side) {
  auto channel = [&](CGFloat h, CGFloat s, CGFloat v, int k) {
    CGFloat f = std::fmod(k + h * 6, 6.0);
    return v - v * s * std::max<CGFloat>(0, std::min<CGFloat>({f, 4 - f, 1}));
  };
  CGFloat n = side;
  UIGraphicsBeginImageContextWithOptions(CGSizeMake(n, n), YES, 1);
  CGContextRef c = UIGraphicsGetCurrentContext();
  CGContextSetRGBFillColor(c, channel(hue, 0.7, 0.8, 5), channel(hue, 0.7, 0.8, 3), channel(hue, 0.7, 0.8, 1), 1);
  CGContextFillRect(c, CGRectMake(0, 0, n, n));
  CGFloat accent = std::fmod(hue + 0.5, 1.0);
  CGContextSetRGBFillColor(c, channel(accent, 0.5, 0.95, 5), channel(accent, 0.5, 0.95, 3),
                           channel(accent, 0.5, 0.95, 1), 1);
  CGContextFillRect(c, CGRectMake(n * 0.12, n * 0.68, n * 0.76, n * 0.06));
  CGContextSetRGBFillColor(c, 0.96, 0.96, 0.94, 1);
  CGContextFillRect(c, CGRectMake(n * 0.12, n * 0.78, n * 0.5, n * 0.04));
  UIImage* image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

void registerNowPlayingClasses() {
  registerMediaPlayerControlClasses();
  objc::ClassBuilder<MusicNowPlayingObserver>("MusicNowPlayingObserver", objc::classOf<NSObject>())
      .ivar("_currentArtworkImage", &MusicNowPlayingObserver::_currentArtworkImage)
      .classMethod<&Observer_sharedObserver>("sharedObserver")
      .method<&Observer_setCurrentArtworkImage>("setCurrentArtworkImage:");
  objc::ClassBuilder<MPUNowPlayingTitlesView>("MPUNowPlayingTitlesView", objc::classOf<UIView>())
      .ivar("_titleLabel", &MPUNowPlayingTitlesView::_titleLabel)
      .ivar("_detailLabel", &MPUNowPlayingTitlesView::_detailLabel)
      .method<&Titles_initWithFrame>("initWithFrame:")
      .method<&Titles_initWithStyle>("initWithStyle:")
      .method<&Titles_titleLabel>("_titleLabel")
      .method<&Titles_detailLabel>("_detailLabel")
      .method<&Titles_layoutSubviews>("layoutSubviews");
  objc::ClassBuilder<MusicNowPlayingViewController>("MusicNowPlayingViewController", objc::classOf<UIViewController>())
      .ivar("_titlesView", &MusicNowPlayingViewController::_titlesView)
      .ivar("_playbackControlsView", &MusicNowPlayingViewController::_playbackControlsView)
      .ivar("_effectiveNavigationItem", &MusicNowPlayingViewController::_effectiveNavigationItem)
      .method<&NowPlaying_initWithNibName>("initWithNibName:bundle:")
      .method<&NowPlaying_dealloc>("dealloc")
      .method<&NowPlaying_effectiveNavigationItem>("_effectiveNavigationItem")
      .method<&NowPlaying_playbackControlsView>("_playbackControlsView")
      .method<&NowPlaying_navigationItem>("navigationItem")
      .method<&NowPlaying_loadView>("loadView")
      .method<&NowPlaying_viewDidLoad>("viewDidLoad")
      .method<&NowPlaying_updateItemRelatedState>("_updateItemRelatedStateForChangeToItem:animated:")
      .method<&NowPlaying_updateNavigationItem>("_updateNavigationItemAnimated:")
      .method<&NowPlaying_viewWillDisappear>("viewWillDisappear:")
      .method<&NowPlaying_artworkDidChange>("_artworkDidChange:")
      .method<&NowPlaying_didUpdateArtworkImage>("_didUpdateArtworkImage");
}
