// NSCache: a thread-safe key-value store that, unlike NSMutableDictionary,
// retains its keys instead of copying them. This model never evicts.
//
//   Ref<NSCache> images = objc::make<NSCache>();
//   images->setObjectForKey(image, url);
#pragma once

#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/foundation/NSObject.h"

struct NSCache : NSObject {
  static constexpr const char* kClassName = "NSCache";
  struct Entry {
    Ref<objc_object> key;
    Ref<objc_object> value;
  };
  std::mutex _lock;
  std::unordered_map<NSUInteger, std::vector<Entry>> _buckets;  // by the key's hash

  id objectForKey(id key) { return objc::send<id(id)>(this, "objectForKey:"_sel, key); }
  void setObjectForKey(id object, id key) { objc::send<void(id, id)>(this, "setObject:forKey:"_sel, object, key); }
  void removeObjectForKey(id key) { objc::send<void(id)>(this, "removeObjectForKey:"_sel, key); }
  void removeAllObjects() { objc::send<void()>(this, "removeAllObjects"_sel); }
};

void registerNSCache();
