// The drag-and-drop rule of product inputs at scale: may an assembly come in
// at the first station of a level whose stations each lead to the next two
// (a ladder of joins), when the station halfway down the level makes it?
// The answer is no, found by walking the flow once; the time must grow with
// the level's size, not with the number of its paths (the argument is the
// number of stations).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "KivModuleLoader.h"
#include "KivProcessDocument.h"
#include "MoxIListZitBltItemDD.h"

namespace {
struct Ladder {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  KivBaseUnknown_var first, loading, input;
  explicit Ladder(int size) {
    auto root = document->CreateRootActivity("Line");
    auto cell = document->CreateActivity(root.get(), "BIWActivityGrouping", "Cell");
    std::vector<KivBaseUnknown_var> stations;
    for (int i = 0; i < size; ++i) {
      stations.emplace_back(
          document->CreateActivity(cell.get(), "BIWActivityStation", "S" + std::to_string(i)).get());
      if (i >= 1) document->AddPrecedence(stations[i - 1].get(), stations[i].get());
      if (i >= 2) document->AddPrecedence(stations[i - 2].get(), stations[i].get());
    }
    auto body = document->CreateAssembly("Body");
    document->AddProductOutput(stations[static_cast<std::size_t>(size / 2)].get(), body.get());
    loading = document->CreateActivity(cell.get(), "BIWActivityLoading", "Feed").get();
    input = document->AddProductInput(loading.get(), body.get()).get();
    first = stations.front();
  }
};

void BM_AssemblyInputToTheFirstStation(benchmark::State& state) {
  // The rules are extensions that the plug-in registers as it loads.
  if (!KivModuleLoader::Load("MoxPexViewers")) return state.SkipWithError("no plug-in");
  Ladder ladder(static_cast<int>(state.range(0)));
  MoxIListZitBltItemDD_var rules(ladder.input.get());
  if (!rules) return state.SkipWithError("product inputs have no drag-and-drop rules");
  for (auto _ : state) {
    KivUnicodeString message;
    const unsigned char valid =
        rules->IsValidToReassign(ladder.loading.get(), ladder.first.get(), message);
    if (valid) state.SkipWithError("the assembly made downstream was allowed in");
    benchmark::DoNotOptimize(valid);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_AssemblyInputToTheFirstStation)
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
}  // namespace

BENCHMARK_MAIN();
