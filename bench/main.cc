// Benchmark entry point. Each benchmark boots what it needs (bootPlatform is
// idempotent), so that benchmarks that launch hosts in child processes
// start those launches from a process that has mapped no extension.
#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
