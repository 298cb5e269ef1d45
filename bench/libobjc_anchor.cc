// The anchors: GCC's libobjc looking up and calling a method on a class made
// through its runtime API, and replacing as many methods as the hook table
// has rows. This file sees only libobjc's headers, never the model runtime's.
#include <benchmark/benchmark.h>
#include <objc/runtime.h>
#include <objc/message.h>

#include <map>
#include <string>
#include <vector>

#include "bench/table_shape.h"

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

__attribute__((noinline)) void hostMethod() {}
__attribute__((noinline)) void replacement() {}

// A class per class of the table (under a root of its own) holding each
// row's method, instance or class, so that every call replaces a method.
// Classes and selectors are looked up once, outside the timing: the anchor
// is class_replaceMethod alone.
void BM_LibobjcReplace(benchmark::State& state) {
  struct Target {
    Class cls;
    SEL sel;
    std::string types;
  };
  static std::vector<Target> targets = [] {
    Class root = objc_allocateClassPair(Nil, "ReplaceAnchorRoot", 0);
    objc_registerClassPair(root);
    std::map<std::string, Class> classes;
    std::vector<Target> made;
    for (const TableRowShape& row : hookTableShape()) {
      Class& cls = classes[row.className];
      if (!cls) {
        cls = objc_allocateClassPair(root, ("ReplaceAnchor_" + row.className).c_str(), 0);
        objc_registerClassPair(cls);
      }
      Class target = row.classMethod ? object_getClass(reinterpret_cast<id>(cls)) : cls;
      SEL sel = sel_registerName(row.selector.c_str());
      class_addMethod(target, sel, reinterpret_cast<IMP>(&hostMethod), row.types.c_str());
      made.push_back({target, sel, row.types});
    }
    return made;
  }();
  bool flip = false;
  for (auto _ : state) {
    IMP imp = reinterpret_cast<IMP>(flip ? &hostMethod : &replacement);
    flip = !flip;
    for (const Target& t : targets) benchmark::DoNotOptimize(class_replaceMethod(t.cls, t.sel, imp, t.types.c_str()));
  }
  state.counters["rows"] = double(targets.size());
  state.counters["per_row"] = benchmark::Counter(double(targets.size()), benchmark::Counter::kIsIterationInvariantRate |
                                                                            benchmark::Counter::kInvert);
}
BENCHMARK(BM_LibobjcReplace)->Unit(benchmark::kMicrosecond);

}  // namespace
