// Classes, selectors, methods, method caches and instance variables.
//
// Structural changes (classes, methods, cache fills) take one runtime lock;
// the message send's cache probe takes none. A replaced or added method
// flushes the caches of the class that owns it and of every subclass, so a
// stale implementation is never found again. Flushed caches are kept, not
// freed, because a concurrent reader may still be probing one.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <string_view>
#include <unordered_map>

#include "platform/objc/class.h"
#include "platform/objc/instance_memory.h"
#include "platform/objc/message.h"

namespace objc {
namespace {

struct Runtime {
  std::recursive_mutex lock;
  std::unordered_map<std::string_view, Class> classes;
  std::vector<Cache*> retiredCaches;

  std::mutex selectorLock;
  std::unordered_map<std::string_view, objc_selector*> selectors;
  std::deque<objc_selector> selectorStore;
  std::deque<std::string> selectorNames;
};

Runtime& runtime() {
  static Runtime* instance = new Runtime;  // lives as long as the process
  return *instance;
}

Cache* emptyCache() {
  static Cache empty{0, 0, {{{nullptr}, {nullptr}}}};
  return &empty;
}

Cache* newCache(uint32_t capacity) {
  size_t bytes = sizeof(Cache) + sizeof(CacheBucket) * (capacity - 1);
  void* memory = std::calloc(1, bytes);
  auto* cache = static_cast<Cache*>(memory);
  cache->mask = capacity - 1;
  cache->occupied = 0;
  return cache;
}

void retire(Cache* cache) {
  if (cache != emptyCache()) runtime().retiredCaches.push_back(cache);
}

void insertIntoCache(Cache* cache, SEL sel, IMP imp) {
  uint32_t i = cacheHash(sel) & cache->mask;
  while (cache->buckets[i].sel.load(std::memory_order_relaxed) != nullptr) i = (i + 1) & cache->mask;
  cache->buckets[i].imp.store(imp, std::memory_order_relaxed);
  cache->buckets[i].sel.store(sel, std::memory_order_release);
  cache->occupied++;
}

// Called with the runtime lock held.
void fillCache(Class cls, SEL sel, IMP imp) {
  Cache* cache = cls->cache.load(std::memory_order_relaxed);
  uint32_t capacity = cache->mask + 1;
  if (cache == emptyCache() || (cache->occupied + 1) * 4 > capacity * 3) {
    uint32_t newCapacity = cache == emptyCache() ? 8 : capacity * 2;
    Cache* grown = newCache(newCapacity);
    if (cache != emptyCache()) {
      for (uint32_t i = 0; i <= cache->mask; ++i) {
        SEL s = cache->buckets[i].sel.load(std::memory_order_relaxed);
        if (s) insertIntoCache(grown, s, cache->buckets[i].imp.load(std::memory_order_relaxed));
      }
    }
    insertIntoCache(grown, sel, imp);
    cls->cache.store(grown, std::memory_order_release);
    retire(cache);
    return;
  }
  insertIntoCache(cache, sel, imp);
}

void flushCaches(Class cls) {
  Cache* old = cls->cache.exchange(emptyCache(), std::memory_order_acq_rel);
  retire(old);
  for (Class sub : cls->subclasses) flushCaches(sub);
}

Method findOwnMethod(Class cls, SEL sel) {
  for (Method m : cls->methods)
    if (m->name == sel) return m;
  return nullptr;
}

Method findMethod(Class cls, SEL sel) {
  for (Class c = cls; c; c = c->superclass)
    if (Method m = findOwnMethod(c, sel)) return m;
  return nullptr;
}

thread_local Class lastForwardedClass = nullptr;
thread_local SEL lastForwardedSelector = nullptr;

Class allocClass(const char* name, Class superclass, Class isa, bool meta) {
  auto* cls = new objc_class();
  cls->isa = isa;
  cls->rc_.store(1, std::memory_order_relaxed);
  cls->flags_.store(kImmortal, std::memory_order_relaxed);
  cls->cache.store(emptyCache(), std::memory_order_relaxed);
  cls->superclass = superclass;
  cls->name = name;
  cls->meta = meta;
  return cls;
}

}  // namespace

void fatal(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::fputs("mirel runtime: ", stderr);
  std::vfprintf(stderr, format, args);
  std::fputc('\n', stderr);
  va_end(args);
  std::fflush(stderr);
  std::abort();
}

void unrecognizedSelector(id self, SEL sel) {
  Class cls = object_getClass(self);
  fatal("unrecognized selector sent to %s: %c[%s %s]", cls->meta ? "class" : "instance", cls->meta ? '+' : '-',
        cls->name.c_str(), sel_getName(sel));
}

void forwardingTrap(id self, SEL) {
  const char* cls = lastForwardedClass ? lastForwardedClass->name.c_str() : object_getClassName(self);
  const char* sel = lastForwardedSelector ? lastForwardedSelector->name : "?";
  fatal("unrecognized selector -[%s %s] called through a looked-up implementation", cls, sel);
}

IMP lookUpImpOrForward(Class cls, SEL sel) {
  std::lock_guard guard(runtime().lock);
  Method m = findMethod(cls, sel);
  IMP imp = m ? m->imp.load(std::memory_order_relaxed) : forwardingImp();
  if (cacheLookup(cls, sel) == nullptr) fillCache(cls, sel, imp);
  return imp;
}

Class createClass(const char* name, Class superclass, size_t instanceSize, void (*construct)(void*),
                  void (*destruct)(void*)) {
  Runtime& rt = runtime();
  std::lock_guard guard(rt.lock);
  if (rt.classes.count(name)) fatal("class %s is already registered", name);

  // The root metaclass is its own isa and has the root class as superclass,
  // so class methods fall back to the root class's instance methods.
  Class meta;
  if (superclass) {
    Class rootMeta = superclass->isa->isa;
    meta = allocClass(name, superclass->isa, rootMeta, true);
  } else {
    meta = allocClass(name, nullptr, nullptr, true);
    meta->isa = meta;
  }
  Class cls = allocClass(name, superclass, meta, false);
  if (!superclass) meta->superclass = cls;
  cls->instanceSize = instanceSize;
  cls->construct = construct;
  cls->destruct = destruct;
  meta->instanceSize = sizeof(objc_class);

  if (superclass) {
    superclass->subclasses.push_back(cls);
    superclass->isa->subclasses.push_back(meta);
  } else {
    cls->subclasses.push_back(meta);
  }
  rt.classes.emplace(cls->name, cls);
  return cls;
}

void addIvar(Class cls, const char* name, ptrdiff_t offset, const char* types, bool strong) {
  std::lock_guard guard(runtime().lock);
  cls->ivars.push_back(new objc_ivar{name, offset, types, strong});
}

#ifndef NDEBUG
namespace {
void checkEncoding(Class cls, SEL sel, const std::string& expected, id self) {
  Method m = class_getInstanceMethod(cls, sel);
  if (!m) return;  // forwarding reports it
  if (!encodingsMatch(m->types.c_str(), expected.c_str()))
    fatal("message %c[%s %s] sent with signature \"%s\" but the method is \"%s\"",
          class_isMetaClass(object_getClass(self)) ? '+' : '-', object_getClassName(self), sel->name,
          expected.c_str(), m->types.c_str());
}
}  // namespace

void checkSendEncoding(id self, SEL sel, const std::string& expected) {
  checkEncoding(self->isa, sel, expected, self);
}

void checkSuperSendEncoding(Class cls, SEL sel, const std::string& expected) {
  Method m = class_getInstanceMethod(cls, sel);
  if (m && !encodingsMatch(m->types.c_str(), expected.c_str()))
    fatal("super message [%s %s] sent with signature \"%s\" but the method is \"%s\"", cls->name.c_str(),
          sel->name, expected.c_str(), m->types.c_str());
}
#endif

namespace {
// Strips what libobjc adds around the types themselves: frame offsets,
// qualifiers (const, in, out, ...), quoted class names and the block marker.
std::string normaliseEncoding(const char* text) {
  std::string out;
  for (const char* p = text; *p; ++p) {
    char c = *p;
    if (c >= '0' && c <= '9') continue;
    if (c == 'r' || c == 'n' || c == 'N' || c == 'o' || c == 'O' || c == 'R' || c == 'V') continue;
    if (c == '"') {
      ++p;
      while (*p && *p != '"') ++p;
      if (!*p) break;
      continue;
    }
    if (c == '?' && !out.empty() && out.back() == '@') continue;
    out.push_back(c);
  }
  return out;
}
}  // namespace

bool encodingsMatch(const char* a, const char* b) {
  return normaliseEncoding(a) == normaliseEncoding(b);
}

}  // namespace objc

using namespace objc;

// --- Classes -----------------------------------------------------------------

Class objc_getClass(const char* name) {
  if (!name) return nil;
  Runtime& rt = runtime();
  std::lock_guard guard(rt.lock);
  auto it = rt.classes.find(name);
  return it == rt.classes.end() ? nil : it->second;
}

Class objc_lookUpClass(const char* name) {
  return objc_getClass(name);
}

Class object_getClass(id obj) {
  return obj ? obj->isa : nil;
}

const char* object_getClassName(id obj) {
  return obj ? obj->isa->name.c_str() : "nil";
}

Class class_getSuperclass(Class cls) {
  return cls ? cls->superclass : nil;
}

const char* class_getName(Class cls) {
  return cls ? cls->name.c_str() : "nil";
}

BOOL class_isMetaClass(Class cls) {
  return cls && cls->meta;
}

size_t class_getInstanceSize(Class cls) {
  return cls ? cls->instanceSize : 0;
}

// Through the method cache, as a send finds it, rather than under the lock
// through the method lists; a miss is cached as the forwarding answer, as
// libobjc does.
BOOL class_respondsToSelector(Class cls, SEL sel) {
  if (!cls || !sel) return NO;
  return lookUpImp(cls, sel) != forwardingImp();
}

// --- Methods -----------------------------------------------------------------

Method class_getInstanceMethod(Class cls, SEL sel) {
  if (!cls || !sel) return nil;
  std::lock_guard guard(runtime().lock);
  return findMethod(cls, sel);
}

Method class_getClassMethod(Class cls, SEL sel) {
  if (!cls || !sel) return nil;
  return class_getInstanceMethod(cls->meta ? cls : cls->isa, sel);
}

BOOL class_addMethod(Class cls, SEL name, IMP imp, const char* types) {
  if (!cls || !name || !imp) return NO;
  std::lock_guard guard(runtime().lock);
  if (findOwnMethod(cls, name)) return NO;
  auto* m = new objc_method();
  m->name = name;
  m->imp.store(imp, std::memory_order_relaxed);
  m->types = types ? types : "";
  m->owner = cls;
  cls->methods.push_back(m);
  flushCaches(cls);
  return YES;
}

IMP class_replaceMethod(Class cls, SEL name, IMP imp, const char* types) {
  if (!cls || !name || !imp) return nil;
  std::lock_guard guard(runtime().lock);
  if (Method own = findOwnMethod(cls, name)) return method_setImplementation(own, imp);
  class_addMethod(cls, name, imp, types);
  return nil;
}

SEL method_getName(Method m) {
  return m ? m->name : nil;
}

IMP method_getImplementation(Method m) {
  return m ? m->imp.load(std::memory_order_acquire) : nil;
}

const char* method_getTypeEncoding(Method m) {
  return m ? m->types.c_str() : nullptr;
}

IMP method_setImplementation(Method m, IMP imp) {
  if (!m || !imp) return nil;
  std::lock_guard guard(runtime().lock);
  IMP previous = m->imp.exchange(imp, std::memory_order_acq_rel);
  flushCaches(m->owner);
  return previous;
}

IMP class_getMethodImplementation(Class cls, SEL sel) {
  if (!cls || !sel) return nil;
  IMP imp = lookUpImp(cls, sel);
  if (imp == forwardingImp()) {
    lastForwardedClass = cls;
    lastForwardedSelector = sel;
  }
  return imp;
}

Method* class_copyMethodList(Class cls, unsigned int* outCount) {
  if (outCount) *outCount = 0;
  if (!cls) return nullptr;
  std::lock_guard guard(runtime().lock);
  size_t n = cls->methods.size();
  auto* list = static_cast<Method*>(std::calloc(n + 1, sizeof(Method)));
  for (size_t i = 0; i < n; ++i) list[i] = cls->methods[i];
  if (outCount) *outCount = static_cast<unsigned int>(n);
  return list;
}

// --- Selectors ---------------------------------------------------------------

SEL sel_registerName(const char* name) {
  if (!name) return nil;
  Runtime& rt = runtime();
  std::lock_guard guard(rt.selectorLock);
  auto it = rt.selectors.find(name);
  if (it != rt.selectors.end()) return it->second;
  const std::string& stored = rt.selectorNames.emplace_back(name);
  objc_selector& sel = rt.selectorStore.emplace_back(objc_selector{stored.c_str()});
  rt.selectors.emplace(std::string_view(stored), &sel);
  return &sel;
}

SEL sel_getUid(const char* name) {
  return sel_registerName(name);
}

const char* sel_getName(SEL sel) {
  return sel ? sel->name : "<null selector>";
}

// --- Instance variables --------------------------------------------------------

Ivar class_getInstanceVariable(Class cls, const char* name) {
  if (!cls || !name) return nil;
  std::lock_guard guard(runtime().lock);
  for (Class c = cls; c; c = c->superclass)
    for (Ivar ivar : c->ivars)
      if (ivar->name == name) return ivar;
  return nil;
}

const char* ivar_getName(Ivar ivar) {
  return ivar ? ivar->name.c_str() : nullptr;
}

ptrdiff_t ivar_getOffset(Ivar ivar) {
  return ivar ? ivar->offset : 0;
}

const char* ivar_getTypeEncoding(Ivar ivar) {
  return ivar ? ivar->types.c_str() : nullptr;
}

id object_getIvar(id obj, Ivar ivar) {
  if (!obj || !ivar || ivar->types.empty() || ivar->types[0] != '@') return nil;
  return *reinterpret_cast<id*>(reinterpret_cast<char*>(obj) + ivar->offset);
}

void object_setIvar(id obj, Ivar ivar, id value) {
  if (!obj || !ivar || ivar->types.empty() || ivar->types[0] != '@') return;
  id* slot = reinterpret_cast<id*>(reinterpret_cast<char*>(obj) + ivar->offset);
  if (!ivar->strong) {
    *slot = value;
    return;
  }
  objc_retain(value);
  id old = *slot;
  *slot = value;
  objc_release(old);
}

// --- Objects -------------------------------------------------------------------

id class_createInstance(Class cls, size_t extraBytes) {
  if (!cls) return nil;
  uint32_t sizeClass = 0;
  void* memory = allocateInstanceMemory(cls->instanceSize + extraBytes, &sizeClass);
  if (!memory) return nil;
  if (cls->construct) cls->construct(memory);
  auto* obj = static_cast<id>(memory);
  obj->isa = cls;
  obj->rc_.store(1, std::memory_order_relaxed);
  obj->flags_.store(sizeClass << kSizeClassShift, std::memory_order_relaxed);
  return obj;
}

void objc_destructInstanceAssociations(id obj);  // associations.cc

id object_dispose(id obj) {
  if (!obj) return nil;
  // Members first, then associated objects, as libobjc's destructInstance.
  if (obj->isa->destruct) obj->isa->destruct(obj);
  uint32_t flags = obj->flags_.load(std::memory_order_acquire);
  if (flags & kHasAssociations) objc_destructInstanceAssociations(obj);
  freeInstanceMemory(obj, flags >> kSizeClassShift);
  return nil;
}
