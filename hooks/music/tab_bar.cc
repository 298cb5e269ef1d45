// Tab bar buttons and the More tab.
#include "hooks/music/tab_bar.h"

#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIView.h"
#include "tweak/backdrop.h"
#include "tweak/settings.h"

HookSlot<void(UIColor*, BOOL)> orig_UITabBarButton__setUnselectedTintColor_forceLabelToConform_;
HookSlot<id(UIImage*, UIImage*, NSString*, UIEdgeInsets)>
    orig_UITabBarButton_initWithImage_selectedImage_label_withInsets_;
HookSlot<id()> orig_MusicMoreNavigationController_init;
HookSlot<void(UIViewController*)> orig_MusicMoreNavigationController_setMoreListController_;
HookSlot<UIViewController*()> orig_MusicMoreNavigationController_moreListController;
HookSlot<void(UIViewController*, BOOL, Block<void()>*)>
    orig_MusicMoreNavigationController_presentViewController_animated_completion_;

// --- UITabBarButton ------------------------------------------------------------
// The unselected tint is pinned from three sides: the initialiser sets it,
// the setter swaps in the theme colour (and makes the label follow it), and
// the getter answers the theme colour whatever the button holds.

void hook_UITabBarButton__setUnselectedTintColor_forceLabelToConform_(id self, SEL _cmd, UIColor* colour,
                                                                       BOOL forceLabel) {
  orig_UITabBarButton__setUnselectedTintColor_forceLabelToConform_(self, _cmd, ThemeColours.SecondaryTintColour, YES);
}

UIColor* hook_UITabBarButton_unselectedTintColor(id self, SEL _cmd) { return ThemeColours.SecondaryTintColour; }

id hook_UITabBarButton_initWithImage_selectedImage_label_withInsets_(id self, SEL _cmd, UIImage* image,
                                                                     UIImage* selectedImage, NSString* label,
                                                                     UIEdgeInsets insets) {
  id button = orig_UITabBarButton_initWithImage_selectedImage_label_withInsets_(self, _cmd, image, selectedImage,
                                                                               label, insets);
  if (button)
    objc::send<void(UIColor*, BOOL)>(button, "_setUnselectedTintColor:forceLabelToConform:"_sel,
                                     ThemeColours.SecondaryTintColour.get(), YES);
  return button;
}

// --- MusicMoreNavigationController ---------------------------------------------------

// The view is loaded here, during the initialiser, so that the blur lies
// behind everything the More tab will ever show in it.
id hook_MusicMoreNavigationController_init(id self, SEL _cmd) {
  id controller = orig_MusicMoreNavigationController_init(self, _cmd);
  if (!controller) return nil;
  Ref<UIBackdropView> backdrop = makeStandardBackdrop(CGRectZero);
  objc::send<void(UIView*)>(objc::send<UIView*()>(controller, "view"_sel), "addSubview:"_sel, backdrop.get());
  objc::send<void(UIView*)>(objc::send<UIView*()>(controller, "view"_sel), "sendSubviewToBack:"_sel, backdrop.get());
  return controller;
}

void hook_MusicMoreNavigationController_setMoreListController_(id self, SEL _cmd, UIViewController* list) {
  orig_MusicMoreNavigationController_setMoreListController_(self, _cmd, list);
}

UIViewController* hook_MusicMoreNavigationController_moreListController(id self, SEL _cmd) {
  return orig_MusicMoreNavigationController_moreListController(self, _cmd);
}

void hook_MusicMoreNavigationController_presentViewController_animated_completion_(id self, SEL _cmd,
                                                                                   UIViewController* controller,
                                                                                   BOOL animated,
                                                                                   Block<void()>* completion) {
  orig_MusicMoreNavigationController_presentViewController_animated_completion_(self, _cmd, controller, animated,
                                                                                completion);
}
