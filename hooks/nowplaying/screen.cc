// The Now Playing screen's extensions. Everything runs on the main thread;
// the one colour extraction per artwork change runs synchronously inside
// mirel_updateControlsAndArtwork.
#include "hooks/nowplaying/screen.h"

#include <algorithm>

#include "colorpicker/KRColorPicker.h"
#include "hooks/nowplaying/scheme.h"
#include "hooks/nowplaying/titles_backdrop.h"
#include "platform/foundation/Block.h"
#include "platform/foundation/NSArray.h"
#include "platform/foundation/NSAttributedString.h"
#include "platform/foundation/NSDictionary.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIView.h"
#include "tweak/host_fields.h"
#include "tweak/settings.h"
#include "tweak/startup.h"

HookSlot<void()> orig_MusicNowPlayingViewController_loadView;
HookSlot<void()> orig_MusicNowPlayingViewController_viewDidLoad;
HookSlot<void()> orig_MusicNowPlayingViewController__didUpdateArtworkImage;
HookSlot<void(id, BOOL)> orig_MusicNowPlayingViewController__updateItemRelatedStateForChangeToItem_animated_;
HookSlot<id(NSString*, id)> orig_MusicNowPlayingViewController_initWithNibName_bundle_;
HookSlot<void(BOOL)> orig_MusicNowPlayingViewController__updateNavigationItemAnimated_;
HookSlot<void(BOOL)> orig_MusicNowPlayingViewController_viewWillDisappear_;

namespace {

constexpr double kFadeSeconds = 0.2;

// ArtworkBackImageView and ArtworkDimView: made once, kept for the life of
// the process.
UIImageView* gBackImageView = nullptr;
UIView* gDimView = nullptr;

// The image view's alpha at rest. A fade-out sets the alpha to 0 at once,
// so an artwork change that begins while another one's fade-out is still
// running would read 0 and fade back in to nothing; while any change is
// between its start and its fade-in, the alpha read by the first of them
// stands for all.
int gChangesBeforeFadeIn = 0;
CGFloat gRestingAlpha = 0;

// The object's answer to an argument-less message, or nil when it does not
// answer it (the host lacks that piece).
id answer(id object, SEL selector) {
  if (!object || !objc::send<BOOL(SEL)>(object, "respondsToSelector:"_sel, selector)) return nil;
  return objc::send<id()>(object, selector);
}

bool answers(id object, SEL selector) {
  return object && objc::send<BOOL(SEL)>(object, "respondsToSelector:"_sel, selector);
}

UIView* viewOf(id controller) { return objc::send<UIView*()>(controller, "view"_sel); }

NSArray* navigationBarSubviews(id controller) {
  id navigation = answer(controller, "navigationController"_sel);
  id bar = answer(navigation, "navigationBar"_sel);
  return objc::as<NSArray>(answer(bar, "subviews"_sel));
}

// The part of a label's frame its text takes: as wide and tall as the text
// on one line, placed by the label's alignment and centred vertically. A
// label runs the width of the screen while its text may cover a small part
// of what lies behind.
CGRect textBox(id label, CGRect frame) {
  auto* text = objc::as<NSString>(answer(label, "text"_sel));
  id font = answer(label, "font"_sel);
  if (!text || !font) return frame;
  CGSize size = objc::send<CGSize(NSDictionary*)>(text, "sizeWithAttributes:"_sel,
                                                  NSDictionary::withObjectsAndKeys({font, NSFontAttributeName()}));
  CGFloat width = std::min(size.width, frame.size.width), height = std::min(size.height, frame.size.height);
  NSInteger alignment = objc::send<NSInteger()>(label, "textAlignment"_sel);
  CGFloat x = alignment == 1 ? (frame.size.width - width) / 2 : alignment == 2 ? frame.size.width - width : 0;
  return CGRectMake(frame.origin.x + x, frame.origin.y + (frame.size.height - height) / 2, width, height);
}

// With ReadableText: what will lie behind one of the titles' texts once the
// fade-in has run, the dim layer in the scheme's background colour at its
// resting alpha over the artwork (shown only with BlurArtwork); none where
// the label or the back image view cannot be found.
std::vector<readable::RGB> pixelsBehindLabel(id controller, KRColorScheme* scheme, UIImage* image, SEL label) {
  id titles = objc::send<id()>(controller, "mirel_nowPlayingTitleView"_sel);
  id view = answer(titles, label);
  CGRect frame;
  if (!gBackImageView || !gDimView || !frameInAncestor(objc::as<UIView>(view), viewOf(controller), &frame)) return {};
  CGRect box = answers(view, "textAlignment"_sel) ? textBox(view, frame) : frame;
  return pixelsBehindBox(TweakSettings.BlurArtwork ? image : nullptr, gBackImageView->bounds().size, box,
                         scheme->backgroundColor(), TweakSettings.BlurArtwork ? 0.5 : 1.0);
}

}  // namespace

UIView* artworkDimView() { return gDimView; }

// --- Music group ---------------------------------------------------------------------

void hook_MusicNowPlayingViewController_loadView(id self, SEL _cmd) {
  orig_MusicNowPlayingViewController_loadView(self, _cmd);
  if (!TweakSettings.AdaptiveNowPlaying && !TweakSettings.BlurArtwork) return;
  viewOf(self)->addSubview(objc::as<UIView>(objc::send<id()>(self, "mirel_backImageView"_sel)));
}

void hook_MusicNowPlayingViewController_viewDidLoad(id self, SEL _cmd) {
  orig_MusicNowPlayingViewController_viewDidLoad(self, _cmd);
}

id added_MusicNowPlayingViewController_mirel_nowPlayingTitleView(id self, SEL _cmd) {
  return valueOfHostField(self, "_titlesView");
}

id added_MusicNowPlayingViewController_mirel_backImageView(id self, SEL _cmd) {
  if (gBackImageView) return gBackImageView;
  UIView* view = viewOf(self);
  CGRect frame = view->frame();
  gDimView = UIView::create(frame).leakRef();
  gDimView->setBackgroundColor(UIColor::blackColor());
  gDimView->setAlpha(TweakSettings.BlurArtwork ? 0.5 : 1.0);
  gDimView->setAutoresizingMask(view->autoresizingMask());
  gBackImageView = UIView::make<UIImageView>(frame).leakRef();
  gBackImageView->setAutoresizingMask(gDimView->autoresizingMask());
  gBackImageView->setContentMode(UIViewContentModeScaleAspectFill);
  gBackImageView->addSubview(gDimView);
  view->addSubview(gBackImageView);
  return gBackImageView;
}

id added_MusicNowPlayingViewController_mirel_currentArtworkImage(id self, SEL _cmd) {
  static Class observerClass = objc_getClass("MusicNowPlayingObserver");
  id observer = answer(reinterpret_cast<id>(observerClass), "sharedObserver"_sel);
  return valueOfHostField(observer, "_currentArtworkImage");
}

void added_MusicNowPlayingViewController_mirel_updateControlsAndArtwork(id self, SEL _cmd) {
  Ref<UIImage> image = objc::as<UIImage>(objc::send<id()>(self, "mirel_currentArtworkImage"_sel));
  KRColorScheme* scheme = nullptr;
  if (TweakSettings.AdaptiveNowPlaying && image) scheme = sharedColourPicker()->colorSchemeFromImage(image);
  if (scheme && TweakSettings.ReadableText)
    setNowPlayingScheme(scheme, pixelsBehindLabel(self, scheme, image, "_titleLabel"_sel),
                        pixelsBehindLabel(self, scheme, image, "_detailLabel"_sel));
  else
    setNowPlayingScheme(scheme);

  Ref<UIView> back;
  CGFloat savedAlpha = 0;
  if (TweakSettings.BlurArtwork) {
    back = objc::as<UIView>(objc::send<id()>(self, "mirel_backImageView"_sel));
    if (gChangesBeforeFadeIn++ == 0) gRestingAlpha = back->alpha();
    savedAlpha = gRestingAlpha;
  }
  Ref<objc_object> controller = self;

  Ref<Block<void()>> fadeOut = Block<void()>::make([back] {
    if (back) back->setAlpha(0);
  });
  Ref<Block<void(BOOL)>> swap = Block<void(BOOL)>::make([controller, back, image, savedAlpha](BOOL) {
    if (TweakSettings.BlurArtwork) objc::as<UIImageView>(back.get())->setImage(image);
    Ref<Block<void()>> fadeIn = Block<void()>::make([controller, back, savedAlpha] {
      if (TweakSettings.BlurArtwork) {
        back->setAlpha(savedAlpha);
        --gChangesBeforeFadeIn;
      }
      if (TweakSettings.AdaptiveNowPlaying) objc::send<void()>(controller.get(), "mirel_updateControls"_sel);
    });
    UIView::animate(kFadeSeconds, fadeIn.get(), nullptr);
  });
  UIView::animate(kFadeSeconds, fadeOut.get(), swap.get());
}

void added_MusicNowPlayingViewController_mirel_updateControls(id self, SEL _cmd) {
  id controls = answer(self, "_playbackControlsView"_sel);
  bool updatePlaybackView = answers(controls, "mirel_TransportControls"_sel);
  id transport = updatePlaybackView ? objc::send<id()>(controls, "mirel_TransportControls"_sel) : nil;
  bool updateTransport = updatePlaybackView && answers(transport, "mirel_updateColours"_sel);

  KRColorScheme* scheme = nowPlayingScheme();
  objc::send<void(UIColor*)>(gDimView, "setBackgroundColor:"_sel,
                             scheme ? scheme->backgroundColor() : UIColor::clearColor());
  id titles = objc::send<id()>(self, "mirel_nowPlayingTitleView"_sel);
  objc::send<void(UIColor*)>(answer(titles, "_detailLabel"_sel), "setTextColor:"_sel, adaptiveSecondaryTextColour());
  objc::send<void(UIColor*)>(answer(titles, "_titleLabel"_sel), "setTextColor:"_sel, adaptivePrimaryTextColour());

  if (updateTransport) objc::send<void()>(transport, "mirel_updateColours"_sel);
  if (updatePlaybackView && answers(controls, "mirel_updateColours"_sel))
    objc::send<void()>(controls, "mirel_updateColours"_sel);
}

void hook_MusicNowPlayingViewController__didUpdateArtworkImage(id self, SEL _cmd) {
  orig_MusicNowPlayingViewController__didUpdateArtworkImage(self, _cmd);
  if (TweakSettings.BlurArtwork || TweakSettings.AdaptiveNowPlaying)
    objc::send<void()>(self, "mirel_updateControlsAndArtwork"_sel);
}

// --- Now Playing group --------------------------------------------------------------------

void hook_MusicNowPlayingViewController__updateItemRelatedStateForChangeToItem_animated_(id self, SEL _cmd, id item,
                                                                                         BOOL animated) {
  orig_MusicNowPlayingViewController__updateItemRelatedStateForChangeToItem_animated_(self, _cmd, item, animated);
}

id hook_MusicNowPlayingViewController_initWithNibName_bundle_(id self, SEL _cmd, NSString* nib, id bundle) {
  id controller = orig_MusicNowPlayingViewController_initWithNibName_bundle_(self, _cmd, nib, bundle);
  if (controller)
    objc::send<void(UIView*)>(answer(controller, "_effectiveNavigationItem"_sel), "setTitleView:"_sel, nullptr);
  return controller;
}

void hook_MusicNowPlayingViewController__updateNavigationItemAnimated_(id self, SEL _cmd, BOOL animated) {
  orig_MusicNowPlayingViewController__updateNavigationItemAnimated_(self, _cmd, animated);
  UIColor* colour = adaptivePrimaryTextColour();
  id titleView = answer(answer(self, "_effectiveNavigationItem"_sel), "titleView"_sel);
  if (objc::isKind<UILabel>(titleView)) objc::as<UILabel>(titleView)->setTextColor(colour);
  if (NSArray* subviews = navigationBarSubviews(self))
    for (id subview : subviews->items()) objc::send<void(UIColor*)>(subview, "setTintColor:"_sel, colour);
}

// The theme colour, not the adaptive one: the screen underneath is themed.
void hook_MusicNowPlayingViewController_viewWillDisappear_(id self, SEL _cmd, BOOL animated) {
  orig_MusicNowPlayingViewController_viewWillDisappear_(self, _cmd, animated);
  if (NSArray* subviews = navigationBarSubviews(answer(self, "parentViewController"_sel)))
    for (id subview : subviews->items())
      objc::send<void(UIColor*)>(subview, "setBackgroundColor:"_sel, ThemeColours.PrimaryTextColour.get());
}
