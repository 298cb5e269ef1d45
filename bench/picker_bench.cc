// The colour picker: the CPU counting pass alone (fast and plain loop), and
// whole extractions of a decoded 600 × 600 image on each pass.
//
//   mirel-bench --benchmark_filter=Picker
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "bench/bench_images.h"
#include "colorpicker/colorpicker.h"
#include "platform/coregraphics/CGImage.h"
#include "platform/gles/EAGLContext.h"
#include "platform/loader/Loader.h"
#include "platform/uikit/UIImage.h"

namespace {

using namespace bench_images;

void boot() {
  bootPlatform();
  registerColorPicker();
}

UIImage* image600(int kind) {
  static UIImage* images[3] = {};
  if (!images[kind]) images[kind] = decodedImage(kind, 600);
  return images[kind];
}

// The 32 × 32 rendition the pass reads, as an extraction makes it. Shrinking
// averages noise away, so the noise case of the pass alone is a rendition of
// random texels instead: the hardest input the pass can get.
std::array<uint8_t, 32 * 32 * 4> rendition(int kind) {
  if (kind == 2) {
    std::array<uint8_t, 32 * 32 * 4> texels{};
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) paint(2, x, y, 32, texels.data() + (y * 32 + x) * 4);
    return texels;
  }
  AutoreleasePool pool;
  Ref<KRColorPicker> picker = objc::make<KRColorPicker>();
  picker->setBackend(KRColorPickerBackendCPU);
  picker->setupTextureFromImage(picker->scaleImage(image600(kind), 32, 32));
  return picker->_texels;
}

template <void (*Pass)(const uint8_t*, uint8_t*)>
void countingPass(benchmark::State& state) {
  boot();
  int kind = int(state.range(0));
  std::array<uint8_t, 32 * 32 * 4> texels = rendition(kind), out{};
  for (auto _ : state) {
    Pass(texels.data(), out.data());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetLabel(kind == 2 ? "random texels" : kKinds[kind]);
}

void BM_PickerPassCpu(benchmark::State& state) { countingPass<&dominantCountPass>(state); }
BENCHMARK(BM_PickerPassCpu)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_PickerPassCpuPlainLoop(benchmark::State& state) { countingPass<&dominantCountPassReference>(state); }
BENCHMARK(BM_PickerPassCpuPlainLoop)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void extraction(benchmark::State& state, KRColorPickerBackend backend) {
  boot();
  int kind = int(state.range(0));
  Ref<KRColorPicker> picker = objc::make<KRColorPicker>();
  picker->setBackend(backend);
  UIImage* image = image600(kind);
  {
    AutoreleasePool pool;
    picker->colorSchemeFromImage(image);  // makes the context and GL objects once
  }
  if (picker->lastBackend() != backend) {
    state.SkipWithError("this pass is not available here");
    return;
  }
  for (auto _ : state) {
    AutoreleasePool pool;
    benchmark::DoNotOptimize(picker->colorSchemeFromImage(image));
  }
  state.SetLabel(backend == KRColorPickerBackendGL ? std::string(kKinds[kind]) + " on " + EAGLDisplayPlatform()
                                                   : std::string(kKinds[kind]));
}

void BM_PickerExtractCpu(benchmark::State& state) { extraction(state, KRColorPickerBackendCPU); }
BENCHMARK(BM_PickerExtractCpu)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_PickerExtractGl(benchmark::State& state) { extraction(state, KRColorPickerBackendGL); }
BENCHMARK(BM_PickerExtractGl)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace
