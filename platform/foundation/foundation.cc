// Registration of the Foundation classes, root first.
#include "platform/foundation/foundation.h"

#include "platform/dispatch/dispatch.h"
#include "platform/objc/class_builder.h"

namespace {
id NSBlock_copyWithZone(id self, SEL, void*) { return objc_retain(self); }
}  // namespace

void registerNSBlock() {
  objc::ClassBuilder<NSBlock>("NSBlock", objc::classOf<NSObject>())
      .method<&NSBlock_copyWithZone>("copyWithZone:");
}

void registerFoundation() {
  registerNSObject();
  registerNSThread();  // records the calling thread as the main thread
  registerNSString();
  registerNSNumber();
  registerNSArray();
  registerNSDictionary();
  registerNSValue();
  registerNSBlock();
  registerDispatch();
  registerNSData();
  registerNSDate();
  registerPropertyList();
  registerNSScanner();
  registerNSCache();
  registerNSNotification();
  registerNSAttributedString();
  registerNSBundle();
}
