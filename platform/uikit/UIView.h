// UIView: the view tree that hosts build and the renderer draws.
//
//   Ref<UIView> view = UIView::create(CGRectMake(0, 0, 320, 44));
//   parent->addSubview(view);
#pragma once

#include "platform/coregraphics/CGGeometry.h"
#include "platform/foundation/Block.h"
#include "platform/foundation/NSArray.h"
#include "platform/uikit/UIColor.h"

struct UIResponder : NSObject {
  static constexpr const char* kClassName = "UIResponder";
};

enum : NSUInteger {
  UIViewAutoresizingNone = 0,
  UIViewAutoresizingFlexibleLeftMargin = 1 << 0,
  UIViewAutoresizingFlexibleWidth = 1 << 1,
  UIViewAutoresizingFlexibleRightMargin = 1 << 2,
  UIViewAutoresizingFlexibleTopMargin = 1 << 3,
  UIViewAutoresizingFlexibleHeight = 1 << 4,
  UIViewAutoresizingFlexibleBottomMargin = 1 << 5,
};

enum : NSInteger {
  UIViewContentModeScaleToFill = 0,
  UIViewContentModeScaleAspectFit = 1,
  UIViewContentModeScaleAspectFill = 2,
  UIViewContentModeCenter = 4,
};

struct UIView : UIResponder {
  static constexpr const char* kClassName = "UIView";
  CGRect _frame;
  UIView* _superview = nullptr;  // unretained: a view's superview owns it
  Ref<NSMutableArray> _subviews;
  Ref<UIColor> _backgroundColor;
  Ref<UIColor> _tintColor;
  CGFloat _alpha = 1;
  bool _hidden = false;
  NSInteger _tag = 0;
  NSUInteger _autoresizingMask = 0;
  NSInteger _contentMode = 0;
  bool _drawsAsBackdropOverlay = false;
  id _viewDelegate = nullptr;  // unretained: the controller whose view this is

  // [[UIView alloc] initWithFrame:] as an owning reference.
  static Ref<UIView> create(CGRect frame) {
    return adopt(objc::alloc<UIView>()->initWithFrame(frame));
  }
  template <class T>
  static Ref<T> make(CGRect frame) {
    return adopt(static_cast<T*>(static_cast<UIView*>(objc::alloc<T>())->initWithFrame(frame)));
  }

  UIView* initWithFrame(CGRect frame) { return objc::send<UIView*(CGRect)>(this, "initWithFrame:"_sel, frame); }
  CGRect frame() { return objc::send<CGRect()>(this, "frame"_sel); }
  void setFrame(CGRect frame) { objc::send<void(CGRect)>(this, "setFrame:"_sel, frame); }
  CGRect bounds() { return objc::send<CGRect()>(this, "bounds"_sel); }
  UIView* superview() { return objc::send<UIView*()>(this, "superview"_sel); }
  NSArray* subviews() { return objc::send<NSArray*()>(this, "subviews"_sel); }
  void addSubview(UIView* view) { objc::send<void(UIView*)>(this, "addSubview:"_sel, view); }
  void insertSubviewAtIndex(UIView* view, NSInteger index) {
    objc::send<void(UIView*, NSInteger)>(this, "insertSubview:atIndex:"_sel, view, index);
  }
  void sendSubviewToBack(UIView* view) { objc::send<void(UIView*)>(this, "sendSubviewToBack:"_sel, view); }
  void bringSubviewToFront(UIView* view) { objc::send<void(UIView*)>(this, "bringSubviewToFront:"_sel, view); }
  void removeFromSuperview() { objc::send<void()>(this, "removeFromSuperview"_sel); }
  UIView* viewWithTag(NSInteger tag) { return objc::send<UIView*(NSInteger)>(this, "viewWithTag:"_sel, tag); }
  NSInteger tag() { return objc::send<NSInteger()>(this, "tag"_sel); }
  void setTag(NSInteger tag) { objc::send<void(NSInteger)>(this, "setTag:"_sel, tag); }
  UIColor* backgroundColor() { return objc::send<UIColor*()>(this, "backgroundColor"_sel); }
  void setBackgroundColor(UIColor* color) { objc::send<void(UIColor*)>(this, "setBackgroundColor:"_sel, color); }
  UIColor* tintColor() { return objc::send<UIColor*()>(this, "tintColor"_sel); }
  void setTintColor(UIColor* color) { objc::send<void(UIColor*)>(this, "setTintColor:"_sel, color); }
  CGFloat alpha() { return objc::send<CGFloat()>(this, "alpha"_sel); }
  void setAlpha(CGFloat alpha) { objc::send<void(CGFloat)>(this, "setAlpha:"_sel, alpha); }
  BOOL isHidden() { return objc::send<BOOL()>(this, "isHidden"_sel); }
  void setHidden(BOOL hidden) { objc::send<void(BOOL)>(this, "setHidden:"_sel, hidden); }
  NSUInteger autoresizingMask() { return objc::send<NSUInteger()>(this, "autoresizingMask"_sel); }
  void setAutoresizingMask(NSUInteger mask) { objc::send<void(NSUInteger)>(this, "setAutoresizingMask:"_sel, mask); }
  NSInteger contentMode() { return objc::send<NSInteger()>(this, "contentMode"_sel); }
  void setContentMode(NSInteger mode) { objc::send<void(NSInteger)>(this, "setContentMode:"_sel, mode); }
  void layoutSubviews() { objc::send<void()>(this, "layoutSubviews"_sel); }
  void setNeedsLayout() { objc::send<void()>(this, "setNeedsLayout"_sel); }
  void layoutIfNeeded() { objc::send<void()>(this, "layoutIfNeeded"_sel); }
  void drawRect(CGRect rect) { objc::send<void(CGRect)>(this, "drawRect:"_sel, rect); }
  // An autoreleased _UIReplicantView of the view's current look.
  UIView* snapshotView(BOOL afterUpdates) {
    return objc::send<UIView*(BOOL)>(this, "snapshotViewAfterScreenUpdates:"_sel, afterUpdates);
  }

  // +[UIView animateWithDuration:animations:completion:]: both blocks run
  // later on the main run loop, the completion after the duration.
  static void animate(double duration, Block<void()>* animations, Block<void(BOOL)>* completion) {
    objc::send<void(double, Block<void()>*, Block<void(BOOL)>*)>(
        reinterpret_cast<id>(objc::classOf<UIView>()), "animateWithDuration:animations:completion:"_sel, duration,
        animations, completion);
  }

  // The subviews back to front, for code inside the platform.
  std::vector<UIView*> subviewList() const;
};

struct UIWindow : UIView {
  static constexpr const char* kClassName = "UIWindow";
};

// _UIReplicantView: the snapshot view UIKit hands out while it animates or
// drags a view. The model's replicant has the source's size and takes its
// background colour through the ordinary setter; it draws nothing else.
struct UIReplicantView : UIView {
  static constexpr const char* kClassName = "_UIReplicantView";
};

void registerUIView();

// The background a stock initialiser gives its view. Decoding restores it
// from the archive straight into the field, as archived state is restored,
// without sending setBackgroundColor:; the other initialisers set it.
inline void setInitialBackground(UIView* view, UIColor* colour, bool decoding) {
  if (decoding)
    view->_backgroundColor = colour;
  else
    view->setBackgroundColor(colour);
}
