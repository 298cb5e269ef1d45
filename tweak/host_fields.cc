// Guarded by-name reads of host fields.
#include "tweak/host_fields.h"

#include <string>

#include "platform/foundation/foundation.h"

bool hostHasField(id object, const char* key) {
  if (!object) return false;
  Class cls = object_getClass(object);
  // The places -valueForKey: looks, in its order.
  return class_getInstanceMethod(cls, sel_registerName(key)) ||
         class_getInstanceVariable(cls, (std::string("_") + key).c_str()) || class_getInstanceVariable(cls, key);
}

id valueOfHostField(id object, const char* key) {
  if (!hostHasField(object, key)) return nil;
  return objc::send<id(NSString*)>(object, "valueForKey:"_sel, NSString::withUTF8(key));
}
