// Installing the hook table: every group's rows, into classes made fresh for
// each round (classes that have each replaced method as their own and lack
// each added one, as the hosts' classes do), beside the anchor in
// libobjc_anchor.cc, GCC's class_replaceMethod on as many methods. Both
// report seconds per row.
//
//   mirel-bench --benchmark_filter='InstallTable|LibobjcReplace'
#include <benchmark/benchmark.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "bench/table_shape.h"
#include "platform/foundation/foundation.h"
#include "platform/loader/Loader.h"
#include "platform/objc/class.h"
#include "tweak/hook_installer.h"

namespace {

constexpr HookGroup kGroups[] = {HookGroup::Messages, HookGroup::Music, HookGroup::NowPlaying};

void hostMethod() {}

// One round's classes, named after the table's with a prefix of their own,
// and the table's rows pointing at them.
struct FreshTable {
  std::deque<std::string> names;
  std::vector<std::vector<HookRow>> groups;
};

FreshTable makeFreshTable(int round) {
  FreshTable table;
  std::map<std::string, Class> classes;
  for (HookGroup group : kGroups) {
    std::vector<HookRow>& rows = table.groups.emplace_back();
    for (const HookRow& row : hookGroup(group)) {
      std::string name = "Round" + std::to_string(round) + "_" + row.className;
      Class& cls = classes[name];
      if (!cls) cls = objc::createClass(table.names.emplace_back(name).c_str(), objc::classOf<NSObject>(), 16,
                                        nullptr, nullptr);
      if (row.kind != HookKind::Add) {
        Class target = row.kind == HookKind::ReplaceClass ? object_getClass(reinterpret_cast<id>(cls)) : cls;
        class_addMethod(target, sel_registerName(row.selector), &hostMethod, row.replacementEncoding().c_str());
      }
      HookRow fresh = row;
      fresh.className = class_getName(cls);
      rows.push_back(fresh);
    }
  }
  return table;
}

size_t rowCount() {
  size_t n = 0;
  for (HookGroup group : kGroups) n += hookGroup(group).size();
  return n;
}

void BM_InstallTable(benchmark::State& state) {
  bootPlatform();
  static int round = 0;
  std::deque<FreshTable> tables;  // kept: the report points at their rows
  for (auto _ : state) {
    state.PauseTiming();
    FreshTable& table = tables.emplace_back(makeFreshTable(round++));
    state.ResumeTiming();
    for (size_t g = 0; g < std::size(kGroups); ++g) installHookRows(kGroups[g], table.groups[g]);
  }
  state.counters["rows"] = double(rowCount());
  state.counters["per_row"] =
      benchmark::Counter(double(rowCount()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
// Each round makes its classes for good (the runtime never removes a
// class), so the rounds are bounded.
BENCHMARK(BM_InstallTable)->Iterations(2000)->Unit(benchmark::kMicrosecond);

}  // namespace

std::vector<TableRowShape> hookTableShape() {
  std::vector<TableRowShape> shape;
  for (HookGroup group : kGroups)
    for (const HookRow& row : hookGroup(group))
      shape.push_back({row.className, row.selector, row.kind == HookKind::ReplaceClass,
                       row.kind == HookKind::Add ? row.types : row.replacementEncoding()});
  return shape;
}
