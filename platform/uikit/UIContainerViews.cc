// UILayoutContainerView and UIViewControllerWrapperView.
#include "platform/uikit/UIContainerViews.h"

#include "platform/objc/class_builder.h"

namespace {

// The wrapper a view already sits in, if any.
UIView* existingWrapper(UIView* view) {
  UIView* parent = view ? view->superview() : nullptr;
  return parent && parent->isMemberOfClass(objc::classOf<UIViewControllerWrapperView>()) ? parent : nullptr;
}

UIView* Wrapper_forViewWrapperFrameViewFrame(Class cls, SEL, UIView* view, CGRect wrapperFrame, CGRect viewFrame) {
  if (!view) return nullptr;
  if (UIView* wrapper = existingWrapper(view)) {
    wrapper->setFrame(wrapperFrame);
    view->setFrame(viewFrame);
    return wrapper;
  }
  Ref<UIView> wrapper = adopt(static_cast<UIView*>(objc::send<id()>(reinterpret_cast<id>(cls), "alloc"_sel))
                                  ->initWithFrame(wrapperFrame));
  wrapper->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  view->setFrame(viewFrame);
  wrapper->addSubview(view);
  return wrapper.autorelease();
}

UIView* Wrapper_forViewFrame(Class cls, SEL, UIView* view, CGRect frame) {
  return Wrapper_forViewWrapperFrameViewFrame(cls, nullptr, view, frame, {{0, 0}, frame.size});
}

}  // namespace

void registerUIContainerViews() {
  objc::ClassBuilder<UILayoutContainerView>("UILayoutContainerView", objc::classOf<UIView>());
  objc::ClassBuilder<UIViewControllerWrapperView>("UIViewControllerWrapperView", objc::classOf<UIView>())
      .classMethod<&Wrapper_forViewFrame>("wrapperViewForView:frame:")
      .classMethod<&Wrapper_forViewWrapperFrameViewFrame>("wrapperViewForView:wrapperFrame:viewFrame:");
}
