// A ladder of diamonds (top -> left, right -> next top) as one PERT level:
// - the shape check of 1,000 picked activities in the middle of a 10,000-
//   activity ladder (every outside activity is walked);
// - the group command building that group (picks, OK, the whole build);
// - the re-entry walk with and without its visited set on a 30-activity
//   ladder, where the literal walk follows every one of its 2^10 paths.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "KivApplicationFrame.h"
#include "KivDelayedDestruction.h"
#include "KivDlgDialog.h"
#include "KivInteraction.h"
#include "KivMessageLog.h"
#include "KivProcessDocument.h"
#include "MoxPexGroupShape.h"
#include "MoxPexLiteralReEntry.h"

namespace {

struct Ladder {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  std::vector<KivBaseUnknown_var> nodes;  // top of diamond k at 3k
  explicit Ladder(int activities) {
    auto root = document->CreateRootActivity("Ladder", "root");
    for (int i = 0; i < activities; ++i)
      nodes.push_back(document
                          ->CreateActivity(root.get(), "BIWActivityStation",
                                           "N" + std::to_string(i), "n" + std::to_string(i))
                          .get());
    for (int top = 0; top + 3 < activities; top += 3) {
      for (int side : {top + 1, top + 2}) {
        document->AddPrecedence(nodes[top].get(), nodes[side].get());
        document->AddPrecedence(nodes[side].get(), nodes[top + 3].get());
      }
    }
  }
  // `count` activities from the top of diamond `first`.
  KivListValKivBaseUnknown_var Slice(int first, int count) const {
    KivListValKivBaseUnknown_var list;
    for (int i = 3 * first; i < 3 * first + count; ++i) list.Append(nodes[i]);
    return list;
  }
};

void BM_ShapeCheck1000Of10000(benchmark::State& state) {
  const Ladder ladder(10000);
  const auto picked = ladder.Slice(1000, 1000);  // tops 3000 .. 3999: one entry, one exit
  for (auto _ : state) {
    const MoxPexGroupShape shape(picked);
    if (!shape.IsSound()) state.SkipWithError("the slice should be sound");
    benchmark::DoNotOptimize(shape);
  }
}
BENCHMARK(BM_ShapeCheck1000Of10000)->Unit(benchmark::kMillisecond);

void BM_BuildGroup1000Of10000(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    KivApplicationFrame::Shutdown();
    KivDelayedDestruction::Flush();
    KivMessageLog::Clear();
    Ladder ladder(10000);
    KivInteraction::OpenDocument(ladder.document.get());
    KivInteraction::StartCommand("MoxPexPertGrpActCmd");
    KivInteraction::Pick(ladder.Slice(1000, 1000));
    state.ResumeTiming();
    KivInteraction::PressOK("MoxPexActivityGroupDlg");
    state.PauseTiming();
    if (KivMessageLog::Count() != 0 || ladder.document->ActivityCount() < 9000)
      state.SkipWithError("the group was not built");
    KivApplicationFrame::Shutdown();
    KivDelayedDestruction::Flush();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildGroup1000Of10000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The last top of a 30-activity ladder picked alone: no path comes back, so
// both walks cover everything before it.
void BM_ReEntryLiteral30(benchmark::State& state) {
  const Ladder ladder(31);
  const auto picked = ladder.Slice(10, 1);
  for (auto _ : state) benchmark::DoNotOptimize(LiteralReEntry(picked));
}
BENCHMARK(BM_ReEntryLiteral30)->Unit(benchmark::kMillisecond);

void BM_ReEntryVisited30(benchmark::State& state) {
  const Ladder ladder(31);
  const auto picked = ladder.Slice(10, 1);
  for (auto _ : state) benchmark::DoNotOptimize(MoxPexGroupShape(picked).HasReEntry());
}
BENCHMARK(BM_ReEntryVisited30)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
