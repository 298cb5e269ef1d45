// Associated objects: values attached to an object under a private key, with
// the retaining, copying or assigning policies of libobjc. Retained values
// are released when replaced, removed, or when the owner is deallocated.
#include <map>
#include <mutex>
#include <unordered_map>

#include "platform/objc/class.h"
#include "platform/objc/message.h"

namespace {

struct Association {
  objc_AssociationPolicy policy;
  id value;
};

struct Associations {
  std::mutex lock;
  std::unordered_map<id, std::map<const void*, Association>> table;
};

Associations& associations() {
  static Associations* instance = new Associations;
  return *instance;
}

bool retains(objc_AssociationPolicy policy) {
  return policy != OBJC_ASSOCIATION_ASSIGN;
}

bool copies(objc_AssociationPolicy policy) {
  return (policy & 3) == 3;
}

}  // namespace

void objc_setAssociatedObject(id object, const void* key, id value, objc_AssociationPolicy policy) {
  if (!object || !key) return;
  if (value) {
    if (copies(policy))
      value = objc::send<id()>(value, "copy"_sel);
    else if (retains(policy))
      objc_retain(value);
  }
  Association old{OBJC_ASSOCIATION_ASSIGN, nil};
  {
    Associations& a = associations();
    std::lock_guard guard(a.lock);
    auto& map = a.table[object];
    auto it = map.find(key);
    if (it != map.end()) {
      old = it->second;
      map.erase(it);
    }
    if (value) {
      map[key] = Association{policy, value};
      object->flags_.fetch_or(objc::kHasAssociations, std::memory_order_release);
    }
    if (map.empty()) a.table.erase(object);
  }
  if (retains(old.policy)) objc_release(old.value);
}

id objc_getAssociatedObject(id object, const void* key) {
  if (!object || !key) return nil;
  Associations& a = associations();
  std::lock_guard guard(a.lock);
  auto it = a.table.find(object);
  if (it == a.table.end()) return nil;
  auto found = it->second.find(key);
  return found == it->second.end() ? nil : found->second.value;
}

void objc_removeAssociatedObjects(id object) {
  if (!object) return;
  std::map<const void*, Association> removed;
  {
    Associations& a = associations();
    std::lock_guard guard(a.lock);
    auto it = a.table.find(object);
    if (it == a.table.end()) return;
    removed.swap(it->second);
    a.table.erase(it);
  }
  for (auto& [key, association] : removed)
    if (retains(association.policy)) objc_release(association.value);
}

void objc_destructInstanceAssociations(id obj) {
  objc_removeAssociatedObjects(obj);
}
