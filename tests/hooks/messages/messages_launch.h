// Launches of the modelled Messages app (or of another host that carries
// its classes) for the Messages hook tests, and a way to watch a platform
// method from inside a launch.
//
//   inLaunch(messagesLaunch(), [] { ... });
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "apps/messages/MessagesApp.h"
#include "tests/support/launch.h"

inline TestLaunch messagesLaunch(std::vector<std::pair<std::string, std::string>> prefs = {},
                                 const char* bundleIdentifier = "com.apple.MobileSMS", bool withExtension = true) {
  return {.bundleIdentifier = std::string(bundleIdentifier),
          .preferences = plist(prefs),
          .withExtension = withExtension,
          .principalClass = "SMSApplication",
          .registerHostClasses = &registerMessagesClasses};
}

// Puts `spy` in place of `cls`'s method `sel` (a class method when
// `classMethod`) and returns the implementation it had, for the spy to call
// on. Used after launch, so the spy sits under whatever the extension
// installed on subclasses.
inline IMP spyOn(Class cls, SEL sel, IMP spy, bool classMethod = false) {
  Class target = classMethod ? object_getClass(reinterpret_cast<id>(cls)) : cls;
  return method_setImplementation(class_getInstanceMethod(target, sel), spy);
}
