// The anchor: GCC's libobjc looking up and calling a method on a class made
// through its runtime API. This file sees only libobjc's headers, never the
// model runtime's.
#include <benchmark/benchmark.h>
#include <objc/runtime.h>
#include <objc/message.h>

namespace {

__attribute__((noinline)) id takeArgument(id self, SEL, id argument) {
  benchmark::DoNotOptimize(argument);
  return self;
}

void BM_LibobjcLookup(benchmark::State& state) {
  Class root = objc_allocateClassPair(Nil, "AnchorRoot", 0);
  // A root class must be able to answer +alloc-free creation and the
  // runtime's own +initialize probe.
  class_addMethod(root, sel_registerName("take:"), reinterpret_cast<IMP>(&takeArgument), "@@:@");
  objc_registerClassPair(root);
  id object = class_createInstance(root, 0);
  SEL sel = sel_registerName("take:");
  id argument = object;
  for (auto _ : state) {
    benchmark::DoNotOptimize(object);
    IMP imp = objc_msg_lookup(object, sel);
    reinterpret_cast<id (*)(id, SEL, id)>(imp)(object, sel, argument);
  }
}
BENCHMARK(BM_LibobjcLookup);

}  // namespace
