// Glyphs and the rating control: the rating's dots and stars become
// template images drawn in the image views' tint, which the control's
// initialiser sets to the primary text colour; the theme's explicit and
// cloud glyphs are repainted in the primary text colour.
//
//   replaceClassMethod<&hook_meta_MPUTheme_cloudGlyph, orig_meta_MPUTheme_cloudGlyph>("MPUTheme", "cloudGlyph")
#pragma once

#include "platform/uikit/UIGeometry.h"
#include "tweak/hook_slot.h"

struct NSString;
struct UIImage;

extern HookSlot<id(CGRect)> orig_MPURatingControl_initWithFrame_;
extern HookSlot<UIImage*()> orig_meta_MPURatingControl_ratingDotImage;
extern HookSlot<UIImage*()> orig_meta_MPURatingControl_ratingStarImage;
extern HookSlot<UIImage*(NSString*)> orig_meta_MPUTheme_explicitGlyphImageForSizeCategory_;
extern HookSlot<UIImage*()> orig_meta_MPUTheme_cloudGlyph;

id hook_MPURatingControl_initWithFrame_(id self, SEL _cmd, CGRect frame);
UIImage* hook_meta_MPURatingControl_ratingDotImage(id self, SEL _cmd);
UIImage* hook_meta_MPURatingControl_ratingStarImage(id self, SEL _cmd);
UIImage* hook_meta_MPUTheme_explicitGlyphImageForSizeCategory_(id self, SEL _cmd, NSString* sizeCategory);
UIImage* hook_meta_MPUTheme_cloudGlyph(id self, SEL _cmd);
