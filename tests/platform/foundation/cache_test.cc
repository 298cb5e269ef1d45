// NSCache: lookups by equal keys, ownership of keys and values, and use
// from several threads and from a value's own dealloc.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/foundation/foundation.h"
#include "platform/objc/class_builder.h"

namespace {

TEST(NSCacheTest, StoresLooksUpReplacesAndRemoves) {
  Ref<NSCache> cache = objc::make<NSCache>();
  Ref<NSObject> first = objc::make<NSObject>(), second = objc::make<NSObject>();
  auto lookup = [&](id key) {
    AutoreleasePool inner;  // lookups hand out autoreleased references
    return cache->objectForKey(key);
  };
  Ref<NSMutableString> key = adopt(objc::as<NSMutableString>("artwork"_ns->mutableCopy()));
  cache->setObjectForKey(first, key);
  EXPECT_EQ(lookup("artwork"_ns), first.get()) << "keys match by isEqual:, not identity";
  EXPECT_EQ(objc_retainCount(first), 2u);
  EXPECT_EQ(objc_retainCount(key), 2u) << "the key is retained, not copied";

  cache->setObjectForKey(second, "artwork"_ns);
  EXPECT_EQ(lookup(NSString::withUTF8("artwork")), second.get());
  EXPECT_EQ(objc_retainCount(first), 1u) << "the replaced value is released";

  cache->setObjectForKey(first, NSNumber::withInteger(3));
  EXPECT_EQ(lookup(NSNumber::withDouble(3.0)), first.get());
  cache->removeObjectForKey("artwork"_ns);
  EXPECT_EQ(lookup("artwork"_ns), nil);
  EXPECT_EQ(objc_retainCount(second), 1u);
  EXPECT_EQ(objc_retainCount(key), 1u);
  EXPECT_EQ(lookup(nil), nil);
  cache->removeAllObjects();
  EXPECT_EQ(lookup(NSNumber::withInteger(3)), nil);
  EXPECT_EQ(objc_retainCount(first), 1u);
}

TEST(NSCacheTest, ConcurrentUseKeepsEntriesConsistent) {
  Ref<NSCache> cache = objc::make<NSCache>();
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&cache, t] {
      for (int i = 0; i < 500; ++i) {
        AutoreleasePool pool;
        NSNumber* key = NSNumber::withInteger(i % 16);
        cache->setObjectForKey(NSNumber::withInteger(i % 16 + 1000), key);
        if (id found = cache->objectForKey(key)) {
          EXPECT_EQ(objc::as<NSNumber>(found)->integerValue(), i % 16 + 1000);
        }
        if ((i + t) % 7 == 0) cache->removeObjectForKey(key);
      }
    });
  for (auto& thread : threads) thread.join();
}

// A value that looks the cache up again while it is being deallocated, as
// an object dropping its own cached state does.
struct CacheToucher : NSObject {
  static constexpr const char* kClassName = "CacheTestToucher";
  NSCache* _cache = nullptr;
};
int touchedFromDealloc = 0;
void CacheToucher_dealloc(CacheToucher* self, SEL) {
  AutoreleasePool pool;
  self->_cache->objectForKey("other"_ns);
  ++touchedFromDealloc;
  objc::sendSuper<void()>(self, objc::classOf<NSObject>(), "dealloc"_sel);
}

TEST(NSCacheTest, ValuesAreReleasedOutsideTheLock) {
  static Class cls = objc::ClassBuilder<CacheToucher>(CacheToucher::kClassName, objc::classOf<NSObject>())
                         .method<&CacheToucher_dealloc>("dealloc")
                         .cls();
  Ref<NSCache> cache = objc::make<NSCache>();
  auto add = [&](NSString* key) {
    Ref<CacheToucher> value = adopt(static_cast<CacheToucher*>(class_createInstance(cls, 0)));
    value->_cache = cache;
    cache->setObjectForKey(value, key);
  };
  touchedFromDealloc = 0;
  add("a"_ns);
  add("a"_ns);  // replaces
  add("b"_ns);
  cache->removeObjectForKey("b"_ns);
  add("c"_ns);
  cache->removeAllObjects();
  EXPECT_EQ(touchedFromDealloc, 4) << "each dealloc ran, without deadlocking on the cache's lock";
}

}  // namespace
