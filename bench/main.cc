// Benchmark entry point: the platform and the image toolkit are registered
// once, as at a launch.
#include <benchmark/benchmark.h>

#include "imagekit/imagekit.h"
#include "platform/foundation/foundation.h"
#include "platform/uikit/uikit.h"

int main(int argc, char** argv) {
  registerFoundation();
  registerUIKit();
  registerImagekit();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
