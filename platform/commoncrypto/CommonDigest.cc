// CC_MD5 over libcrypto's EVP interface. The digest is fetched once and
// each thread keeps one digest context, so a call costs no allocation.
#include "platform/commoncrypto/CommonDigest.h"

#include <openssl/evp.h>

#include <memory>

namespace {

const EVP_MD* md5() {
  static EVP_MD* fetched = EVP_MD_fetch(nullptr, "MD5", nullptr);
  return fetched;
}

EVP_MD_CTX* threadContext() {
  thread_local std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
  return context.get();
}

}  // namespace

unsigned char* CC_MD5(const void* data, CC_LONG len, unsigned char* md) {
  EVP_MD_CTX* context = threadContext();
  unsigned int written = 0;
  if (!md5() || !context || !EVP_DigestInit_ex2(context, md5(), nullptr) || !EVP_DigestUpdate(context, data, len) ||
      !EVP_DigestFinal_ex(context, md, &written))
    return nullptr;
  return md;
}
