// The node organiser on the host: a process document whose root has the
// generated level's activities as children, linked the same way, laid out
// on a PERT controller. Beside the layout core's figures this shows what the
// host's queries (child and successor lists, interface queries, position
// writes and notifications) add.
#include <benchmark/benchmark.h>

#include <map>

#include "KivDelayedDestruction.h"
#include "KivProcessDocument.h"
#include "KivViewer.h"
#include "MoxPFVBenchGraphs.h"
#include "MoxPFVNodeOrganiser.h"
#include "MoxPertController.h"

namespace {

struct Level {
  KivVar<KivProcessDocument> doc;
  KivBaseUnknown_var root;
  int links = 0;
};

const Level& LevelFor(int size) {
  static std::map<int, Level> cache;
  auto it = cache.find(size);
  if (it != cache.end()) return it->second;
  const MoxPFVBenchGraph graph = MoxPFVRandomLevel(size, 42);
  Level level;
  level.doc = KivProcessDocument::Create();
  level.root = level.doc->CreateRootActivity("Line");
  std::vector<KivBaseUnknown_var> activities;
  activities.reserve(static_cast<size_t>(size));
  for (int i = 0; i < size; ++i) {
    activities.push_back(level.doc->CreateActivity(level.root.get(), "BIWActivityStation",
                                                   KivUnicodeString("S" + std::to_string(i))));
  }
  for (int from = 0; from < size; ++from) {
    for (int k = graph.first[static_cast<size_t>(from)];
         k < graph.first[static_cast<size_t>(from) + 1]; ++k) {
      const auto to = static_cast<size_t>(graph.targets[static_cast<size_t>(k)]);
      if (level.doc->AddPrecedence(activities[static_cast<size_t>(from)].get(),
                                   activities[to].get()) == S_OK) {
        ++level.links;
      }
    }
  }
  return cache.emplace(size, std::move(level)).first->second;
}

void OrganiserOnDocument(benchmark::State& state) {
  const Level& level = LevelFor(static_cast<int>(state.range(0)));
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
