// NSAttributedString and NSMutableAttributedString over a run list. Edits
// split runs at the edited range's ends, change the runs inside, then merge
// neighbours that became equal, so that effective ranges stay maximal.
#include "platform/foundation/NSAttributedString.h"

#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

using Run = NSAttributedString::Run;

NSRange notFound() { return NSMakeRange(NSNotFound, 0); }

Ref<NSDictionary> frozen(NSDictionary* attributes) {
  if (!attributes) return adopt(static_cast<NSDictionary*>(class_createInstance(objc::classOf<NSDictionary>(), 0)));
  return adopt(objc::as<NSDictionary>(attributes->copy()));
}

Ref<NSString> immutableString(std::string utf8) {
  auto* s = static_cast<NSString*>(class_createInstance(objc::classOf<NSString>(), 0));
  s->_utf8 = std::move(utf8);
  return adopt(s);
}

bool sameObject(id a, id b) { return a == b || (a && b && objc::send<BOOL(id)>(a, "isEqual:"_sel, b)); }

void reset(NSAttributedString* self, NSString* string, NSDictionary* attributes) {
  self->_string = immutableString(string->str());
  self->_length = utf16Length(string->str());
  self->_runs.clear();
  if (self->_length) self->_runs.push_back({NSMakeRange(0, self->_length), frozen(attributes)});
}

// Index of the run holding `index`, which must be inside the string.
size_t runAt(const NSAttributedString* self, NSUInteger index) {
  size_t lo = 0, hi = self->_runs.size() - 1;
  while (lo < hi) {
    size_t mid = (lo + hi + 1) / 2;
    if (self->_runs[mid].range.location <= index) lo = mid;
    else hi = mid - 1;
  }
  return lo;
}

void checkRange(NSAttributedString* self, SEL sel, NSRange range) {
  if (range.location > self->_length || range.length > self->_length - range.location)
    objc::fatal("-[%s %s]: range {%lu, %lu} out of bounds; string length %lu", object_getClassName(self),
                sel_getName(sel), range.location, range.length, self->_length);
}

// Makes `position` a run boundary.
void splitAt(NSAttributedString* self, NSUInteger position) {
  if (position == 0 || position >= self->_length) return;
  size_t i = runAt(self, position);
  Run& run = self->_runs[i];
  if (run.range.location == position) return;
  NSUInteger end = run.range.location + run.range.length;
  Run tail{NSMakeRange(position, end - position), run.attributes};
  run.range.length = position - run.range.location;
  self->_runs.insert(self->_runs.begin() + static_cast<long>(i) + 1, std::move(tail));
}

void coalesce(NSAttributedString* self) {
  std::vector<Run> merged;
  for (Run& run : self->_runs) {
    if (!merged.empty() && sameObject(merged.back().attributes, run.attributes))
      merged.back().range.length += run.range.length;
    else
      merged.push_back(std::move(run));
  }
  self->_runs.swap(merged);
}

// Applies `change` to the attributes of every run inside `range`.
template <class Change>
void editRange(NSAttributedString* self, NSRange range, Change change) {
  if (range.length == 0) return;
  splitAt(self, range.location);
  splitAt(self, range.location + range.length);
  for (Run& run : self->_runs)
    if (run.range.location >= range.location && run.range.location < range.location + range.length)
      run.attributes = change(run.attributes.get());
  coalesce(self);
}

id NSAttributedString_initWithStringAttributes(NSAttributedString* self, SEL, NSString* string,
                                               NSDictionary* attributes) {
  if (!string) {
    objc_release(self);
    return nil;
  }
  reset(self, string, attributes);
  return self;
}
id NSAttributedString_initWithString(NSAttributedString* self, SEL, NSString* string) {
  return NSAttributedString_initWithStringAttributes(self, "initWithString:attributes:"_sel, string, nil);
}
NSString* NSAttributedString_string(NSAttributedString* self, SEL) { return self->_string; }
NSUInteger NSAttributedString_length(NSAttributedString* self, SEL) { return self->_length; }

// Foundation raises past the end; the model answers nil so that a host
// reading a shorter string than it expects degrades instead of crashing.
NSDictionary* NSAttributedString_attributesAtIndex(NSAttributedString* self, SEL, NSUInteger index,
                                                   NSRange* effectiveRange) {
  if (index >= self->_length) {
    if (effectiveRange) *effectiveRange = notFound();
    return nil;
  }
  const Run& run = self->_runs[runAt(self, index)];
  if (effectiveRange) *effectiveRange = run.range;
  return run.attributes;
}

// The effective range is where this one attribute keeps its value, which
// may span several runs that differ in other attributes.
id NSAttributedString_attributeAtIndex(NSAttributedString* self, SEL, NSString* name, NSUInteger index,
                                       NSRange* effectiveRange) {
  if (index >= self->_length || !name) {
    if (effectiveRange) *effectiveRange = notFound();
    return nil;
  }
  size_t i = runAt(self, index);
  id value = self->_runs[i].attributes->objectForKey(name);
  if (effectiveRange) {
    size_t first = i, last = i;
    while (first > 0 && sameObject(self->_runs[first - 1].attributes->objectForKey(name), value)) --first;
    while (last + 1 < self->_runs.size() && sameObject(self->_runs[last + 1].attributes->objectForKey(name), value))
      ++last;
    NSUInteger start = self->_runs[first].range.location;
    *effectiveRange = NSMakeRange(start, self->_runs[last].range.location + self->_runs[last].range.length - start);
  }
  return value;
}

BOOL NSAttributedString_isEqual(NSAttributedString* self, SEL, id other) {
  if (other == self) return YES;
  if (!objc::isKind<NSAttributedString>(other)) return NO;
  auto* o = objc::as<NSAttributedString>(other);
  if (self->_string->str() != o->_string->str() || self->_runs.size() != o->_runs.size()) return NO;
  for (size_t i = 0; i < self->_runs.size(); ++i)
    if (!(self->_runs[i].range == o->_runs[i].range) ||
        !sameObject(self->_runs[i].attributes, o->_runs[i].attributes))
      return NO;
  return YES;
}
NSUInteger NSAttributedString_hash(NSAttributedString* self, SEL) { return self->_string->hash(); }

NSString* NSAttributedString_description(NSAttributedString* self, SEL) {
  std::string text;
  for (const Run& run : self->_runs)
    text += self->_string->substringWithRange(run.range)->str() + describe(run.attributes.get());
  return NSString::withUTF8(text);
}

id copyInto(NSAttributedString* self, Class cls) {
  auto* copy = static_cast<NSAttributedString*>(class_createInstance(cls, 0));
  copy->_string = self->_string;
  copy->_length = self->_length;
  copy->_runs = self->_runs;
  return copy;
}
id NSAttributedString_copyWithZone(NSAttributedString* self, SEL, void*) {
  if (object_getClass(self) == objc::classOf<NSAttributedString>()) return objc_retain(self);
  return copyInto(self, objc::classOf<NSAttributedString>());
}
id NSAttributedString_mutableCopyWithZone(NSAttributedString* self, SEL, void*) {
  return copyInto(self, objc::classOf<NSMutableAttributedString>());
}

void NSMutableAttributedString_addAttribute(NSMutableAttributedString* self, SEL sel, NSString* name, id value,
                                            NSRange range) {
  if (!name || !value)
    objc::fatal("-[NSMutableAttributedString %s]: %s cannot be nil", sel_getName(sel), name ? "value" : "name");
  checkRange(self, sel, range);
  editRange(self, range, [&](NSDictionary* attributes) {
    Ref<NSMutableDictionary> changed = adopt(objc::as<NSMutableDictionary>(attributes->mutableCopy()));
    changed->setObjectForKey(value, name);
    return frozen(changed);
  });
}

void NSMutableAttributedString_setAttributes(NSMutableAttributedString* self, SEL sel, NSDictionary* attributes,
                                             NSRange range) {
  checkRange(self, sel, range);
  Ref<NSDictionary> replacement = frozen(attributes);
  editRange(self, range, [&](NSDictionary*) { return replacement; });
}

void NSMutableAttributedString_appendAttributedString(NSMutableAttributedString* self, SEL,
                                                      NSAttributedString* other) {
  if (!other || other->_length == 0) return;
  // Everything is read from `other` before `self` changes: they may be one object.
  std::vector<Run> appended = other->_runs;
  std::string text = self->_string->str() + other->_string->str();
  NSUInteger offset = self->_length, added = other->_length;
  for (Run& run : appended) {
    run.range.location += offset;
    self->_runs.push_back(std::move(run));
  }
  self->_string = immutableString(std::move(text));
  self->_length = offset + added;
  coalesce(self);
}

}  // namespace

void registerNSAttributedString() {
  objc::ClassBuilder<NSAttributedString>("NSAttributedString", objc::classOf<NSObject>())
      .method<&NSAttributedString_initWithString>("initWithString:")
      .method<&NSAttributedString_initWithStringAttributes>("initWithString:attributes:")
      .method<&NSAttributedString_string>("string")
      .method<&NSAttributedString_length>("length")
      .method<&NSAttributedString_attributeAtIndex>("attribute:atIndex:effectiveRange:")
      .method<&NSAttributedString_attributesAtIndex>("attributesAtIndex:effectiveRange:")
      .method<&NSAttributedString_isEqual>("isEqual:")
      .method<&NSAttributedString_hash>("hash")
      .method<&NSAttributedString_description>("description")
      .method<&NSAttributedString_copyWithZone>("copyWithZone:")
      .method<&NSAttributedString_mutableCopyWithZone>("mutableCopyWithZone:");
  objc::ClassBuilder<NSMutableAttributedString>("NSMutableAttributedString", objc::classOf<NSAttributedString>())
      .method<&NSMutableAttributedString_addAttribute>("addAttribute:value:range:")
      .method<&NSMutableAttributedString_setAttributes>("setAttributes:range:")
      .method<&NSMutableAttributedString_appendAttributedString>("appendAttributedString:");
}
