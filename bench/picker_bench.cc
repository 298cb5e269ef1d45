// The colour picker: the CPU counting pass alone (fast and plain loop), and
// whole extractions of a decoded 600 × 600 image on each pass.
//
//   mirel-bench --benchmark_filter=Picker
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "colorpicker/colorpicker.h"
#include "platform/coregraphics/CGImage.h"
#include "platform/gles/EAGLContext.h"
#include "platform/loader/Loader.h"
#include "platform/uikit/UIImage.h"

namespace {

void boot() {
  bootPlatform();
  registerColorPicker();
}

uint8_t clampByte(double v) { return uint8_t(std::lround(std::fmin(255, std::fmax(0, v)))); }

// Images as a cover might look: 0 artwork (a soft gradient, a disc, a band
// and film grain), 1 flat design (three colours), 2 noise (the worst case).
void paint(int kind, int x, int y, int side, uint8_t* p) {
  double u = double(x) / side, v = double(y) / side;
  unsigned h = unsigned(x) * 73856093u ^ unsigned(y) * 19349663u;
  h ^= h >> 13, h *= 0x5bd1e995u, h ^= h >> 15;
  double r, g, b;
  if (kind == 0) {
    double grain = double(h % 17) - 8;
    r = 40 + 150 * u + grain, g = 30 + 60 * v + grain, b = 90 + 100 * (1 - u) * v + grain;
    if (std::hypot(u - 0.62, v - 0.4) < 0.22) r = 235 - 40 * v + grain, g = 190 - 30 * u + grain, b = 60 + grain;
    if (v > 0.78 && v < 0.86) r = g = b = 245 + grain / 2;
  } else if (kind == 1) {
    bool disc = std::hypot(u - 0.5, v - 0.5) < 0.3;
    r = disc ? 250 : u < 0.5 ? 20 : 200, g = disc ? 210 : u < 0.5 ? 30 : 40, b = disc ? 30 : u < 0.5 ? 70 : 60;
  } else {
    r = h & 255, g = (h >> 8) & 255, b = (h >> 16) & 255;
  }
  p[0] = clampByte(r), p[1] = clampByte(g), p[2] = clampByte(b), p[3] = 255;
}

const char* kKinds[] = {"artwork", "flat", "noise"};

UIImage* decodedImage(int kind, int side) {
  size_t bytes = size_t(side) * side * 4;
  auto* pixels = static_cast<uint8_t*>(std::malloc(bytes));
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) paint(kind, x, y, side, pixels + (size_t(y) * side + x) * 4);
  CGDataProviderRef provider = CGDataProviderCreateWithData(nullptr, pixels, bytes, &freeImageData);
  CGImageRef cg = CGImageCreate(side, side, 8, 32, size_t(side) * 4, CGColorSpaceCreateDeviceRGB(),
                                kCGImageAlphaPremultipliedLast, provider, nullptr, true, kCGRenderingIntentDefault);
  CGDataProviderRelease(provider);
  UIImage* image = objc::as<UIImage>(objc_retain(UIImage::imageWithCGImage(cg)));  // kept for the run
  CGImageRelease(cg);
  return image;
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
