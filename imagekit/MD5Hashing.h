// NSString(MD5Hashing): -md5, the RFC 1321 digest of the string's UTF-8
// bytes as 32 lowercase hexadecimal digits.
//
//   add::md5("abc"_ns);  // "900150983cd24fb0d6963f7d28e17f72"
#pragma once

#include "platform/foundation/NSString.h"

// The same digest of any bytes, as a new autoreleased string.
NSString* md5HexOf(const void* bytes, size_t length);

namespace add {
inline NSString* md5(NSString* text) { return objc::send<NSString*()>(text, "md5"_sel); }
}  // namespace add

// Adds the category NSString(MD5Hashing). Part of registerImagekit().
void registerNSStringMD5Hashing();
