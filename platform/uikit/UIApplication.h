// UIApplication: the shared application, its state and the private
// background style that decides how much of the wallpaper shows.
//
//   UIApplication::shared()->applicationState();
//   UIApplicationEnterBackground();   // host side: posts the notification
#pragma once

#include <atomic>

#include "platform/foundation/NSObject.h"
#include "platform/uikit/UIView.h"

enum : NSInteger {
  UIApplicationStateActive = 0,
  UIApplicationStateInactive = 1,
  UIApplicationStateBackground = 2,
};

struct UIApplication : UIResponder {
  static constexpr const char* kClassName = "UIApplication";
  // Read by worker threads (the picker checks it before GPU work).
  std::atomic<NSInteger> _applicationState{UIApplicationStateActive};
  NSInteger _backgroundStyle = 0;
  Ref<UIWindow> _keyWindow;

  static UIApplication* shared() {
    return objc::send<UIApplication*()>(reinterpret_cast<id>(objc::classOf<UIApplication>()),
                                        "sharedApplication"_sel);
  }
  NSInteger applicationState() { return objc::send<NSInteger()>(this, "applicationState"_sel); }
  void setBackgroundStyle(NSInteger style) { objc::send<void(NSInteger)>(this, "_setBackgroundStyle:"_sel, style); }
  NSInteger backgroundStyle() { return objc::send<NSInteger()>(this, "_backgroundStyle"_sel); }
};

NSString* UIApplicationDidEnterBackgroundNotificationName();
NSString* UIApplicationWillEnterForegroundNotificationName();
NSString* UIApplicationDidBecomeActiveNotificationName();

// Host side: the application's class (a host subclass such as
// SMSApplication) must be chosen before the first sharedApplication.
void UIApplicationSetPrincipalClass(const char* className);
// Host side: moves the application to the background or back, posting the
// notifications on the calling (main) thread as the platform does.
void UIApplicationEnterBackground();
void UIApplicationEnterForeground();
// Host side: makes the application active and tells its delegate method
// applicationDidBecomeActive: (sent to the application object itself).
void UIApplicationBecomeActive();

void registerUIApplication();
