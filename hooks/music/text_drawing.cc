// Text drawing and emphasised text. Each replacement calls the host's
// method exactly once. The two new-family builders hand the host's +1
// string straight back: the caller owns it, as it would without us.
#include "hooks/music/text_drawing.h"

#include "imagekit/UIImageAdditions.h"
#include "platform/foundation/NSAttributedString.h"
#include "platform/uikit/UIColor.h"
#include "tweak/recolour.h"
#include "tweak/settings.h"

HookSlot<void(UIColor*)> orig_RURadioStationsCollectionViewTemplate_setTintColor_;
HookSlot<NSDictionary*(NSDictionary*, UIColor*)>
    orig_RURadioStationsCollectionViewTemplate__textAttributesByReplacingForegroundColorInTextAttributes_withColor_;
HookSlot<void(UIImage*)> orig_MPUTextDrawing__setImage_;
HookSlot<NSAttributedString*(NSDictionary*)> orig_MPUEmphasizedText_newAttributedStringWithTextAttributes_;
HookSlot<NSAttributedString*(NSDictionary*, NSDictionary*)>
    orig_MPUEmphasizedText_newAttributedStringWithRegularTextAttributes_emphasizedTextAttributes_;

// --- RURadioStationsCollectionViewTemplate -------------------------------------------
// Whatever colour the host asks for, the template tints and names stations
// in the secondary text colour.

void hook_RURadioStationsCollectionViewTemplate_setTintColor_(id self, SEL _cmd, UIColor* colour) {
  orig_RURadioStationsCollectionViewTemplate_setTintColor_(self, _cmd, ThemeColours.SecondaryTextColour);
}

NSDictionary* hook_RURadioStationsCollectionViewTemplate__textAttributesByReplacingForegroundColorInTextAttributes_withColor_(
    id self, SEL _cmd, NSDictionary* attributes, UIColor* colour) {
  return orig_RURadioStationsCollectionViewTemplate__textAttributesByReplacingForegroundColorInTextAttributes_withColor_(
      self, _cmd, attributes, ThemeColours.SecondaryTextColour);
}

// --- MPUTextDrawing --------------------------------------------------------------------
// The first character's colour decides for the whole image; only the exact
// black UIColor hands out counts (a grey or an RGB black is another colour).

void hook_MPUTextDrawing__setImage_(id self, SEL _cmd, UIImage* image) {
  auto* text = objc::as<NSAttributedString>(objc::send<id()>(self, "attributedText"_sel));
  id first = text && text->length() > 0 ? text->attribute(NSForegroundColorAttributeName(), 0) : nil;
  if (objc::send<BOOL(id)>(first, "isEqual:"_sel, UIColor::blackColor()))
    image = add::tintedImageWithColor(image, ThemeColours.PrimaryTextColour, ADDImageTintStyleKeepingAlpha);
  orig_MPUTextDrawing__setImage_(self, _cmd, image);
}

// --- MPUEmphasizedText -------------------------------------------------------------------

NSAttributedString* hook_MPUEmphasizedText_newAttributedStringWithTextAttributes_(id self, SEL _cmd,
                                                                                  NSDictionary* attributes) {
  NSDictionary* recoloured = attributesWithForegroundColor(attributes, ThemeColours.PrimaryTextColour);
  return orig_MPUEmphasizedText_newAttributedStringWithTextAttributes_(self, _cmd, recoloured);
}

// Regular runs the host gave a colour (any colour) take the primary text
// colour, regular runs without one the secondary; emphasised runs always
// the primary.
NSAttributedString* hook_MPUEmphasizedText_newAttributedStringWithRegularTextAttributes_emphasizedTextAttributes_(
    id self, SEL _cmd, NSDictionary* regularAttributes, NSDictionary* emphasizedAttributes) {
  NSDictionary* emphasized = attributesWithForegroundColor(emphasizedAttributes, ThemeColours.PrimaryTextColour);
  Ref<NSMutableDictionary> regular =
      adopt(objc::as<NSMutableDictionary>(objc::send<id()>(regularAttributes, "mutableCopy"_sel)));
  id given = objc::send<id(id)>(regularAttributes, "objectForKey:"_sel, NSForegroundColorAttributeName());
  UIColor* colour = given ? ThemeColours.PrimaryTextColour.get() : ThemeColours.SecondaryTextColour.get();
  objc::send<void(id, id)>(regular, "setObject:forKey:"_sel, colour, NSForegroundColorAttributeName());
  return orig_MPUEmphasizedText_newAttributedStringWithRegularTextAttributes_emphasizedTextAttributes_(
      self, _cmd, regular.get(), emphasized);
}
