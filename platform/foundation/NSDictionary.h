// NSDictionary and NSMutableDictionary: keys compared with isEqual: and
// hash, copied on insertion as Foundation does; values retained.
//
//   NSDictionary* attributes = NSDictionary::withObjectsAndKeys({colour, key});
#pragma once

#include <initializer_list>
#include <vector>

#include "platform/foundation/NSObject.h"

struct NSArray;

struct NSDictionary : NSObject {
  static constexpr const char* kClassName = "NSDictionary";
  struct Entry {
    NSUInteger hash;
    Ref<objc_object> key;
    Ref<objc_object> value;
  };
  std::vector<Entry> _entries;

  static NSDictionary* dictionary();
  // Pairs of object, key, as dictionaryWithObjectsAndKeys: takes them; the
  // list ends at the first nil object, as the variadic form's does.
  static NSDictionary* withObjectsAndKeys(std::initializer_list<id> objectsAndKeys);
  // Reads an XML or binary property list whose top level is a dictionary;
  // nil for a missing, unreadable or malformed file or another top level.
  static NSDictionary* withContentsOfFile(NSString* path);

  id objectForKey(id key) { return objc::send<id(id)>(this, "objectForKey:"_sel, key); }
  NSUInteger count() { return objc::send<NSUInteger()>(this, "count"_sel); }
  NSArray* allKeys() { return objc::send<NSArray*()>(this, "allKeys"_sel); }
};

struct NSMutableDictionary : NSDictionary {
  static constexpr const char* kClassName = "NSMutableDictionary";
  void setObjectForKey(id object, id key) { objc::send<void(id, id)>(this, "setObject:forKey:"_sel, object, key); }
  void removeObjectForKey(id key) { objc::send<void(id)>(this, "removeObjectForKey:"_sel, key); }
};

void registerNSDictionary();
