// The Now Playing screen's controls in the adaptive colours: the titles
// view starts in the theme colours; MPButton, the transport buttons and the
// scrubber's thumb swap whatever colour the host gives them for the adaptive
// primary text colour; two added mirel_updateColours methods repaint the
// controls view and the transport row after a new scheme.
//
//   replace<&hook_MPButton_setTintColor_, orig_MPButton_setTintColor_>("MPButton", "setTintColor:")
#pragma once

#include "platform/coregraphics/CGGeometry.h"
#include "tweak/hook_slot.h"

struct UIColor;
struct UIImage;

extern HookSlot<id(CGRect)> orig_MPUNowPlayingTitlesView_initWithFrame_;
extern HookSlot<id(NSInteger)> orig_MPUNowPlayingTitlesView_initWithStyle_;
extern HookSlot<void(UIColor*)> orig_MPButton_setTintColor_;
extern HookSlot<void(BOOL)> orig_MPButton_setSelected_;
extern HookSlot<void(UIColor*, NSUInteger)> orig_MPButton_setTitleColor_forState_;
extern HookSlot<void(UIColor*, NSUInteger)> orig_MPButton_setTitleColor_forStates_;
extern HookSlot<UIImage*()> orig_MPDetailSlider_currentThumbImage;
extern HookSlot<void(UIColor*)> orig_MPUStandardTransportButton_setTintColor_;
extern HookSlot<id(CGRect)> orig_MPTransportControls_initWithFrame_;

id hook_MPUNowPlayingTitlesView_initWithFrame_(id self, SEL _cmd, CGRect frame);
id hook_MPUNowPlayingTitlesView_initWithStyle_(id self, SEL _cmd, NSInteger style);
void hook_MPButton_setTintColor_(id self, SEL _cmd, UIColor* colour);
void hook_MPButton_setSelected_(id self, SEL _cmd, BOOL selected);
void hook_MPButton_setTitleColor_forState_(id self, SEL _cmd, UIColor* colour, NSUInteger state);
void hook_MPButton_setTitleColor_forStates_(id self, SEL _cmd, UIColor* colour, NSUInteger states);
UIImage* hook_MPDetailSlider_currentThumbImage(id self, SEL _cmd);
void added_MPPlaybackControlsView_mirel_updateColours(id self, SEL _cmd);
id added_MPUNowPlayingPlaybackControlsView_mirel_TransportControls(id self, SEL _cmd);
void hook_MPUStandardTransportButton_setTintColor_(id self, SEL _cmd, UIColor* colour);
UIColor* hook_MPUStandardTransportButton_tintColor(id self, SEL _cmd);
id hook_MPTransportControls_initWithFrame_(id self, SEL _cmd, CGRect frame);
void added_MPTransportControls_mirel_updateColours(id self, SEL _cmd);
