// Text drawing and emphasised text: the attributed strings that
// MPUEmphasizedText builds and the station names a radio stations template
// draws take the theme's text colours, and text that MPUTextDrawing has
// already rendered in black is repainted in the primary text colour.
//
//   replace<&hook_MPUTextDrawing__setImage_, orig_MPUTextDrawing__setImage_>("MPUTextDrawing", "_setImage:")
#pragma once

#include "tweak/hook_slot.h"

struct NSAttributedString;
struct NSDictionary;
struct UIColor;
struct UIImage;

extern HookSlot<void(UIColor*)> orig_RURadioStationsCollectionViewTemplate_setTintColor_;
extern HookSlot<NSDictionary*(NSDictionary*, UIColor*)>
    orig_RURadioStationsCollectionViewTemplate__textAttributesByReplacingForegroundColorInTextAttributes_withColor_;
extern HookSlot<void(UIImage*)> orig_MPUTextDrawing__setImage_;
extern HookSlot<NSAttributedString*(NSDictionary*)> orig_MPUEmphasizedText_newAttributedStringWithTextAttributes_;
extern HookSlot<NSAttributedString*(NSDictionary*, NSDictionary*)>
    orig_MPUEmphasizedText_newAttributedStringWithRegularTextAttributes_emphasizedTextAttributes_;

void hook_RURadioStationsCollectionViewTemplate_setTintColor_(id self, SEL _cmd, UIColor* colour);
NSDictionary* hook_RURadioStationsCollectionViewTemplate__textAttributesByReplacingForegroundColorInTextAttributes_withColor_(
    id self, SEL _cmd, NSDictionary* attributes, UIColor* colour);
void hook_MPUTextDrawing__setImage_(id self, SEL _cmd, UIImage* image);
NSAttributedString* hook_MPUEmphasizedText_newAttributedStringWithTextAttributes_(id self, SEL _cmd,
                                                                                  NSDictionary* attributes);
NSAttributedString* hook_MPUEmphasizedText_newAttributedStringWithRegularTextAttributes_emphasizedTextAttributes_(
    id self, SEL _cmd, NSDictionary* regularAttributes, NSDictionary* emphasizedAttributes);
