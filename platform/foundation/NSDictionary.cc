// NSDictionary and NSMutableDictionary.
#include "platform/foundation/NSDictionary.h"

#include "platform/foundation/NSArray.h"
#include "platform/foundation/NSString.h"
#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

NSDictionary::Entry* find(NSDictionary* self, id key) {
  if (!key) return nullptr;
  NSUInteger hash = objc::send<NSUInteger()>(key, "hash"_sel);
  for (auto& entry : self->_entries)
    if (entry.hash == hash && (entry.key.get() == key || objc::send<BOOL(id)>(entry.key.get(), "isEqual:"_sel, key)))
      return &entry;
  return nullptr;
}

void store(NSDictionary* self, id object, id key) {
  if (NSDictionary::Entry* entry = find(self, key)) {
    Ref<objc_object> old = std::move(entry->value);
    entry->value = object;
    return;
  }
  NSUInteger hash = objc::send<NSUInteger()>(key, "hash"_sel);
  self->_entries.push_back({hash, adopt(objc::send<id()>(key, "copy"_sel)), Ref<objc_object>(object)});
}

id NSDictionary_dictionary(Class cls, SEL) { return objc_autorelease(class_createInstance(cls, 0)); }
id NSDictionary_objectForKey(NSDictionary* self, SEL, id key) {
  NSDictionary::Entry* entry = find(self, key);
  return entry ? entry->value.get() : nil;
}
NSUInteger NSDictionary_count(NSDictionary* self, SEL) { return self->_entries.size(); }
// Key-value coding on a dictionary reads its entries.
id NSDictionary_valueForKey(NSDictionary* self, SEL, NSString* key) { return NSDictionary_objectForKey(self, nullptr, key); }
NSArray* NSDictionary_allKeys(NSDictionary* self, SEL) {
  auto* keys = objc::as<NSArray>(objc::send<id()>(reinterpret_cast<id>(objc::classOf<NSArray>()), "array"_sel));
  for (auto& entry : self->_entries) keys->_items.push_back(entry.key);
  return keys;
}
BOOL NSDictionary_isEqual(NSDictionary* self, SEL, id other) {
  if (other == self) return YES;
  if (!objc::isKind<NSDictionary>(other)) return NO;
  auto* o = objc::as<NSDictionary>(other);
  if (o->_entries.size() != self->_entries.size()) return NO;
  for (auto& entry : self->_entries) {
    NSDictionary::Entry* match = find(o, entry.key.get());
    if (!match || !objc::send<BOOL(id)>(entry.value.get(), "isEqual:"_sel, match->value.get())) return NO;
  }
  return YES;
}
NSUInteger NSDictionary_hash(NSDictionary* self, SEL) { return self->_entries.size(); }
NSString* NSDictionary_description(NSDictionary* self, SEL) {
  std::string text = "{";
  for (size_t i = 0; i < self->_entries.size(); ++i)
    text += (i ? "; " : " ") + describe(self->_entries[i].key.get()) + " = " + describe(self->_entries[i].value.get());
  return NSString::withUTF8(text + (self->_entries.empty() ? "}" : "; }"));
}
id copyInto(NSDictionary* self, Class cls) {
  auto* copy = static_cast<NSDictionary*>(class_createInstance(cls, 0));
  copy->_entries = self->_entries;
  return copy;
}
id NSDictionary_copyWithZone(NSDictionary* self, SEL, void*) {
  if (object_getClass(self) == objc::classOf<NSDictionary>()) return objc_retain(self);
  return copyInto(self, objc::classOf<NSDictionary>());
}
id NSDictionary_mutableCopyWithZone(NSDictionary* self, SEL, void*) {
  return copyInto(self, objc::classOf<NSMutableDictionary>());
}
void NSMutableDictionary_setObjectForKey(NSMutableDictionary* self, SEL sel, id object, id key) {
  if (!object || !key) objc::fatal("-[NSMutableDictionary %s]: %s cannot be nil", sel_getName(sel), key ? "object" : "key");
  store(self, object, key);
}
void NSMutableDictionary_removeObjectForKey(NSMutableDictionary* self, SEL, id key) {
  NSDictionary::Entry* entry = find(self, key);
  if (!entry) return;
  NSDictionary::Entry removed = std::move(*entry);
  self->_entries.erase(self->_entries.begin() + (entry - self->_entries.data()));
}

}  // namespace

NSDictionary* NSDictionary::dictionary() {
  return objc::as<NSDictionary>(
      objc::send<id()>(reinterpret_cast<id>(objc::classOf<NSDictionary>()), "dictionary"_sel));
}

NSDictionary* NSDictionary::withObjectsAndKeys(std::initializer_list<id> objectsAndKeys) {
  NSDictionary* dict = dictionary();
  auto it = objectsAndKeys.begin();
  while (it != objectsAndKeys.end() && *it != nil && it + 1 != objectsAndKeys.end()) {
    id object = *it, key = *(it + 1);
    if (!key) break;
    store(dict, object, key);
    it += 2;
  }
  return dict;
}

void registerNSDictionary() {
  objc::ClassBuilder<NSDictionary>("NSDictionary", objc::classOf<NSObject>())
      .classMethod<&NSDictionary_dictionary>("dictionary")
      .method<&NSDictionary_objectForKey>("objectForKey:")
      .method<&NSDictionary_count>("count")
      .method<&NSDictionary_valueForKey>("valueForKey:")
      .method<&NSDictionary_allKeys>("allKeys")
      .method<&NSDictionary_isEqual>("isEqual:")
      .method<&NSDictionary_hash>("hash")
      .method<&NSDictionary_description>("description")
      .method<&NSDictionary_copyWithZone>("copyWithZone:")
      .method<&NSDictionary_mutableCopyWithZone>("mutableCopyWithZone:");
  objc::ClassBuilder<NSMutableDictionary>("NSMutableDictionary", objc::classOf<NSDictionary>())
      .method<&NSMutableDictionary_setObjectForKey>("setObject:forKey:")
      .method<&NSMutableDictionary_removeObjectForKey>("removeObjectForKey:");
}
