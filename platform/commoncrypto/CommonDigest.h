// CommonCrypto's one-shot MD5 (RFC 1321), as the device offers it, computed
// by OpenSSL's libcrypto.
//
//   unsigned char digest[CC_MD5_DIGEST_LENGTH];
//   CC_MD5(text, static_cast<CC_LONG>(std::strlen(text)), digest);
#pragma once

#include <cstdint>

typedef uint32_t CC_LONG;
inline constexpr int CC_MD5_DIGEST_LENGTH = 16;

// Writes the 16-byte digest of `len` bytes at `data` into `md` and returns
// `md`; NULL when no digest could be computed.
unsigned char* CC_MD5(const void* data, CC_LONG len, unsigned char* md);
