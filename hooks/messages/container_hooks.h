// The Messages app's navigation containers: the layout container view is
// kept clear, and every view-controller wrapper view gets one standard
// backdrop of its own, at the very back, the first time it is handed out.
//
//   hooks::replaceClassMethod<&hook_meta_UIViewControllerWrapperView_wrapperViewForView_frame_,
//       orig_meta_UIViewControllerWrapperView_wrapperViewForView_frame_>("UIViewControllerWrapperView", ...)
#pragma once

#include "platform/uikit/UIView.h"
#include "tweak/hook_slot.h"

extern HookSlot<void(UIColor*)> orig_UILayoutContainerView_setBackgroundColor_;
extern HookSlot<id(id)> orig_UILayoutContainerView_initWithCoder_;
extern HookSlot<id(CGRect, NSInteger)> orig_UILayoutContainerView_initWithFrame_style_;
extern HookSlot<id(CGRect)> orig_UILayoutContainerView_initWithFrame_;
extern HookSlot<UIView*(UIView*, CGRect)> orig_meta_UIViewControllerWrapperView_wrapperViewForView_frame_;
extern HookSlot<UIView*(UIView*, CGRect, CGRect)>
    orig_meta_UIViewControllerWrapperView_wrapperViewForView_wrapperFrame_viewFrame_;

void hook_UILayoutContainerView_setBackgroundColor_(id self, SEL _cmd, UIColor* colour);
id hook_UILayoutContainerView_initWithCoder_(id self, SEL _cmd, id coder);
id hook_UILayoutContainerView_initWithFrame_style_(id self, SEL _cmd, CGRect frame, NSInteger style);
id hook_UILayoutContainerView_initWithFrame_(id self, SEL _cmd, CGRect frame);
UIView* hook_meta_UIViewControllerWrapperView_wrapperViewForView_frame_(id self, SEL _cmd, UIView* view, CGRect frame);
UIView* hook_meta_UIViewControllerWrapperView_wrapperViewForView_wrapperFrame_viewFrame_(id self, SEL _cmd,
                                                                                         UIView* view,
                                                                                         CGRect wrapperFrame,
                                                                                         CGRect viewFrame);
