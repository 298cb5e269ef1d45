// The cost of a message send against a direct call.
#include <benchmark/benchmark.h>

#include "platform/foundation/foundation.h"
#include "platform/loader/Loader.h"
#include "platform/objc/class_builder.h"

namespace {

struct Target : NSObject {
  static constexpr const char* kClassName = "BenchTarget";
  id _last;
};

__attribute__((noinline)) void Target_take(Target* self, SEL, id argument) {
  self->_last = argument;
  benchmark::ClobberMemory();
}

Target* target() {
  static Target* instance = [] {
    bootPlatform();
    Class cls = objc::ClassBuilder<Target>("BenchTarget", objc::classOf<NSObject>())
                    .method<&Target_take>("take:")
                    .cls();
    return static_cast<Target*>(class_createInstance(cls, 0));
  }();
  return instance;
}

void BM_SendCached(benchmark::State& state) {
  Target* t = target();
  id argument = reinterpret_cast<id>(objc::classOf<NSObject>());
  SEL sel = "take:"_sel;
  objc::send<void(id)>(t, sel, argument);  // fills the cache
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    objc::send<void(id)>(t, sel, argument);
  }
}
BENCHMARK(BM_SendCached);

void BM_SendNil(benchmark::State& state) {
  id nothing = nil;
  id argument = reinterpret_cast<id>(objc::classOf<NSObject>());
  SEL sel = "take:"_sel;
  for (auto _ : state) {
    benchmark::DoNotOptimize(nothing);
    objc::send<void(id)>(nothing, sel, argument);
  }
}
BENCHMARK(BM_SendNil);

void BM_DirectCall(benchmark::State& state) {
  Target* t = target();
  id argument = reinterpret_cast<id>(objc::classOf<NSObject>());
  SEL sel = "take:"_sel;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    Target_take(t, sel, argument);
  }
}
BENCHMARK(BM_DirectCall);

}  // namespace
