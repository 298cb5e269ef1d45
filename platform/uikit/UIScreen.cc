// UIScreen.
#include "platform/uikit/UIScreen.h"

#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

UIScreen* theMainScreen() {
  static UIScreen* screen = [] {
    auto* s = static_cast<UIScreen*>(class_createInstance(objc::classOf<UIScreen>(), 0));
    s->flags_.fetch_or(objc::kImmortal);
    return s;
  }();
  return screen;
}

id UIScreen_mainScreen(Class, SEL) { return theMainScreen(); }
CGFloat UIScreen_scale(UIScreen* self, SEL) { return self->_scale; }
CGRect UIScreen_bounds(UIScreen* self, SEL) { return self->_bounds; }

}  // namespace

void UIScreenSetMainScreenScale(CGFloat scale) { theMainScreen()->_scale = scale; }

void registerUIScreen() {
  objc::ClassBuilder<UIScreen>("UIScreen", objc::classOf<NSObject>())
      .classMethod<&UIScreen_mainScreen>("mainScreen")
      .method<&UIScreen_scale>("scale")
      .method<&UIScreen_bounds>("bounds");
}
