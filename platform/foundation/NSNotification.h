// NSNotification and NSNotificationCenter: synchronous broadcast on the
// posting thread, in registration order. The center does not retain its
// observers (the behaviour before iOS 9): an observer must remove itself
// before it is deallocated.
//
//   NSNotificationCenter::defaultCenter()->addObserver(self, "appDidEnterBackground"_sel, name, nil);
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/foundation/NSObject.h"

struct NSDictionary;

struct NSNotification : NSObject {
  static constexpr const char* kClassName = "NSNotification";
  Ref<NSString> _name;
  Ref<objc_object> _object;
  Ref<NSDictionary> _userInfo;

  // Autoreleased.
  static NSNotification* withName(NSString* name, id object, NSDictionary* userInfo = nil);

  NSString* name() { return objc::send<NSString*()>(this, "name"_sel); }
  id object() { return objc::send<id()>(this, "object"_sel); }
  NSDictionary* userInfo() { return objc::send<NSDictionary*()>(this, "userInfo"_sel); }
};

struct NSNotificationCenter : NSObject {
  static constexpr const char* kClassName = "NSNotificationCenter";
  struct Observation {
    id observer;              // not retained
    SEL selector;
    Ref<NSString> name;       // nil: every name
    id object;                // nil: every sender; compared by identity, not retained
    bool removed = false;     // set under the lock; a post in progress skips it
  };
  std::mutex _lock;
  std::vector<std::shared_ptr<Observation>> _observations;

  // The process's one center.
  static NSNotificationCenter* defaultCenter();

  void addObserver(id observer, SEL selector, NSString* name, id object) {
    objc::send<void(id, SEL, NSString*, id)>(this, "addObserver:selector:name:object:"_sel, observer, selector, name,
                                             object);
  }
  void removeObserver(id observer) { objc::send<void(id)>(this, "removeObserver:"_sel, observer); }
  void removeObserver(id observer, NSString* name, id object) {
    objc::send<void(id, NSString*, id)>(this, "removeObserver:name:object:"_sel, observer, name, object);
  }
  void postNotification(NSNotification* notification) {
    objc::send<void(NSNotification*)>(this, "postNotification:"_sel, notification);
  }
  void postNotificationName(NSString* name, id object) {
    objc::send<void(NSString*, id)>(this, "postNotificationName:object:"_sel, name, object);
  }
  void postNotificationName(NSString* name, id object, NSDictionary* userInfo) {
    objc::send<void(NSString*, id, NSDictionary*)>(this, "postNotificationName:object:userInfo:"_sel, name, object,
                                                   userInfo);
  }
};

void registerNSNotification();
