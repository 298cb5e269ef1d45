// The private container views UIKit builds controllers' screens from:
// UILayoutContainerView (the root of a navigation or tab bar controller's
// view) and UIViewControllerWrapperView (the view that holds the visible
// controller's view, handed out by two class methods that give the same
// wrapper again for a view that already has one).
//
//   UIView* wrapper = UIViewControllerWrapperView::wrapperFor(view, frame);
#pragma once

#include "platform/uikit/UIView.h"

struct UILayoutContainerView : UIView {
  static constexpr const char* kClassName = "UILayoutContainerView";
};

struct UIViewControllerWrapperView : UIView {
  static constexpr const char* kClassName = "UIViewControllerWrapperView";

  static UIView* wrapperFor(UIView* view, CGRect frame) {
    return objc::send<UIView*(UIView*, CGRect)>(reinterpret_cast<id>(objc::classOf<UIViewControllerWrapperView>()),
                                                "wrapperViewForView:frame:"_sel, view, frame);
  }
  static UIView* wrapperFor(UIView* view, CGRect wrapperFrame, CGRect viewFrame) {
    return objc::send<UIView*(UIView*, CGRect, CGRect)>(
        reinterpret_cast<id>(objc::classOf<UIViewControllerWrapperView>()),
        "wrapperViewForView:wrapperFrame:viewFrame:"_sel, view, wrapperFrame, viewFrame);
  }
};

void registerUIContainerViews();
