// NSData.
#include "platform/foundation/NSData.h"

#include <cstring>

#include "platform/foundation/NSString.h"
#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

id NSData_dataWithBytesLength(Class cls, SEL, const void* bytes, NSUInteger length) {
  auto* data = static_cast<NSData*>(class_createInstance(cls, 0));
  if (bytes && length) data->_bytes.assign(static_cast<const uint8_t*>(bytes), static_cast<const uint8_t*>(bytes) + length);
  return objc_autorelease(data);
}
NSUInteger NSData_length(NSData* self, SEL) { return self->_bytes.size(); }
const void* NSData_bytes(NSData* self, SEL) { return self->_bytes.empty() ? nullptr : self->_bytes.data(); }
BOOL NSData_isEqual(NSData* self, SEL, id other) {
  return other == self || (objc::isKind<NSData>(other) && objc::as<NSData>(other)->_bytes == self->_bytes);
}
NSUInteger NSData_hash(NSData* self, SEL) { return self->_bytes.size(); }
// The classic form: hex in groups of four bytes, "<0badf00d 2a>".
NSString* NSData_description(NSData* self, SEL) {
  static const char digits[] = "0123456789abcdef";
  std::string text = "<";
  for (size_t i = 0; i < self->_bytes.size(); ++i) {
    if (i && i % 4 == 0) text.push_back(' ');
    text.push_back(digits[self->_bytes[i] >> 4]);
    text.push_back(digits[self->_bytes[i] & 15]);
  }
  return NSString::withUTF8(text + ">");
}
id NSData_copyWithZone(NSData* self, SEL, void*) { return objc_retain(self); }

}  // namespace

NSData* NSData::withBytes(const void* bytes, NSUInteger length) {
  return objc::send<NSData*(const void*, NSUInteger)>(reinterpret_cast<id>(objc::classOf<NSData>()),
                                                      "dataWithBytes:length:"_sel, bytes, length);
}

void registerNSData() {
  objc::ClassBuilder<NSData>("NSData", objc::classOf<NSObject>())
      .classMethod<&NSData_dataWithBytesLength>("dataWithBytes:length:")
      .method<&NSData_length>("length")
      .method<&NSData_bytes>("bytes")
      .method<&NSData_isEqual>("isEqual:")
      .method<&NSData_hash>("hash")
      .method<&NSData_description>("description")
      .method<&NSData_copyWithZone>("copyWithZone:");
}
