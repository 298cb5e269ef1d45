// NSData: an immutable byte buffer, as property lists and files produce it.
//
//   NSData* data = NSData::withBytes(buffer, size);
//   data->length();
#pragma once

#include <cstdint>
#include <vector>

#include "platform/foundation/NSObject.h"

struct NSData : NSObject {
  static constexpr const char* kClassName = "NSData";
  std::vector<uint8_t> _bytes;

  // Autoreleased copy of the bytes.
  static NSData* withBytes(const void* bytes, NSUInteger length);

  NSUInteger length() { return objc::send<NSUInteger()>(this, "length"_sel); }
  const void* bytes() { return objc::send<const void*()>(this, "bytes"_sel); }
};

void registerNSData();
