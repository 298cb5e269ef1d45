// Tab bar buttons and the More tab: a button's unselected state, image and
// label alike, is pinned to the secondary tint colour, and the More tab's
// navigation controller gets a blur behind everything in its view.
//
//   replace<&hook_UITabBarButton_unselectedTintColor>("UITabBarButton", "unselectedTintColor")
#pragma once

#include "platform/foundation/Block.h"
#include "platform/uikit/UIGeometry.h"
#include "tweak/hook_slot.h"

struct UIColor;
struct UIImage;
struct NSString;
struct UIViewController;

extern HookSlot<void(UIColor*, BOOL)> orig_UITabBarButton__setUnselectedTintColor_forceLabelToConform_;
extern HookSlot<id(UIImage*, UIImage*, NSString*, UIEdgeInsets)>
    orig_UITabBarButton_initWithImage_selectedImage_label_withInsets_;
extern HookSlot<id()> orig_MusicMoreNavigationController_init;
extern HookSlot<void(UIViewController*)> orig_MusicMoreNavigationController_setMoreListController_;
extern HookSlot<UIViewController*()> orig_MusicMoreNavigationController_moreListController;
extern HookSlot<void(UIViewController*, BOOL, Block<void()>*)>
    orig_MusicMoreNavigationController_presentViewController_animated_completion_;

void hook_UITabBarButton__setUnselectedTintColor_forceLabelToConform_(id self, SEL _cmd, UIColor* colour,
                                                                       BOOL forceLabel);
UIColor* hook_UITabBarButton_unselectedTintColor(id self, SEL _cmd);
id hook_UITabBarButton_initWithImage_selectedImage_label_withInsets_(id self, SEL _cmd, UIImage* image,
                                                                     UIImage* selectedImage, NSString* label,
                                                                     UIEdgeInsets insets);

id hook_MusicMoreNavigationController_init(id self, SEL _cmd);
void hook_MusicMoreNavigationController_setMoreListController_(id self, SEL _cmd, UIViewController* list);
UIViewController* hook_MusicMoreNavigationController_moreListController(id self, SEL _cmd);
void hook_MusicMoreNavigationController_presentViewController_animated_completion_(id self, SEL _cmd,
                                                                                   UIViewController* controller,
                                                                                   BOOL animated,
                                                                                   Block<void()>* completion);
