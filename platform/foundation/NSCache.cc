// NSCache. Objects leaving the cache are released only after the lock is
// dropped, so a dealloc that touches the cache again cannot deadlock.
#include "platform/foundation/NSCache.h"

#include "platform/objc/class_builder.h"

namespace {

NSUInteger hashOf(id key) { return objc::send<NSUInteger()>(key, "hash"_sel); }

NSCache::Entry* find(std::vector<NSCache::Entry>& bucket, id key) {
  for (auto& entry : bucket)
    if (entry.key.get() == key || objc::send<BOOL(id)>(entry.key.get(), "isEqual:"_sel, key)) return &entry;
  return nullptr;
}

// The value is retained and autoreleased for the caller, as another thread
// may remove it from the cache the moment the lock is released.
id NSCache_objectForKey(NSCache* self, SEL, id key) {
  if (!key) return nil;
  NSUInteger hash = hashOf(key);
  Ref<objc_object> value;
  {
    std::lock_guard guard(self->_lock);
    auto bucket = self->_buckets.find(hash);
    if (bucket == self->_buckets.end()) return nil;
    if (NSCache::Entry* entry = find(bucket->second, key)) value = entry->value;
  }
  return value ? value.autorelease() : nil;
}

void NSCache_setObjectForKey(NSCache* self, SEL sel, id object, id key) {
  if (!key) objc::fatal("-[NSCache %s]: key cannot be nil", sel_getName(sel));
  if (!object) return;  // NSCache ignores a nil object rather than raising
  NSUInteger hash = hashOf(key);
  Ref<objc_object> replaced;
  std::lock_guard guard(self->_lock);
  std::vector<NSCache::Entry>& bucket = self->_buckets[hash];
  if (NSCache::Entry* entry = find(bucket, key)) {
    replaced = std::move(entry->value);
    entry->value = object;
  } else {
    bucket.push_back({Ref<objc_object>(key), Ref<objc_object>(object)});
  }
  // `replaced` is declared before the guard, so it is released after unlocking.
}

void NSCache_removeObjectForKey(NSCache* self, SEL, id key) {
  if (!key) return;
  NSUInteger hash = hashOf(key);
  NSCache::Entry removed;
  std::lock_guard guard(self->_lock);
  auto bucket = self->_buckets.find(hash);
  if (bucket == self->_buckets.end()) return;
  NSCache::Entry* entry = find(bucket->second, key);
  if (!entry) return;
  removed = std::move(*entry);
  bucket->second.erase(bucket->second.begin() + (entry - bucket->second.data()));
  if (bucket->second.empty()) self->_buckets.erase(bucket);
}

void NSCache_removeAllObjects(NSCache* self, SEL) {
  std::unordered_map<NSUInteger, std::vector<NSCache::Entry>> removed;
  std::lock_guard guard(self->_lock);
  removed.swap(self->_buckets);
}

}  // namespace

void registerNSCache() {
  objc::ClassBuilder<NSCache>("NSCache", objc::classOf<NSObject>())
      .method<&NSCache_objectForKey>("objectForKey:")
      .method<&NSCache_setObjectForKey>("setObject:forKey:")
      .method<&NSCache_removeObjectForKey>("removeObjectForKey:")
      .method<&NSCache_removeAllObjects>("removeAllObjects");
}
