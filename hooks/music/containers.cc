// Translucent containers. Three shapes repeat: a clear-colour setter hands
// the saved setter the clear colour whatever it was given; a clearing
// initialiser clears the new object; a backdrop initialiser gives it a blur
// of its own. An initialiser that gets nil from the saved one returns nil
// and touches nothing.
#include "hooks/music/containers.h"

#include "platform/foundation/NSAttributedString.h"
#include "platform/foundation/NSDictionary.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIView.h"
#include "tweak/backdrop.h"
#include "tweak/recolour.h"
#include "tweak/settings.h"

HookSlot<void(UIView*)> orig_MPUVignetteBackgroundView_addSubview_;
HookSlot<id(CGRect)> orig_MPUVignetteBackgroundView_initWithFrame_;
HookSlot<void(UIColor*)> orig_MPUVignetteBackgroundView_setBackgroundColor_;
HookSlot<void(UIColor*)> orig_UITabBarCustomizeView_setBackgroundColor_;
HookSlot<id(CGRect)> orig_UITabBarCustomizeView_initWithFrame_;
HookSlot<id()> orig_UITabBarCustomizeView_init;
HookSlot<id(id)> orig_UITabBarCustomizeView_initWithCoder_;
HookSlot<id(id)> orig_UINavigationBar_initWithCoder_;
HookSlot<id(CGRect)> orig_UINavigationBar_initWithFrame_;
HookSlot<void(UIColor*)> orig_UICollectionView_setBackgroundColor_;
HookSlot<id(id)> orig_UICollectionView_initWithCoder_;
HookSlot<id(CGRect, NSInteger)> orig_UICollectionView_initWithFrame_style_;
HookSlot<id(CGRect)> orig_UICollectionView_initWithFrame_;
HookSlot<void(UIColor*)> orig_UITableView_setBackgroundColor_;
HookSlot<id(id)> orig_UITableView_initWithCoder_;
HookSlot<id(CGRect, NSInteger)> orig_UITableView_initWithFrame_style_;
HookSlot<id(CGRect)> orig_UITableView_initWithFrame_;
HookSlot<id(CGRect)> orig__UITableViewHeaderFooterContentView_initWithFrame_;
HookSlot<void(UIColor*)> orig__UITableViewHeaderFooterContentView_setBackgroundColor_;
HookSlot<void(UIColor*)> orig__UITableViewHeaderFooterViewBackground_setBackgroundColor_;
HookSlot<id(id)> orig_UITabBar_initWithCoder_;
HookSlot<id(CGRect)> orig_UITabBar_initWithFrame_;
HookSlot<void(UIColor*)> orig__UIReplicantView_setBackgroundColor_;

namespace {

// Appends a standard backdrop with the frame; the view keeps it.
void appendStandardBackdrop(id view, CGRect frame) {
  Ref<UIBackdropView> backdrop = makeStandardBackdrop(frame);
  objc::send<void(UIView*)>(view, "addSubview:"_sel, backdrop.get());
}

// The tab bar draws whatever its _adaptiveBackdrop holds behind its
// buttons. Without that field the new backdrop has nowhere to go and is
// let go again.
void storeAdaptiveBackdrop(id tabBar) {
  Ref<UIBackdropView> backdrop = makeStandardBackdrop(CGRectZero);
  Ivar field = class_getInstanceVariable(object_getClass(tabBar), "_adaptiveBackdrop");
  if (field) object_setIvar(tabBar, field, backdrop.get());
}

// Title attributes are replaced whole: the only entry is the colour.
void colourNavigationBar(id bar) {
  UIColor* primary = ThemeColours.PrimaryTextColour.get();
  objc::send<void(NSDictionary*)>(bar, "setTitleTextAttributes:"_sel,
                                  NSDictionary::withObjectsAndKeys({primary, NSForegroundColorAttributeName()}));
  objc::send<void(UIColor*)>(bar, "setTintColor:"_sel, primary);
}

}  // namespace

// --- MPUVignetteBackgroundView ------------------------------------------------

// Only a view of exactly the class UIView is kept out (the host's opaque
// dimming layer); subclasses, the backdrop and nil go through.
void hook_MPUVignetteBackgroundView_addSubview_(id self, SEL _cmd, UIView* subview) {
  if (objc::send<BOOL(Class)>(subview, "isMemberOfClass:"_sel, objc_getClass("UIView"))) return;
  orig_MPUVignetteBackgroundView_addSubview_(self, _cmd, subview);
}

id hook_MPUVignetteBackgroundView_initWithFrame_(id self, SEL _cmd, CGRect frame) {
  id view = orig_MPUVignetteBackgroundView_initWithFrame_(self, _cmd, frame);
  if (!view) return nil;
  appendStandardBackdrop(view, frame);
  return view;
}

void hook_MPUVignetteBackgroundView_setBackgroundColor_(id self, SEL _cmd, UIColor* colour) {
  orig_MPUVignetteBackgroundView_setBackgroundColor_(self, _cmd, UIColor::clearColor());
}

UIColor* hook_MPUVignetteBackgroundView_backgroundColor(id self, SEL _cmd) { return UIColor::clearColor(); }

BOOL added_MPUVignetteBackgroundView_gestureRecognizer_shouldRecognizeSimultaneouslyWithGestureRecognizer_(
    id self, SEL _cmd, id recogniser, id other) {
  return YES;
}

// --- UITabBarCustomizeView -------------------------------------------------------

void hook_UITabBarCustomizeView_setBackgroundColor_(id self, SEL _cmd, UIColor* colour) {
  orig_UITabBarCustomizeView_setBackgroundColor_(self, _cmd, UIColor::clearColor());
}

id hook_UITabBarCustomizeView_initWithFrame_(id self, SEL _cmd, CGRect frame) {
  id sheet = orig_UITabBarCustomizeView_initWithFrame_(self, _cmd, frame);
  if (!sheet) return nil;
  clearBackground(sheet);
  appendStandardBackdrop(sheet, frame);
  return sheet;
}

id hook_UITabBarCustomizeView_init(id self, SEL _cmd) {
  id sheet = orig_UITabBarCustomizeView_init(self, _cmd);
  if (sheet) clearBackground(sheet);
  return sheet;
}

id hook_UITabBarCustomizeView_initWithCoder_(id self, SEL _cmd, id coder) {
  id sheet = orig_UITabBarCustomizeView_initWithCoder_(self, _cmd, coder);
  if (sheet) clearBackground(sheet);
  return sheet;
}

// --- UINavigationBar ---------------------------------------------------------------

id hook_UINavigationBar_initWithCoder_(id self, SEL _cmd, id coder) {
  id bar = orig_UINavigationBar_initWithCoder_(self, _cmd, coder);
  if (bar) colourNavigationBar(bar);
  return bar;
}

id hook_UINavigationBar_initWithFrame_(id self, SEL _cmd, CGRect frame) {
  id bar = orig_UINavigationBar_initWithFrame_(self, _cmd, frame);
  if (bar) colourNavigationBar(bar);
  return bar;
}

// --- UICollectionView --------------------------------------------------------------

void hook_UICollectionView_setBackgroundColor_(id self, SEL _cmd, UIColor* colour) {
  orig_UICollectionView_setBackgroundColor_(self, _cmd, UIColor::clearColor());
}

id hook_UICollectionView_initWithCoder_(id self, SEL _cmd, id coder) {
  id grid = orig_UICollectionView_initWithCoder_(self, _cmd, coder);
  if (grid) clearBackground(grid);
  return grid;
}

id hook_UICollectionView_initWithFrame_style_(id self, SEL _cmd, CGRect frame, NSInteger style) {
  id grid = orig_UICollectionView_initWithFrame_style_(self, _cmd, frame, style);
  if (grid) clearBackground(grid);
  return grid;
}

id hook_UICollectionView_initWithFrame_(id self, SEL _cmd, CGRect frame) {
  id grid = orig_UICollectionView_initWithFrame_(self, _cmd, frame);
  if (grid) clearBackground(grid);
  return grid;
}

// --- UITableView -------------------------------------------------------------------

void hook_UITableView_setBackgroundColor_(id self, SEL _cmd, UIColor* colour) {
  orig_UITableView_setBackgroundColor_(self, _cmd, UIColor::clearColor());
}

id hook_UITableView_initWithCoder_(id self, SEL _cmd, id coder) {
  id table = orig_UITableView_initWithCoder_(self, _cmd, coder);
  if (table) clearBackground(table);
  return table;
}

id hook_UITableView_initWithFrame_style_(id self, SEL _cmd, CGRect frame, NSInteger style) {
  id table = orig_UITableView_initWithFrame_style_(self, _cmd, frame, style);
  if (table) clearBackground(table);
  return table;
}

id hook_UITableView_initWithFrame_(id self, SEL _cmd, CGRect frame) {
  id table = orig_UITableView_initWithFrame_(self, _cmd, frame);
  if (table) clearBackground(table);
  return table;
}

// --- Table headers and footers ----------------------------------------------------

id hook__UITableViewHeaderFooterContentView_initWithFrame_(id self, SEL _cmd, CGRect frame) {
  return orig__UITableViewHeaderFooterContentView_initWithFrame_(self, _cmd, frame);
}

void hook__UITableViewHeaderFooterContentView_setBackgroundColor_(id self, SEL _cmd, UIColor* colour) {
  orig__UITableViewHeaderFooterContentView_setBackgroundColor_(self, _cmd, UIColor::clearColor());
}

// The stretched background image would hide the blur; it is never set.
void hook__UITableViewHeaderFooterViewBackground_setBackgroundImage_(id self, SEL _cmd, UIImage* image) {}

void hook__UITableViewHeaderFooterViewBackground_setBackgroundColor_(id self, SEL _cmd, UIColor* colour) {
  orig__UITableViewHeaderFooterViewBackground_setBackgroundColor_(self, _cmd, UIColor::clearColor());
}

// --- UITabBar ------------------------------------------------------------------------

// The backdrop starts with the zero rectangle, whatever frame the bar was
// given; the bar sizes it when it lays out.
id hook_UITabBar_initWithCoder_(id self, SEL _cmd, id coder) {
  id bar = orig_UITabBar_initWithCoder_(self, _cmd, coder);
  if (bar) storeAdaptiveBackdrop(bar);
  return bar;
}

id hook_UITabBar_initWithFrame_(id self, SEL _cmd, CGRect frame) {
  id bar = orig_UITabBar_initWithFrame_(self, _cmd, frame);
  if (bar) storeAdaptiveBackdrop(bar);
  return bar;
}

// --- _UIReplicantView ------------------------------------------------------------------

void hook__UIReplicantView_setBackgroundColor_(id self, SEL _cmd, UIColor* colour) {
  orig__UIReplicantView_setBackgroundColor_(self, _cmd, UIColor::clearColor());
}
