// The node organiser on the host: a process document whose root has the
// generated level's activities as children, linked the same way, laid out
// on a PERT controller. Beside the layout core's figures this shows what the
// host's queries (child and successor lists, interface queries, position
// writes and notifications) add.
#include <benchmark/benchmark.h>

#include <map>

#include "KivDelayedDestruction.h"
#include "KivViewer.h"
#include "MoxPFVBenchDocument.h"
#include "MoxPFVNodeOrganiser.h"
#include "MoxPertController.h"

namespace {

const MoxPFVBenchDocument& LevelFor(int size) {
  static std::map<int, MoxPFVBenchDocument> cache;
  auto it = cache.find(size);
  if (it == cache.end())
    it = cache.emplace(size, MoxPFVMakeOneLevelDocument(MoxPFVRandomLevel(size, 42))).first;
  return it->second;
}

void OrganiserOnDocument(benchmark::State& state) {
  const MoxPFVBenchDocument& level = LevelFor(static_cast<int>(state.range(0)));
  auto viewer = KivMake<KivViewer>("chart");
  auto controller = KivVar<MoxPertController>::Adopt(
      new MoxPertController(nullptr, level.root, viewer.get(), 1, 1, 1, NULL_var));
  for (auto _ : state) {
    auto organiser = KivMake<MoxPFVNodeOrganiser>();
    if (!organiser->ArrangeNodes(level.root, controller.get())) {
      state.SkipWithError("the organiser refused the level");
      break;
    }
  }
  KivDelayedDestruction::Flush();
  state.counters["nodes"] = static_cast<double>(state.range(0));
  state.counters["links"] = level.links;
}

}  // namespace

BENCHMARK(OrganiserOnDocument)
    ->ArgName("size")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
