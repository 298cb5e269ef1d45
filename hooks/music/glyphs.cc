// Glyphs and the rating control. Four process-wide caches, one per class
// method, each holding a template copy of a host image; a cached image is
// released only when a newer one takes its place.
#include "hooks/music/glyphs.h"

#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "tweak/recolour.h"
#include "tweak/settings.h"

HookSlot<id(CGRect)> orig_MPURatingControl_initWithFrame_;
HookSlot<UIImage*()> orig_meta_MPURatingControl_ratingDotImage;
HookSlot<UIImage*()> orig_meta_MPURatingControl_ratingStarImage;
HookSlot<UIImage*(NSString*)> orig_meta_MPUTheme_explicitGlyphImageForSizeCategory_;
HookSlot<UIImage*()> orig_meta_MPUTheme_cloudGlyph;

namespace {

// Process-wide and never destroyed, like the theme colours they follow.
Ref<UIImage>& dotCache = *new Ref<UIImage>;
Ref<UIImage>& starCache = *new Ref<UIImage>;
Ref<UIImage>& explicitGlyphCache = *new Ref<UIImage>;
Ref<UIImage>& cloudGlyphCache = *new Ref<UIImage>;

UIImage* templateCopy(UIImage* image) {
  return objc::send<UIImage*(NSInteger)>(image, "imageWithRenderingMode:"_sel, UIImageRenderingModeAlwaysTemplate);
}

CGSize sizeOf(UIImage* image) { return objc::send<CGSize()>(image, "size"_sel); }

bool sameSize(CGSize a, CGSize b) { return a.width == b.width && a.height == b.height; }

// The cache stays current while the host's image keeps its size; after a
// size change it is rebuilt from a second call of the host's method.
template <auto& Slot>
UIImage* cachedRatingImage(Ref<UIImage>& cache, id self, SEL _cmd) {
  if (cache && sameSize(sizeOf(Slot(self, _cmd)), sizeOf(cache))) return cache;
  cache = templateCopy(Slot(self, _cmd));
  return cache;
}

}  // namespace

// --- MPURatingControl -----------------------------------------------------------------

id hook_MPURatingControl_initWithFrame_(id self, SEL _cmd, CGRect frame) {
  id control = orig_MPURatingControl_initWithFrame_(self, _cmd, frame);
  if (!control) return nil;
  Ivar field = class_getInstanceVariable(object_getClass(control), "_imageViews");
  if (!field) return control;
  id views = object_getIvar(control, field);
  for (id view : views ? objc::as<NSArray>(views)->items() : std::vector<id>{})
    if (objc::send<BOOL(Class)>(view, "isKindOfClass:"_sel, objc_getClass("UIImageView")))
      objc::send<void(UIColor*)>(view, "setTintColor:"_sel, ThemeColours.PrimaryTextColour.get());
  return control;
}

UIImage* hook_meta_MPURatingControl_ratingDotImage(id self, SEL _cmd) {
  return cachedRatingImage<orig_meta_MPURatingControl_ratingDotImage>(dotCache, self, _cmd);
}

UIImage* hook_meta_MPURatingControl_ratingStarImage(id self, SEL _cmd) {
  return cachedRatingImage<orig_meta_MPURatingControl_ratingStarImage>(starCache, self, _cmd);
}

// --- MPUTheme ------------------------------------------------------------------------
// The first call with a glyph that is not empty hands out a template copy
// and keeps it only as a sign that the first call has happened; every
// other call repaints the host's glyph for the call's own arguments.

UIImage* hook_meta_MPUTheme_explicitGlyphImageForSizeCategory_(id self, SEL _cmd, NSString* sizeCategory) {
  if (!explicitGlyphCache &&
      !sameSize(sizeOf(orig_meta_MPUTheme_explicitGlyphImageForSizeCategory_(self, _cmd, sizeCategory)),
                sizeOf(explicitGlyphCache))) {
    explicitGlyphCache = templateCopy(orig_meta_MPUTheme_explicitGlyphImageForSizeCategory_(self, _cmd, sizeCategory));
    return explicitGlyphCache;
  }
  return imageFilledWithColor(ThemeColours.PrimaryTextColour,
                              orig_meta_MPUTheme_explicitGlyphImageForSizeCategory_(self, _cmd, sizeCategory));
}

UIImage* hook_meta_MPUTheme_cloudGlyph(id self, SEL _cmd) {
  if (!cloudGlyphCache && !sameSize(sizeOf(orig_meta_MPUTheme_cloudGlyph(self, _cmd)), sizeOf(cloudGlyphCache))) {
    cloudGlyphCache = templateCopy(orig_meta_MPUTheme_cloudGlyph(self, _cmd));
    return cloudGlyphCache;
  }
  return imageFilledWithColor(ThemeColours.PrimaryTextColour, orig_meta_MPUTheme_cloudGlyph(self, _cmd));
}
