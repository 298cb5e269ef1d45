// NSNotification and NSNotificationCenter. A post works on a snapshot of
// the observations taken under the lock and delivers with the lock dropped,
// so handlers may add and remove observers (or post again) while it runs.
#include "platform/foundation/NSNotification.h"

#include "platform/foundation/NSDictionary.h"
#include "platform/foundation/NSString.h"
#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

NSNotification* newNotification(Class cls, NSString* name, id object, NSDictionary* userInfo) {
  auto* n = static_cast<NSNotification*>(class_createInstance(cls, 0));
  n->_name = name;
  n->_object = object;
  n->_userInfo = userInfo;
  return n;
}

id NSNotification_notificationWithNameObject(Class cls, SEL, NSString* name, id object) {
  return objc_autorelease(newNotification(cls, name, object, nil));
}
id NSNotification_notificationWithNameObjectUserInfo(Class cls, SEL, NSString* name, id object,
                                                     NSDictionary* userInfo) {
  return objc_autorelease(newNotification(cls, name, object, userInfo));
}
NSString* NSNotification_name(NSNotification* self, SEL) { return self->_name; }
id NSNotification_object(NSNotification* self, SEL) { return self->_object; }
NSDictionary* NSNotification_userInfo(NSNotification* self, SEL) { return self->_userInfo; }
NSString* NSNotification_description(NSNotification* self, SEL) {
  return NSString::withFormat("NSConcreteNotification %p {name = %@; object = %@}", static_cast<void*>(self),
                              self->_name.get(), self->_object.get());
}

using Observation = NSNotificationCenter::Observation;

bool sameName(NSString* a, NSString* b) { return a == b || (a && b && a->str() == b->str()); }

// The handler's own type encoding decides whether it is given the
// notification, so both -handle: and -appDidEnterBackground work.
void deliver(id observer, SEL selector, NSNotification* notification) {
  Method method = class_getInstanceMethod(object_getClass(observer), selector);
  if (!method) objc::unrecognizedSelector(observer, selector);
  const char* types = method_getTypeEncoding(method);
  if (objc::encodingsMatch(types, "v@:@"))
    objc::send<void(NSNotification*)>(observer, selector, notification);
  else if (objc::encodingsMatch(types, "v@:"))
    objc::send<void()>(observer, selector);
  else
    objc::fatal("-[%s %s] cannot observe notifications: its type is \"%s\", not \"v@:@\" or \"v@:\"",
                object_getClassName(observer), sel_getName(selector), types);
}

id NSNotificationCenter_defaultCenter(Class cls, SEL) {
  // Immortal and never destroyed: observers may post from static destructors.
  static NSNotificationCenter* center = [cls] {
    auto* c = static_cast<NSNotificationCenter*>(class_createInstance(cls, 0));
    c->flags_.fetch_or(objc::kImmortal);
    return c;
  }();
  return center;
}

void NSNotificationCenter_addObserver(NSNotificationCenter* self, SEL, id observer, SEL selector, NSString* name,
                                      id object) {
  if (!observer || !selector) return;
  auto observation = std::make_shared<Observation>();
  observation->observer = observer;
  observation->selector = selector;
  // Names are copied as Foundation does, so a mutable name changed later
  // does not change what is observed.
  if (name) observation->name = adopt(objc::as<NSString>(name->copy()));
  observation->object = object;
  std::lock_guard guard(self->_lock);
  self->_observations.push_back(std::move(observation));
}

template <class Match>
void removeMatching(NSNotificationCenter* self, Match match) {
  std::vector<std::shared_ptr<Observation>> removed;  // names released after unlocking
  std::lock_guard guard(self->_lock);
  std::erase_if(self->_observations, [&](std::shared_ptr<Observation>& o) {
    if (!match(*o)) return false;
    o->removed = true;
    removed.push_back(o);
    return true;
  });
}

void NSNotificationCenter_removeObserver(NSNotificationCenter* self, SEL, id observer) {
  if (!observer) return;
  removeMatching(self, [&](const Observation& o) { return o.observer == observer; });
}

// A nil name or object widens the removal; an observation registered for
// every name is removed only when the name given is nil too.
void NSNotificationCenter_removeObserverNameObject(NSNotificationCenter* self, SEL, id observer, NSString* name,
                                                   id object) {
  if (!observer) return;
  removeMatching(self, [&](const Observation& o) {
    return o.observer == observer && (!name || (o.name && sameName(o.name, name))) && (!object || o.object == object);
  });
}

void NSNotificationCenter_postNotification(NSNotificationCenter* self, SEL, NSNotification* notification) {
  if (!notification) return;
  Ref<NSNotification> kept = notification;  // a handler may drop the poster's last reference
  NSString* name = notification->_name;
  id object = notification->_object;
  std::vector<std::shared_ptr<Observation>> snapshot;
  {
    std::lock_guard guard(self->_lock);
    snapshot = self->_observations;
  }
  for (const auto& o : snapshot) {
    if ((o->name && !sameName(o->name, name)) || (o->object && o->object != object)) continue;
    {
      std::lock_guard guard(self->_lock);
      if (o->removed) continue;  // removed by an earlier handler of this post
    }
    deliver(o->observer, o->selector, notification);
  }
}

void NSNotificationCenter_postNotificationNameObjectUserInfo(NSNotificationCenter* self, SEL, NSString* name, id object,
                                                             NSDictionary* userInfo) {
  Ref<NSNotification> notification =
      adopt(newNotification(objc::classOf<NSNotification>(), name, object, userInfo));
  NSNotificationCenter_postNotification(self, "postNotification:"_sel, notification);
}

void NSNotificationCenter_postNotificationNameObject(NSNotificationCenter* self, SEL, NSString* name, id object) {
  NSNotificationCenter_postNotificationNameObjectUserInfo(self, "postNotificationName:object:userInfo:"_sel, name,
                                                          object, nil);
}

}  // namespace

NSNotification* NSNotification::withName(NSString* name, id object, NSDictionary* userInfo) {
  return objc::send<NSNotification*(NSString*, id, NSDictionary*)>(
      reinterpret_cast<id>(objc::classOf<NSNotification>()), "notificationWithName:object:userInfo:"_sel, name,
      object, userInfo);
}

NSNotificationCenter* NSNotificationCenter::defaultCenter() {
  return objc::send<NSNotificationCenter*()>(reinterpret_cast<id>(objc::classOf<NSNotificationCenter>()),
                                             "defaultCenter"_sel);
}

void registerNSNotification() {
  objc::ClassBuilder<NSNotification>("NSNotification", objc::classOf<NSObject>())
      .classMethod<&NSNotification_notificationWithNameObject>("notificationWithName:object:")
      .classMethod<&NSNotification_notificationWithNameObjectUserInfo>("notificationWithName:object:userInfo:")
      .method<&NSNotification_name>("name")
      .method<&NSNotification_object>("object")
      .method<&NSNotification_userInfo>("userInfo")
      .method<&NSNotification_description>("description");
  objc::ClassBuilder<NSNotificationCenter>("NSNotificationCenter", objc::classOf<NSObject>())
      .classMethod<&NSNotificationCenter_defaultCenter>("defaultCenter")
      .method<&NSNotificationCenter_addObserver>("addObserver:selector:name:object:")
      .method<&NSNotificationCenter_removeObserver>("removeObserver:")
      .method<&NSNotificationCenter_removeObserverNameObject>("removeObserver:name:object:")
      .method<&NSNotificationCenter_postNotification>("postNotification:")
      .method<&NSNotificationCenter_postNotificationNameObject>("postNotificationName:object:")
      .method<&NSNotificationCenter_postNotificationNameObjectUserInfo>("postNotificationName:object:userInfo:");
}
