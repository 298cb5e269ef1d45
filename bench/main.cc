// Benchmark entry point: the platform is registered once, as at a launch.
#include <benchmark/benchmark.h>

#include "platform/foundation/foundation.h"

int main(int argc, char** argv) {
  registerFoundation();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
