// mirel-selfcheck: starts the modelled platform and exercises the object
// runtime once: class registration, a cached send, a replaced method, nil
// sends and reference counting. Prints what it saw; exits non-zero on a
// mismatch.
#include <cstdio>

#include "platform/foundation/foundation.h"

namespace {

NSString* shoutingDescription(NSObject*, SEL) { return "REPLACED"_ns; }

int check(bool ok, const char* what) {
  std::printf("%s  %s\n", ok ? "ok  " : "FAIL", what);
  return ok ? 0 : 1;
}

}  // namespace

int main() {
  registerFoundation();
  AutoreleasePool pool;
  int failures = 0;

  NSString* text = NSString::withFormat("%@ has %d songs", "Songs"_ns, 12);
  failures += check(text->isEqualToString("Songs has 12 songs"_ns), "a formatted string compares equal");

  Ref<NSMutableDictionary> settings = objc::make<NSMutableDictionary>();
  settings->setObjectForKey(NSNumber::withBool(YES), "Enabled"_ns);
  failures += check(objc::as<NSNumber>(settings->objectForKey("Enabled"_ns))->boolValue(), "a dictionary answers a key");

  Ref<NSObject> object = objc::make<NSObject>();
  Method description = class_getInstanceMethod(objc::classOf<NSObject>(), "description"_sel);
  IMP saved = method_setImplementation(description, objc::imp<&shoutingDescription>());
  failures += check(object->description()->isEqualToString("REPLACED"_ns), "a replaced method answers at once");
  method_setImplementation(description, saved);
  failures += check(!object->description()->isEqualToString("REPLACED"_ns), "the saved implementation comes back");

  id nothing = nil;
  failures += check(objc::send<NSInteger()>(nothing, "count"_sel) == 0, "a message to nil answers 0");
  failures += check(objc_retainCount(object) == 1, "retain counts balance");

  std::printf("%s\n", failures ? "self-check failed" : "runtime self-check passed");
  return failures ? 1 : 0;
}
