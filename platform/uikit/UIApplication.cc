// UIApplication.
#include "platform/uikit/UIApplication.h"

#include <string>

#include "platform/foundation/NSString.h"
#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

std::string& principalClassName() {
  static std::string* name = new std::string("UIApplication");
  return *name;
}

UIApplication* theApplication() {
  static UIApplication* app = [] {
    Class cls = objc_getClass(principalClassName().c_str());
    if (!cls) cls = objc::classOf<UIApplication>();
    auto* a = static_cast<UIApplication*>(objc::send<id()>(class_createInstance(cls, 0), "init"_sel));
    a->flags_.fetch_or(objc::kImmortal);
    return a;
  }();
  return app;
}

void post(NSString* name) {
  id center = objc::send<id()>(reinterpret_cast<id>(objc_getClass("NSNotificationCenter")), "defaultCenter"_sel);
  objc::send<void(NSString*, id)>(center, "postNotificationName:object:"_sel, name, theApplication());
}

id UIApplication_sharedApplication(Class, SEL) { return theApplication(); }
NSInteger UIApplication_applicationState(UIApplication* self, SEL) { return self->_applicationState; }
void UIApplication_setBackgroundStyle(UIApplication* self, SEL, NSInteger style) { self->_backgroundStyle = style; }
NSInteger UIApplication_backgroundStyle(UIApplication* self, SEL) { return self->_backgroundStyle; }
UIWindow* UIApplication_keyWindow(UIApplication* self, SEL) { return self->_keyWindow.get(); }
void UIApplication_applicationDidBecomeActive(UIApplication*, SEL, id) {}

}  // namespace

NSString* UIApplicationDidEnterBackgroundNotificationName() { return "UIApplicationDidEnterBackgroundNotification"_ns; }
NSString* UIApplicationWillEnterForegroundNotificationName() {
  return "UIApplicationWillEnterForegroundNotification"_ns;
}
NSString* UIApplicationDidBecomeActiveNotificationName() { return "UIApplicationDidBecomeActiveNotification"_ns; }

void UIApplicationSetPrincipalClass(const char* className) { principalClassName() = className; }

void UIApplicationEnterBackground() {
  theApplication()->_applicationState = UIApplicationStateBackground;
  post(UIApplicationDidEnterBackgroundNotificationName());
}

// Coming back, the application passes from the background to inactive,
// and the notification is part of that step; it becomes active after.
void UIApplicationEnterForeground() {
  theApplication()->_applicationState = UIApplicationStateInactive;
  post(UIApplicationWillEnterForegroundNotificationName());
  theApplication()->_applicationState = UIApplicationStateActive;
}

void UIApplicationBecomeActive() {
  UIApplication* app = theApplication();
  app->_applicationState = UIApplicationStateActive;
  objc::send<void(id)>(app, "applicationDidBecomeActive:"_sel, app);
  post(UIApplicationDidBecomeActiveNotificationName());
}

void registerUIApplication() {
  objc::ClassBuilder<UIApplication>("UIApplication", objc::classOf<UIResponder>())
      .ivar("_keyWindow", &UIApplication::_keyWindow)
      .classMethod<&UIApplication_sharedApplication>("sharedApplication")
      .method<&UIApplication_applicationState>("applicationState")
      .method<&UIApplication_setBackgroundStyle>("_setBackgroundStyle:")
      .method<&UIApplication_backgroundStyle>("_backgroundStyle")
      .method<&UIApplication_keyWindow>("keyWindow")
      .method<&UIApplication_applicationDidBecomeActive>("applicationDidBecomeActive:");
}
