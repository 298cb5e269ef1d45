// Playback controls colouring. The adaptive colours are read at every call,
// so whatever the host sets between two artwork changes follows the
// current scheme.
#include "hooks/nowplaying/playback_controls.h"

#include "hooks/nowplaying/scheme.h"
#include "platform/foundation/NSArray.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIView.h"
#include "tweak/host_fields.h"
#include "tweak/recolour.h"
#include "tweak/settings.h"

HookSlot<id(CGRect)> orig_MPUNowPlayingTitlesView_initWithFrame_;
HookSlot<id(NSInteger)> orig_MPUNowPlayingTitlesView_initWithStyle_;
HookSlot<void(UIColor*)> orig_MPButton_setTintColor_;
HookSlot<void(BOOL)> orig_MPButton_setSelected_;
HookSlot<void(UIColor*, NSUInteger)> orig_MPButton_setTitleColor_forState_;
HookSlot<void(UIColor*, NSUInteger)> orig_MPButton_setTitleColor_forStates_;
HookSlot<UIImage*()> orig_MPDetailSlider_currentThumbImage;
HookSlot<void(UIColor*)> orig_MPUStandardTransportButton_setTintColor_;
HookSlot<id(CGRect)> orig_MPTransportControls_initWithFrame_;

namespace {

// Host classes, looked up by name once.
Class mpButtonClass() {
  static Class cls = objc_getClass("MPButton");
  return cls;
}
Class detailSliderClass() {
  static Class cls = objc_getClass("MPDetailSlider");
  return cls;
}
Class standardTransportButtonClass() {
  static Class cls = objc_getClass("MPUStandardTransportButton");
  return cls;
}

bool isKindOf(id object, Class cls) { return cls && objc::send<BOOL(Class)>(object, "isKindOfClass:"_sel, cls); }

// The titles view starts in the theme colours, detail first.
void themeTitles(id titles) {
  objc::send<void(UIColor*)>(objc::send<id()>(titles, "_detailLabel"_sel), "setTextColor:"_sel,
                             ThemeColours.SecondaryTextColour.get());
  objc::send<void(UIColor*)>(objc::send<id()>(titles, "_titleLabel"_sel), "setTextColor:"_sel,
                             ThemeColours.PrimaryTextColour.get());
}

std::vector<id> subviewsOf(id view) { return objc::send<NSArray*()>(view, "subviews"_sel)->items(); }

}  // namespace

// --- MPUNowPlayingTitlesView --------------------------------------------------------

id hook_MPUNowPlayingTitlesView_initWithFrame_(id self, SEL _cmd, CGRect frame) {
  id titles = orig_MPUNowPlayingTitlesView_initWithFrame_(self, _cmd, frame);
  if (titles) themeTitles(titles);
  return titles;
}

id hook_MPUNowPlayingTitlesView_initWithStyle_(id self, SEL _cmd, NSInteger style) {
  id titles = orig_MPUNowPlayingTitlesView_initWithStyle_(self, _cmd, style);
  if (titles) themeTitles(titles);
  return titles;
}

// --- MPButton ----------------------------------------------------------------------------

void hook_MPButton_setTintColor_(id self, SEL _cmd, UIColor* colour) {
  orig_MPButton_setTintColor_(self, _cmd, adaptivePrimaryTextColour());
}

void hook_MPButton_setSelected_(id self, SEL _cmd, BOOL selected) {
  orig_MPButton_setSelected_(self, _cmd, selected);
  for (id subview : subviewsOf(self))
    if (objc::isKind<UIImageView>(subview))
      objc::send<void(UIColor*)>(subview, "setTintColor:"_sel, adaptivePrimaryTextColour());
}

void hook_MPButton_setTitleColor_forState_(id self, SEL _cmd, UIColor* colour, NSUInteger state) {
  orig_MPButton_setTitleColor_forState_(self, _cmd, adaptivePrimaryTextColour(), state);
}

void hook_MPButton_setTitleColor_forStates_(id self, SEL _cmd, UIColor* colour, NSUInteger states) {
  orig_MPButton_setTitleColor_forStates_(self, _cmd, adaptivePrimaryTextColour(), states);
}

// --- MPDetailSlider -------------------------------------------------------------------------

UIImage* hook_MPDetailSlider_currentThumbImage(id self, SEL _cmd) {
  UIColor* colour = adaptivePrimaryTextColour();
  return imageFilledWithColor(colour, orig_MPDetailSlider_currentThumbImage(self, _cmd));
}

// --- MPPlaybackControlsView and MPUNowPlayingPlaybackControlsView -------------------------------

void added_MPPlaybackControlsView_mirel_updateColours(id self, SEL _cmd) {
  UIColor* primary = adaptivePrimaryTextColour();
  UIColor* secondary = adaptiveSecondaryTextColour();
  for (id subview : subviewsOf(self)) {
    if (isKindOf(subview, mpButtonClass()) || objc::isKind<UIButton>(subview)) {
      objc::send<void(UIColor*)>(subview, "setTintColor:"_sel, primary);
      objc::send<void(UIColor*, NSUInteger)>(subview, "setTitleColor:forState:"_sel, primary, UIControlStateNormal);
    } else if (isKindOf(subview, detailSliderClass())) {
      recolourLabelField(subview, "_currentTimeLabel", secondary);
      recolourLabelField(subview, "_currentTimeInverseLabel", secondary);
    }
  }
}

id added_MPUNowPlayingPlaybackControlsView_mirel_TransportControls(id self, SEL _cmd) {
  return valueOfHostField(self, "_transportControls");
}

// --- MPUStandardTransportButton and MPTransportControls ---------------------------------------

void hook_MPUStandardTransportButton_setTintColor_(id self, SEL _cmd, UIColor* colour) {
  orig_MPUStandardTransportButton_setTintColor_(self, _cmd, adaptivePrimaryTextColour());
}

UIColor* hook_MPUStandardTransportButton_tintColor(id self, SEL _cmd) { return adaptivePrimaryTextColour(); }

id hook_MPTransportControls_initWithFrame_(id self, SEL _cmd, CGRect frame) {
  return orig_MPTransportControls_initWithFrame_(self, _cmd, frame);
}

void added_MPTransportControls_mirel_updateColours(id self, SEL _cmd) {
  UIColor* colour =
      TweakSettings.AdaptiveNowPlaying ? adaptivePrimaryTextColour() : ThemeColours.PrimaryTextColour.get();
  for (id subview : subviewsOf(self))
    if (isKindOf(subview, standardTransportButtonClass()))
      objc::send<void(UIColor*)>(subview, "setTintColor:"_sel, colour);
}
