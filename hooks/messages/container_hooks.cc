// UILayoutContainerView and UIViewControllerWrapperView in the Messages app.
//
//   UIView* wrapper = UIViewControllerWrapperView::wrapperFor(view, frame);   // now with a backdrop at index 0
#include "hooks/messages/container_hooks.h"

#include "tweak/backdrop.h"
#include "tweak/recolour.h"
#include "tweak/startup.h"

HookSlot<void(UIColor*)> orig_UILayoutContainerView_setBackgroundColor_;
HookSlot<id(id)> orig_UILayoutContainerView_initWithCoder_;
HookSlot<id(CGRect, NSInteger)> orig_UILayoutContainerView_initWithFrame_style_;
HookSlot<id(CGRect)> orig_UILayoutContainerView_initWithFrame_;
HookSlot<UIView*(UIView*, CGRect)> orig_meta_UIViewControllerWrapperView_wrapperViewForView_frame_;
HookSlot<UIView*(UIView*, CGRect, CGRect)>
    orig_meta_UIViewControllerWrapperView_wrapperViewForView_wrapperFrame_viewFrame_;

namespace {

// A wrapper that carries an object under this key already has its backdrop.
// Only the key's address matters.
const char kWrapperBackdropMarker = 0;

// The host hands the same wrapper out again for a view it already wraps, on
// every layout pass; the marker keeps that to one backdrop per wrapper, and
// it stays even if someone later takes the backdrop away.
void giveBackdropOnce(UIView* wrapper) {
  if (!wrapper || objc_getAssociatedObject(wrapper, &kWrapperBackdropMarker)) return;
  Ref<UIBackdropView> backdrop = makeStandardBackdrop(wrapper->frame());
  wrapper->insertSubviewAtIndex(backdrop, 0);
  objc_setAssociatedObject(wrapper, &kWrapperBackdropMarker, sharedYesNumber(), OBJC_ASSOCIATION_RETAIN_NONATOMIC);
}

}  // namespace

// Whatever colour the host asks for, the container stays see-through.
void hook_UILayoutContainerView_setBackgroundColor_(id self, SEL _cmd, UIColor* colour) {
  orig_UILayoutContainerView_setBackgroundColor_(self, _cmd, UIColor::clearColor());
}

id hook_UILayoutContainerView_initWithCoder_(id self, SEL _cmd, id coder) {
  id view = orig_UILayoutContainerView_initWithCoder_(self, _cmd, coder);
  if (view) clearBackground(view);
  return view;
}

id hook_UILayoutContainerView_initWithFrame_style_(id self, SEL _cmd, CGRect frame, NSInteger style) {
  id view = orig_UILayoutContainerView_initWithFrame_style_(self, _cmd, frame, style);
  if (view) clearBackground(view);
  return view;
}

id hook_UILayoutContainerView_initWithFrame_(id self, SEL _cmd, CGRect frame) {
  id view = orig_UILayoutContainerView_initWithFrame_(self, _cmd, frame);
  if (view) clearBackground(view);
  return view;
}

UIView* hook_meta_UIViewControllerWrapperView_wrapperViewForView_frame_(id self, SEL _cmd, UIView* view, CGRect frame) {
  UIView* wrapper = orig_meta_UIViewControllerWrapperView_wrapperViewForView_frame_(self, _cmd, view, frame);
  giveBackdropOnce(wrapper);
  return wrapper;
}

UIView* hook_meta_UIViewControllerWrapperView_wrapperViewForView_wrapperFrame_viewFrame_(id self, SEL _cmd,
                                                                                         UIView* view,
                                                                                         CGRect wrapperFrame,
                                                                                         CGRect viewFrame) {
  UIView* wrapper = orig_meta_UIViewControllerWrapperView_wrapperViewForView_wrapperFrame_viewFrame_(
      self, _cmd, view, wrapperFrame, viewFrame);
  giveBackdropOnce(wrapper);
  return wrapper;
}
