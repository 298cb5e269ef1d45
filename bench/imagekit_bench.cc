// The image toolkit's cache: a repeated request answered without drawing,
// beside its floor, the least a hit can cost by its own definition: one MD5
// of the same descriptor text and one lookup of the 32-digit key in a hash
// table.
//
//   mirel-bench --benchmark_filter=ImageCache
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <mutex>
#include <string>
#include <unordered_map>

#include "imagekit/DescriptorText.h"
#include "imagekit/imagekit.h"
#include "platform/loader/Loader.h"
#include "platform/uikit/uikit.h"

namespace {

// Each benchmark boots what it needs; bootPlatform is idempotent.
void boot() {
  bootPlatform();
  static std::once_flag once;
  std::call_once(once, registerImagekit);
}

// The request both benchmarks answer: add_imageWithColor: of this colour.
UIColor* requestedColour() { return UIColor::withRGBA(0.2, 0.4, 0.6, 1); }

void BM_ImageCacheHit(benchmark::State& state) {
  boot();
  AutoreleasePool outer;
  Ref<UIColor> colour = requestedColour();
  Ref<UIImage> first = add::imageWithColor(colour);  // drawn once and cached
  for (auto _ : state) {
    // The run loop drains a pool around every event; one request is one event.
    AutoreleasePool pool;
    UIImage* image = add::imageWithColor(colour);
    benchmark::DoNotOptimize(image);
    if (image != first.get()) state.SkipWithError("the request missed the cache");
  }
}
BENCHMARK(BM_ImageCacheHit);

// libcrypto's MD5 through a digest context kept across calls (the cheapest
// way it offers), the digest written as hexadecimal, and a lookup in a
// table holding that key among as many others as the toolkit caches on the
// Music screens.
void BM_ImageCacheFloor(benchmark::State& state) {
  boot();
  AutoreleasePool outer;
  std::string text = ADDDescriptorText({.size = CGSizeMake(1, 1), .color = requestedColour()});
  EVP_MD* md5 = EVP_MD_fetch(nullptr, "MD5", nullptr);
  EVP_MD_CTX* context = EVP_MD_CTX_new();
  auto key = [&] {
    unsigned char digest[16];
    unsigned int length = 0;
    EVP_DigestInit_ex2(context, md5, nullptr);
    EVP_DigestUpdate(context, text.data(), text.size());
    EVP_DigestFinal_ex(context, digest, &length);
    static const char kHex[] = "0123456789abcdef";
    std::string hex(32, '0');
    for (int i = 0; i < 16; ++i) hex[2 * i] = kHex[digest[i] >> 4], hex[2 * i + 1] = kHex[digest[i] & 15];
    return hex;
  };
  std::unordered_map<std::string, const void*> table;
  for (int i = 0; i < 64; ++i) table.emplace(std::to_string(i * 7919) + std::string(28, 'k'), &table);
  table.emplace(key(), &text);
  for (auto _ : state) {
    auto found = table.find(key());
    benchmark::DoNotOptimize(found);
    if (found == table.end()) state.SkipWithError("the key is not in the table");
  }
  EVP_MD_CTX_free(context);
  EVP_MD_free(md5);
}
BENCHMARK(BM_ImageCacheFloor);

}  // namespace
