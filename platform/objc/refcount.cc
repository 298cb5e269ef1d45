// Retain, release, autorelease and the per-thread autorelease pools.
//
// An object is created with a count of 1; when a release brings it to 0 the
// object is sent -dealloc, so a class's own dealloc runs before the root
// class frees the memory. Pools are a per-thread stack of pending objects
// with boundaries; popping a pool releases what was autoreleased since its
// push, newest first. Objects autoreleased with no pool pushed wait in the
// thread's base pool until the thread ends.
#include <vector>

#include "platform/objc/class.h"
#include "platform/objc/message.h"

namespace {

struct PoolStack {
  std::vector<id> pending;
  ~PoolStack() { drainTo(0); }
  void drainTo(size_t mark) {
    while (pending.size() > mark) {
      id obj = pending.back();
      pending.pop_back();
      objc_release(obj);
    }
  }
};

thread_local PoolStack pools;

bool immortal(id obj) {
  return obj->flags_.load(std::memory_order_relaxed) & objc::kImmortal;
}

}  // namespace

id objc_retain(id obj) {
  if (obj && !immortal(obj)) obj->rc_.fetch_add(1, std::memory_order_relaxed);
  return obj;
}

// The last reference needs no atomic decrement: whoever holds it is the only
// one who can reach the object, so no other thread can change the count or
// the flags meanwhile. The acquire load sees what other threads wrote before
// they released their references.
void objc_release(id obj) {
  if (!obj || immortal(obj)) return;
  uint32_t before = obj->rc_.load(std::memory_order_acquire);
  if (before != 1) before = obj->rc_.fetch_sub(1, std::memory_order_acq_rel);
  if (before == 0) objc::fatal("over-release of a %s at %p", object_getClassName(obj), static_cast<void*>(obj));
  if (before == 1) {
    obj->rc_.store(0, std::memory_order_relaxed);
    obj->flags_.store(obj->flags_.load(std::memory_order_relaxed) | objc::kDeallocating, std::memory_order_relaxed);
    objc::send<void()>(obj, "dealloc"_sel);
  }
}

id objc_autorelease(id obj) {
  if (obj && !immortal(obj)) pools.pending.push_back(obj);
  return obj;
}

NSUInteger objc_retainCount(id obj) {
  if (!obj) return 0;
  if (immortal(obj)) return UINT32_MAX;
  return obj->rc_.load(std::memory_order_relaxed);
}

void* objc_autoreleasePoolPush() {
  return reinterpret_cast<void*>(pools.pending.size() + 1);
}

void objc_autoreleasePoolPop(void* token) {
  size_t mark = reinterpret_cast<size_t>(token);
  if (mark == 0) return;
  pools.drainTo(mark - 1);
}

size_t objc_autoreleasePoolPendingCount() {
  return pools.pending.size();
}
