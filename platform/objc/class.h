// The runtime's class, method, ivar and selector records, and the per-class
// method cache that the message send reads without taking a lock.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "platform/objc/runtime.h"

struct objc_selector {
  const char* name;
};

struct objc_method {
  SEL name;
  std::atomic<IMP> imp;
  std::string types;
  Class owner;
};

struct objc_ivar {
  std::string name;
  ptrdiff_t offset;
  std::string types;
  bool strong;  // an owning object reference (released on overwrite and at dealloc)
};

namespace objc {

// One cache slot. The writer stores imp before sel (release), so a reader
// that sees the selector (acquire) also sees its implementation.
struct CacheBucket {
  std::atomic<SEL> sel;
  std::atomic<IMP> imp;
};

struct Cache {
  uint32_t mask;      // capacity - 1; capacity is a power of two
  uint32_t occupied;  // written only under the runtime lock
  CacheBucket buckets[1];
};

inline uint32_t cacheHash(SEL sel) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(sel) >> 4);
}

enum ObjectFlag : uint32_t {
  kImmortal = 1u << 0,         // classes and literals: retain and release do nothing
  kHasAssociations = 1u << 1,  // associated objects must be dropped at dealloc
  kDeallocating = 1u << 2,
};
// The top byte of the flags holds the instance memory's size class.
inline constexpr uint32_t kSizeClassShift = 24;

}  // namespace objc

struct objc_class : objc_object {
  std::atomic<objc::Cache*> cache;
  Class superclass;
  std::string name;
  bool meta;
  size_t instanceSize;
  void (*construct)(void*);  // placement-constructs the C++ members, or null
  void (*destruct)(void*);   // runs their destructors, or null
  std::vector<Method> methods;
  std::vector<Ivar> ivars;
  std::vector<Class> subclasses;
};

namespace objc {

// Slow path of the message send: finds the implementation through the
// superclass chain, fills the cache, and answers the forwarding
// implementation when no class has the selector.
IMP lookUpImpOrForward(Class cls, SEL sel);
// What a missing method answers: fails loudly when called.
void forwardingTrap(id self, SEL sel);
inline IMP forwardingImp() { return reinterpret_cast<IMP>(&forwardingTrap); }

// Cache probe without a lock; nullptr on a miss.
inline IMP cacheLookup(Class cls, SEL sel) {
  Cache* cache = cls->cache.load(std::memory_order_acquire);
  uint32_t i = cacheHash(sel) & cache->mask;
  for (;;) {
    SEL s = cache->buckets[i].sel.load(std::memory_order_acquire);
    if (s == sel) return cache->buckets[i].imp.load(std::memory_order_relaxed);
    if (s == nullptr) return nullptr;
    i = (i + 1) & cache->mask;
  }
}

inline IMP lookUpImp(Class cls, SEL sel) {
  IMP imp = cacheLookup(cls, sel);
  return imp ? imp : lookUpImpOrForward(cls, sel);
}

// Creates and registers a class and its metaclass. The instance size and the
// construct/destruct functions describe the C++ struct that holds the
// instances' members. Fails loudly if the name is taken.
Class createClass(const char* name, Class superclass, size_t instanceSize,
                  void (*construct)(void*), void (*destruct)(void*));
void addIvar(Class cls, const char* name, ptrdiff_t offset, const char* types, bool strong);

// Aborts with a message naming the receiver's class and the selector.
[[noreturn]] void unrecognizedSelector(id self, SEL sel);
[[noreturn]] void fatal(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace objc
