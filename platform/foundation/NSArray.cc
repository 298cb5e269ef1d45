// NSArray and NSMutableArray.
#include "platform/foundation/NSArray.h"

#include "platform/foundation/NSString.h"
#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

NSArray* newArray(Class cls) { return static_cast<NSArray*>(class_createInstance(cls, 0)); }

void checkIndex(NSArray* self, SEL sel, NSUInteger i, size_t limit) {
  if (i >= limit)
    objc::fatal("-[%s %s]: index %lu beyond bounds [0 .. %zu]", object_getClassName(self), sel_getName(sel), i,
                limit ? limit - 1 : 0);
}

id NSArray_array(Class cls, SEL) { return objc_autorelease(newArray(cls)); }
NSUInteger NSArray_count(NSArray* self, SEL) { return self->_items.size(); }
id NSArray_objectAtIndex(NSArray* self, SEL sel, NSUInteger i) {
  checkIndex(self, sel, i, self->_items.size());
  return self->_items[i].get();
}
NSUInteger NSArray_indexOfObject(NSArray* self, SEL, id object) {
  for (size_t i = 0; i < self->_items.size(); ++i)
    if (self->_items[i].get() == object || (object && objc::send<BOOL(id)>(self->_items[i].get(), "isEqual:"_sel, object)))
      return i;
  return NSNotFound;
}
BOOL NSArray_containsObject(NSArray* self, SEL, id object) {
  return NSArray_indexOfObject(self, "indexOfObject:"_sel, object) != NSNotFound;
}
id NSArray_firstObject(NSArray* self, SEL) { return self->_items.empty() ? nil : self->_items.front().get(); }
id NSArray_lastObject(NSArray* self, SEL) { return self->_items.empty() ? nil : self->_items.back().get(); }
BOOL NSArray_isEqual(NSArray* self, SEL, id other) {
  if (other == self) return YES;
  if (!objc::isKind<NSArray>(other)) return NO;
  auto* o = objc::as<NSArray>(other);
  if (o->_items.size() != self->_items.size()) return NO;
  for (size_t i = 0; i < self->_items.size(); ++i)
    if (!objc::send<BOOL(id)>(self->_items[i].get(), "isEqual:"_sel, o->_items[i].get())) return NO;
  return YES;
}
NSUInteger NSArray_hash(NSArray* self, SEL) { return self->_items.size(); }
NSString* NSArray_description(NSArray* self, SEL) {
  std::string text = "(";
  for (size_t i = 0; i < self->_items.size(); ++i) text += (i ? ", " : "") + describe(self->_items[i].get());
  return NSString::withUTF8(text + ")");
}
id copyInto(NSArray* self, Class cls) {
  NSArray* copy = newArray(cls);
  copy->_items = self->_items;
  return copy;
}
id NSArray_copyWithZone(NSArray* self, SEL, void*) {
  if (object_getClass(self) == objc::classOf<NSArray>()) return objc_retain(self);
  return copyInto(self, objc::classOf<NSArray>());
}
id NSArray_mutableCopyWithZone(NSArray* self, SEL, void*) { return copyInto(self, objc::classOf<NSMutableArray>()); }

void NSMutableArray_addObject(NSMutableArray* self, SEL sel, id object) {
  if (!object) objc::fatal("-[NSMutableArray %s]: object cannot be nil", sel_getName(sel));
  self->_items.emplace_back(object);
}
void NSMutableArray_insertObjectAtIndex(NSMutableArray* self, SEL sel, id object, NSUInteger i) {
  if (!object) objc::fatal("-[NSMutableArray %s]: object cannot be nil", sel_getName(sel));
  checkIndex(self, sel, i, self->_items.size() + 1);
  self->_items.insert(self->_items.begin() + static_cast<long>(i), Ref<objc_object>(object));
}
void NSMutableArray_removeObjectAtIndex(NSMutableArray* self, SEL sel, NSUInteger i) {
  checkIndex(self, sel, i, self->_items.size());
  Ref<objc_object> removed = std::move(self->_items[i]);  // released after the array is consistent
  self->_items.erase(self->_items.begin() + static_cast<long>(i));
}
void NSMutableArray_removeObject(NSMutableArray* self, SEL, id object) {
  std::vector<Ref<objc_object>> removed;
  std::erase_if(self->_items, [&](Ref<objc_object>& item) {
    bool match = item.get() == object || (object && objc::send<BOOL(id)>(item.get(), "isEqual:"_sel, object));
    if (match) removed.push_back(item);
    return match;
  });
}
void NSMutableArray_removeAllObjects(NSMutableArray* self, SEL) {
  std::vector<Ref<objc_object>> removed;
  removed.swap(self->_items);
}

}  // namespace

NSArray* NSArray::withObjects(std::initializer_list<id> objects) {
  auto* array = objc::as<NSArray>(objc::send<id()>(reinterpret_cast<id>(objc::classOf<NSArray>()), "array"_sel));
  for (id object : objects)
    if (object) array->_items.emplace_back(object);
  return array;
}

std::vector<id> NSArray::items() const {
  std::vector<id> out;
  out.reserve(_items.size());
  for (const auto& item : _items) out.push_back(item.get());
  return out;
}

void registerNSArray() {
  objc::ClassBuilder<NSArray>("NSArray", objc::classOf<NSObject>())
      .classMethod<&NSArray_array>("array")
      .method<&NSArray_count>("count")
      .method<&NSArray_objectAtIndex>("objectAtIndex:")
      .method<&NSArray_indexOfObject>("indexOfObject:")
      .method<&NSArray_containsObject>("containsObject:")
      .method<&NSArray_firstObject>("firstObject")
      .method<&NSArray_lastObject>("lastObject")
      .method<&NSArray_isEqual>("isEqual:")
      .method<&NSArray_hash>("hash")
      .method<&NSArray_description>("description")
      .method<&NSArray_copyWithZone>("copyWithZone:")
      .method<&NSArray_mutableCopyWithZone>("mutableCopyWithZone:");
  objc::ClassBuilder<NSMutableArray>("NSMutableArray", objc::classOf<NSArray>())
      .method<&NSMutableArray_addObject>("addObject:")
      .method<&NSMutableArray_insertObjectAtIndex>("insertObject:atIndex:")
      .method<&NSMutableArray_removeObjectAtIndex>("removeObjectAtIndex:")
      .method<&NSMutableArray_removeObject>("removeObject:")
      .method<&NSMutableArray_removeAllObjects>("removeAllObjects");
}
