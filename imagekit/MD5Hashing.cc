// NSString(MD5Hashing), through the platform's CC_MD5.
#include "imagekit/MD5Hashing.h"

#include <cstring>

#include "platform/commoncrypto/CommonDigest.h"
#include "platform/objc/class_builder.h"

namespace {

NSString* NSString_md5(NSString* self, SEL) {
  const char* text = self->UTF8String();
  return md5HexOf(text, std::strlen(text));
}

}  // namespace

NSString* md5HexOf(const void* bytes, size_t length) {
  unsigned char digest[CC_MD5_DIGEST_LENGTH];
  CC_MD5(bytes, static_cast<CC_LONG>(length), digest);
  static const char kHex[] = "0123456789abcdef";
  char hex[CC_MD5_DIGEST_LENGTH * 2 + 1];
  for (int i = 0; i < CC_MD5_DIGEST_LENGTH; ++i) {
    hex[2 * i] = kHex[digest[i] >> 4];
    hex[2 * i + 1] = kHex[digest[i] & 15];
  }
  hex[CC_MD5_DIGEST_LENGTH * 2] = '\0';
  return NSString::withUTF8(hex);
}

void registerNSStringMD5Hashing() { objc::Category(objc::classOf<NSString>()).method<&NSString_md5>("md5"); }
