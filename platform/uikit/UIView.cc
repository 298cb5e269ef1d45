// UIView: geometry, the subview tree, colours, tags, layout and animation.
#include "platform/uikit/UIView.h"

#include "platform/foundation/RunLoop.h"
#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

NSMutableArray* subviewsOf(UIView* view) {
  if (!view->_subviews) view->_subviews = objc::make<NSMutableArray>();
  return view->_subviews.get();
}

UIView* UIView_initWithFrame(UIView* self, SEL, CGRect frame) {
  self->_frame = frame;
  self->_alpha = 1;
  return self;
}
UIView* UIView_init(UIView* self, SEL) { return objc::send<UIView*(CGRect)>(self, "initWithFrame:"_sel, CGRectZero); }
// Decoding is a path of its own, as on the platform: it never sends
// initWithFrame:, so what a class does there does not happen here (the
// model's coders carry no frame; views decode at the zero rectangle).
UIView* UIView_initWithCoder(UIView* self, SEL, id coder) {
  self->_frame = CGRectZero;
  self->_alpha = 1;
  return self;
}

// Subviews follow a size change by their autoresizing masks.
void resizeSubviews(UIView* self, CGSize oldSize) {
  CGFloat dw = self->_frame.size.width - oldSize.width, dh = self->_frame.size.height - oldSize.height;
  if (dw == 0 && dh == 0) return;
  for (UIView* sub : self->subviewList()) {
    CGRect f = sub->frame();
    NSUInteger mask = sub->autoresizingMask();
    if (mask & UIViewAutoresizingFlexibleWidth) f.size.width += dw;
    if (mask & UIViewAutoresizingFlexibleHeight) f.size.height += dh;
    if (mask & (UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight)) sub->setFrame(f);
  }
}

CGRect UIView_frame(UIView* self, SEL) { return self->_frame; }
void UIView_setFrame(UIView* self, SEL, CGRect frame) {
  CGSize old = self->_frame.size;
  self->_frame = frame;
  resizeSubviews(self, old);
}
CGRect UIView_bounds(UIView* self, SEL) { return {{0, 0}, self->_frame.size}; }
UIView* UIView_superview(UIView* self, SEL) { return self->_superview; }
NSArray* UIView_subviews(UIView* self, SEL) {
  return objc::as<NSArray>(objc_autorelease(objc::send<id()>(subviewsOf(self), "copy"_sel)));
}

void detach(UIView* view) {
  UIView* parent = view->_superview;
  if (!parent) return;
  Ref<UIView> keep = view;
  parent->_subviews->removeObject(view);
  view->_superview = nullptr;
}

void UIView_insertSubviewAtIndex(UIView* self, SEL, UIView* view, NSInteger index) {
  if (!view || view == self) return;
  Ref<UIView> keep = view;
  detach(view);
  NSMutableArray* list = subviewsOf(self);
  NSInteger count = static_cast<NSInteger>(list->count());
  list->insertObjectAtIndex(view, static_cast<NSUInteger>(index < 0 ? 0 : index > count ? count : index));
  view->_superview = self;
  objc::send<void()>(view, "didMoveToSuperview"_sel);
}
void UIView_addSubview(UIView* self, SEL, UIView* view) {
  if (!view || view == self) return;
  NSInteger end = static_cast<NSInteger>(subviewsOf(self)->count()) - (view->_superview == self ? 1 : 0);
  UIView_insertSubviewAtIndex(self, "insertSubview:atIndex:"_sel, view, end);
}
void UIView_sendSubviewToBack(UIView* self, SEL, UIView* view) {
  if (!view || view->_superview != self) return;
  Ref<UIView> keep = view;
  self->_subviews->removeObject(view);
  self->_subviews->insertObjectAtIndex(view, 0);
}
void UIView_bringSubviewToFront(UIView* self, SEL, UIView* view) {
  if (!view || view->_superview != self) return;
  Ref<UIView> keep = view;
  self->_subviews->removeObject(view);
  self->_subviews->addObject(view);
}
void UIView_removeFromSuperview(UIView* self, SEL) { detach(self); }
void UIView_didMoveToSuperview(UIView*, SEL) {}

UIView* UIView_viewWithTag(UIView* self, SEL, NSInteger tag) {
  if (self->tag() == tag) return self;
  for (UIView* sub : self->subviewList())
    if (UIView* found = sub->viewWithTag(tag)) return found;
  return nullptr;
}

NSInteger UIView_tag(UIView* self, SEL) { return self->_tag; }
void UIView_setTag(UIView* self, SEL, NSInteger tag) { self->_tag = tag; }
UIColor* UIView_backgroundColor(UIView* self, SEL) { return self->_backgroundColor.get(); }
void UIView_setBackgroundColor(UIView* self, SEL, UIColor* color) { self->_backgroundColor = color; }
// The tint colour is inherited from the superview when not set; the root
// falls back to the system blue.
UIColor* UIView_tintColor(UIView* self, SEL) {
  if (self->_tintColor) return self->_tintColor.get();
  if (self->_superview) return self->_superview->tintColor();
  return UIColor::withRGBA(0, 122 / 255.0, 1, 1);
}
void UIView_setTintColor(UIView* self, SEL, UIColor* color) { self->_tintColor = color; }
CGFloat UIView_alpha(UIView* self, SEL) { return self->_alpha; }
void UIView_setAlpha(UIView* self, SEL, CGFloat alpha) { self->_alpha = alpha; }
BOOL UIView_isHidden(UIView* self, SEL) { return self->_hidden; }
void UIView_setHidden(UIView* self, SEL, BOOL hidden) { self->_hidden = hidden; }
NSUInteger UIView_autoresizingMask(UIView* self, SEL) { return self->_autoresizingMask; }
void UIView_setAutoresizingMask(UIView* self, SEL, NSUInteger mask) { self->_autoresizingMask = mask; }
NSInteger UIView_contentMode(UIView* self, SEL) { return self->_contentMode; }
void UIView_setContentMode(UIView* self, SEL, NSInteger mode) { self->_contentMode = mode; }
void UIView_layoutSubviews(UIView*, SEL) {}
void UIView_setNeedsLayout(UIView*, SEL) {}
// As UIKit does, a controller hears of its view's layout pass after the
// view's own layoutSubviews and before the subviews lay out.
void UIView_layoutIfNeeded(UIView* self, SEL) {
  self->layoutSubviews();
  if (self->_viewDelegate) objc::send<void()>(self->_viewDelegate, "viewDidLayoutSubviews"_sel);
  for (UIView* sub : self->subviewList()) sub->layoutIfNeeded();
}
void UIView_drawRect(UIView*, SEL, CGRect) {}
BOOL UIView_drawsAsBackdropOverlay(UIView* self, SEL) { return self->_drawsAsBackdropOverlay; }
void UIView_setDrawsAsBackdropOverlay(UIView* self, SEL, BOOL flag) { self->_drawsAsBackdropOverlay = flag; }

void UIView_animate(Class, SEL, double duration, Block<void()>* animations, Block<void(BOOL)>* completion) {
  Ref<Block<void()>> a = animations;
  Ref<Block<void(BOOL)>> c = completion;
  RunLoop::main().schedule(0, [a] {
    if (a) a->invoke();
  });
  RunLoop::main().schedule(duration, [c] {
    if (c) c->invoke(YES);
  });
}
void UIView_animateNoCompletion(Class cls, SEL, double duration, Block<void()>* animations) {
  UIView_animate(cls, nullptr, duration, animations, nullptr);
}

UIView* UIView_snapshotView(UIView* self, SEL, BOOL) {
  Ref<UIView> replicant = UIView::make<UIReplicantView>(self->bounds());
  replicant->setBackgroundColor(self->backgroundColor());
  return replicant.autorelease();
}

void UIView_dealloc(UIView* self, SEL) {
  // Subviews outlive their superview's storage only through other owners.
  for (UIView* sub : self->subviewList()) sub->_superview = nullptr;
  objc::sendSuper<void()>(self, objc::classOf<UIResponder>(), "dealloc"_sel);
}

}  // namespace

std::vector<UIView*> UIView::subviewList() const {
  std::vector<UIView*> out;
  if (_subviews)
    for (id item : _subviews->items()) out.push_back(objc::as<UIView>(item));
  return out;
}

void registerUIView() {
  objc::ClassBuilder<UIResponder>("UIResponder", objc::classOf<NSObject>());
  objc::ClassBuilder<UIView>("UIView", objc::classOf<UIResponder>())
      .ivar("_backgroundColor", &UIView::_backgroundColor)
      .ivar("_tintColor", &UIView::_tintColor)
      .ivar("_subviews", &UIView::_subviews)
      .ivar("_tag", &UIView::_tag)
      .classMethod<&UIView_animate>("animateWithDuration:animations:completion:")
      .classMethod<&UIView_animateNoCompletion>("animateWithDuration:animations:")
      .method<&UIView_initWithFrame>("initWithFrame:")
      .method<&UIView_init>("init")
      .method<&UIView_initWithCoder>("initWithCoder:")
      .method<&UIView_dealloc>("dealloc")
      .method<&UIView_frame>("frame")
      .method<&UIView_setFrame>("setFrame:")
      .method<&UIView_bounds>("bounds")
      .method<&UIView_superview>("superview")
      .method<&UIView_subviews>("subviews")
      .method<&UIView_addSubview>("addSubview:")
      .method<&UIView_insertSubviewAtIndex>("insertSubview:atIndex:")
      .method<&UIView_sendSubviewToBack>("sendSubviewToBack:")
      .method<&UIView_bringSubviewToFront>("bringSubviewToFront:")
      .method<&UIView_removeFromSuperview>("removeFromSuperview")
      .method<&UIView_didMoveToSuperview>("didMoveToSuperview")
      .method<&UIView_viewWithTag>("viewWithTag:")
      .method<&UIView_tag>("tag")
      .method<&UIView_setTag>("setTag:")
      .method<&UIView_backgroundColor>("backgroundColor")
      .method<&UIView_setBackgroundColor>("setBackgroundColor:")
      .method<&UIView_tintColor>("tintColor")
      .method<&UIView_setTintColor>("setTintColor:")
      .method<&UIView_alpha>("alpha")
      .method<&UIView_setAlpha>("setAlpha:")
      .method<&UIView_isHidden>("isHidden")
      .method<&UIView_setHidden>("setHidden:")
      .method<&UIView_autoresizingMask>("autoresizingMask")
      .method<&UIView_setAutoresizingMask>("setAutoresizingMask:")
      .method<&UIView_contentMode>("contentMode")
      .method<&UIView_setContentMode>("setContentMode:")
      .method<&UIView_layoutSubviews>("layoutSubviews")
      .method<&UIView_setNeedsLayout>("setNeedsLayout")
      .method<&UIView_layoutIfNeeded>("layoutIfNeeded")
      .method<&UIView_drawRect>("drawRect:")
      .method<&UIView_drawsAsBackdropOverlay>("_drawsAsBackdropOverlay")
      .method<&UIView_setDrawsAsBackdropOverlay>("_setDrawsAsBackdropOverlay:")
      .method<&UIView_snapshotView>("snapshotViewAfterScreenUpdates:");
  objc::ClassBuilder<UIWindow>("UIWindow", objc::classOf<UIView>());
  objc::ClassBuilder<UIReplicantView>("_UIReplicantView", objc::classOf<UIView>());
}
