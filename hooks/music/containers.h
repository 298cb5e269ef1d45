// Translucent containers: the Music app's tables, collection views, table
// headers and footers, snapshot views, vignette background and tab bar
// customisation sheet are cleared; the vignette, the sheet and the tab bar
// get a blur of their own; the navigation bar's title and tint take the
// primary text colour.
//
//   replace<&hook_UITableView_setBackgroundColor_, orig_UITableView_setBackgroundColor_>("UITableView", ...)
#pragma once

#include "platform/coregraphics/CGGeometry.h"
#include "tweak/hook_slot.h"

struct UIColor;
struct UIView;
struct UIImage;

extern HookSlot<void(UIView*)> orig_MPUVignetteBackgroundView_addSubview_;
extern HookSlot<id(CGRect)> orig_MPUVignetteBackgroundView_initWithFrame_;
extern HookSlot<void(UIColor*)> orig_MPUVignetteBackgroundView_setBackgroundColor_;
extern HookSlot<void(UIColor*)> orig_UITabBarCustomizeView_setBackgroundColor_;
extern HookSlot<id(CGRect)> orig_UITabBarCustomizeView_initWithFrame_;
extern HookSlot<id()> orig_UITabBarCustomizeView_init;
extern HookSlot<id(id)> orig_UITabBarCustomizeView_initWithCoder_;
extern HookSlot<id(id)> orig_UINavigationBar_initWithCoder_;
extern HookSlot<id(CGRect)> orig_UINavigationBar_initWithFrame_;
extern HookSlot<void(UIColor*)> orig_UICollectionView_setBackgroundColor_;
extern HookSlot<id(id)> orig_UICollectionView_initWithCoder_;
extern HookSlot<id(CGRect, NSInteger)> orig_UICollectionView_initWithFrame_style_;
extern HookSlot<id(CGRect)> orig_UICollectionView_initWithFrame_;
extern HookSlot<void(UIColor*)> orig_UITableView_setBackgroundColor_;
extern HookSlot<id(id)> orig_UITableView_initWithCoder_;
extern HookSlot<id(CGRect, NSInteger)> orig_UITableView_initWithFrame_style_;
extern HookSlot<id(CGRect)> orig_UITableView_initWithFrame_;
extern HookSlot<id(CGRect)> orig__UITableViewHeaderFooterContentView_initWithFrame_;
extern HookSlot<void(UIColor*)> orig__UITableViewHeaderFooterContentView_setBackgroundColor_;
extern HookSlot<void(UIColor*)> orig__UITableViewHeaderFooterViewBackground_setBackgroundColor_;
extern HookSlot<id(id)> orig_UITabBar_initWithCoder_;
extern HookSlot<id(CGRect)> orig_UITabBar_initWithFrame_;
extern HookSlot<void(UIColor*)> orig__UIReplicantView_setBackgroundColor_;

void hook_MPUVignetteBackgroundView_addSubview_(id self, SEL _cmd, UIView* subview);
id hook_MPUVignetteBackgroundView_initWithFrame_(id self, SEL _cmd, CGRect frame);
void hook_MPUVignetteBackgroundView_setBackgroundColor_(id self, SEL _cmd, UIColor* colour);
UIColor* hook_MPUVignetteBackgroundView_backgroundColor(id self, SEL _cmd);
BOOL added_MPUVignetteBackgroundView_gestureRecognizer_shouldRecognizeSimultaneouslyWithGestureRecognizer_(
    id self, SEL _cmd, id recogniser, id other);

void hook_UITabBarCustomizeView_setBackgroundColor_(id self, SEL _cmd, UIColor* colour);
id hook_UITabBarCustomizeView_initWithFrame_(id self, SEL _cmd, CGRect frame);
id hook_UITabBarCustomizeView_init(id self, SEL _cmd);
id hook_UITabBarCustomizeView_initWithCoder_(id self, SEL _cmd, id coder);

id hook_UINavigationBar_initWithCoder_(id self, SEL _cmd, id coder);
id hook_UINavigationBar_initWithFrame_(id self, SEL _cmd, CGRect frame);

void hook_UICollectionView_setBackgroundColor_(id self, SEL _cmd, UIColor* colour);
id hook_UICollectionView_initWithCoder_(id self, SEL _cmd, id coder);
id hook_UICollectionView_initWithFrame_style_(id self, SEL _cmd, CGRect frame, NSInteger style);
id hook_UICollectionView_initWithFrame_(id self, SEL _cmd, CGRect frame);

void hook_UITableView_setBackgroundColor_(id self, SEL _cmd, UIColor* colour);
id hook_UITableView_initWithCoder_(id self, SEL _cmd, id coder);
id hook_UITableView_initWithFrame_style_(id self, SEL _cmd, CGRect frame, NSInteger style);
id hook_UITableView_initWithFrame_(id self, SEL _cmd, CGRect frame);

id hook__UITableViewHeaderFooterContentView_initWithFrame_(id self, SEL _cmd, CGRect frame);
void hook__UITableViewHeaderFooterContentView_setBackgroundColor_(id self, SEL _cmd, UIColor* colour);
void hook__UITableViewHeaderFooterViewBackground_setBackgroundImage_(id self, SEL _cmd, UIImage* image);
void hook__UITableViewHeaderFooterViewBackground_setBackgroundColor_(id self, SEL _cmd, UIColor* colour);

id hook_UITabBar_initWithCoder_(id self, SEL _cmd, id coder);
id hook_UITabBar_initWithFrame_(id self, SEL _cmd, CGRect frame);

void hook__UIReplicantView_setBackgroundColor_(id self, SEL _cmd, UIColor* colour);
