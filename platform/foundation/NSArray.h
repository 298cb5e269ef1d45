// NSArray and NSMutableArray: ordered, retaining collections of objects.
//
//   Ref<NSMutableArray> list = objc::make<NSMutableArray>();
//   list->addObject(view);
#pragma once

#include <initializer_list>
#include <vector>

#include "platform/foundation/NSObject.h"

struct NSArray : NSObject {
  static constexpr const char* kClassName = "NSArray";
  std::vector<Ref<objc_object>> _items;

  // Autoreleased array of the given objects (nil entries are skipped).
  static NSArray* withObjects(std::initializer_list<id> objects);

  NSUInteger count() { return objc::send<NSUInteger()>(this, "count"_sel); }
  id objectAtIndex(NSUInteger i) { return objc::send<id(NSUInteger)>(this, "objectAtIndex:"_sel, i); }
  BOOL containsObject(id object) { return objc::send<BOOL(id)>(this, "containsObject:"_sel, object); }
  NSUInteger indexOfObject(id object) { return objc::send<NSUInteger(id)>(this, "indexOfObject:"_sel, object); }
  id firstObject() { return objc::send<id()>(this, "firstObject"_sel); }
  id lastObject() { return objc::send<id()>(this, "lastObject"_sel); }

  // Iteration over the items as they are now (a snapshot of borrowed pointers).
  std::vector<id> items() const;
};

struct NSMutableArray : NSArray {
  static constexpr const char* kClassName = "NSMutableArray";
  void addObject(id object) { objc::send<void(id)>(this, "addObject:"_sel, object); }
  void insertObjectAtIndex(id object, NSUInteger i) {
    objc::send<void(id, NSUInteger)>(this, "insertObject:atIndex:"_sel, object, i);
  }
  void removeObject(id object) { objc::send<void(id)>(this, "removeObject:"_sel, object); }
  void removeObjectAtIndex(NSUInteger i) { objc::send<void(NSUInteger)>(this, "removeObjectAtIndex:"_sel, i); }
  void removeAllObjects() { objc::send<void()>(this, "removeAllObjects"_sel); }
};

void registerNSArray();
