// The image toolkit's cache: a repeated request answered without drawing
// costs one descriptor dictionary, one key text, one MD5 and one lookup.
#include <benchmark/benchmark.h>

#include <mutex>

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

void BM_ImageCacheHit(benchmark::State& state) {
  boot();
  AutoreleasePool outer;
  Ref<UIColor> colour = UIColor::withRGBA(0.2, 0.4, 0.6, 1);
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

}  // namespace
