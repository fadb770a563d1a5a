// The lists of the status buttons at scale.
//
// Refresh: one product assigned to a station and unassigned again, in a
// viewer on a level of ten stations, in a document of 100 activities and in
// one of 10,000 activities and 50,000 products of the same shape. The
// rebuilt lists are those of that station and of the stations after it, so
// the two must cost about the same ("lists" counts the lists rebuilt).
//
// Open: the product flow viewer on 1,000 stations with 20 inputs each, every
// list of every button built, beside the same level without status buttons.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "KivApplicationFrame.h"
#include "KivDelayedDestruction.h"
#include "KivFrmLayout.h"
#include "KivFrmWindow.h"
#include "KivInteraction.h"
#include "KivProcessDocument.h"
#include "MoxIScrollListZitBlt.h"
#include "MoxIZitBltMgr.h"
#include "MoxZitBltConfiguration.h"
#include "MoxZitBltRep.h"

namespace {
// A line of `cells` groupings of ten stations in a chain, each station with
// nine loading operations; five products come in to every station and five
// are assigned to every operation. 101 activities and 500 products per cell.
struct Line {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  KivBaseUnknown_var firstCell;
  std::vector<KivBaseUnknown_var> firstStations;
  explicit Line(int cells) {
    auto root = document->CreateRootActivity("Line");
    auto products = document->CreateProduct(nullptr, "Body");
    for (int c = 0; c < cells; ++c) {
      KivBaseUnknown_var cell =
          document->CreateActivity(root, "BIWActivityGrouping", "Cell " + std::to_string(c)).get();
      if (c == 0) firstCell = cell;
      KivBaseUnknown_var previous;
      for (int s = 0; s < 10; ++s) {
        KivBaseUnknown_var station =
            document->CreateActivity(cell.get(), "BIWActivityStation", "S" + std::to_string(s))
                .get();
        if (c == 0) firstStations.push_back(station);
        if (previous) document->AddPrecedence(previous.get(), station.get());
        previous = station;
        for (int i = 0; i < 5; ++i)
          document->AddProductInput(station.get(), document->CreateProduct(products, "In").get());
        for (int o = 0; o < 9; ++o) {
          auto operation = document->CreateActivity(station.get(), "BIWActivityLoading", "Load");
          for (int i = 0; i < 5; ++i)
            document->AssignItem(operation, document->CreateProduct(products, "Part").get());
        }
      }
    }
  }
};

void UseResources() {
  setenv("KivStartupPath", KIV_SOURCE_DIR "/resources", 1);
  MoxZitBltConfiguration::Forget();
}

int RefreshedLists(const std::vector<KivBaseUnknown_var>& stations) {
  int refreshes = 0;
  for (const auto& station : stations)
    for (const char* name : {"ProductInput", "ProductOutput", "Resources"}) {
      MoxZitBltRep* rep = nullptr;
      MoxIZitBltMgr_var(station.get())->FindZitBlt(name, &rep);
      if (auto list = MoxIScrollListZitBlt_var(static_cast<KivBaseUnknown*>(rep)))
        refreshes += list->GetRefreshCount();
    }
  return refreshes;
}

void BM_RefreshAfterOneAssignment(benchmark::State& state) {
  UseResources();
  Line line(static_cast<int>(state.range(0)));
  KivInteraction::OpenDocument(line.document.get());
  KivInteraction::StartCommand("MoxPexProductFlowViewerCmd");
  if (!KivInteraction::Pick(line.firstCell.get())) state.SkipWithError("no viewer");
  KivBaseUnknown_var extra = line.document->CreateProduct(nullptr, "Extra").get();
  KivBaseUnknown* station = line.firstStations[0].get();
  const int before = RefreshedLists(line.firstStations);
  for (auto _ : state) {
    line.document->AssignItem(station, extra.get());
    line.document->UnassignItem(station, extra.get());
  }
  state.counters["lists"] = benchmark::Counter(RefreshedLists(line.firstStations) - before,
                                               benchmark::Counter::kAvgIterations);
  state.counters["activities"] = line.document->ActivityCount();
  state.counters["products"] = line.document->ProductCount();
  KivApplicationFrame::Shutdown();
  KivDelayedDestruction::Flush();
}

// 1,000 stations in a chain under one grouping, each with 20 inputs, one
// output and one resource.
void OpenLevel(benchmark::State& state, const std::string& startupFolder) {
  setenv("KivStartupPath", startupFolder.c_str(), 1);
  MoxZitBltConfiguration::Forget();
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  auto root = document->CreateRootActivity("Line");
  KivBaseUnknown_var cell = document->CreateActivity(root, "BIWActivityGrouping", "Cell").get();
  auto body = document->CreateProduct(nullptr, "Body");
  auto robots = document->CreateResource(nullptr, "Robots", "Folder");
  KivBaseUnknown_var previous;
  for (int s = 0; s < 1000; ++s) {
    KivBaseUnknown_var station =
        document->CreateActivity(cell.get(), "BIWActivityStation", "S" + std::to_string(s)).get();
    if (previous) document->AddPrecedence(previous.get(), station.get());
    previous = station;
    for (int i = 0; i < 20; ++i)
      document->AddProductInput(station.get(), document->CreateProduct(body, "Part").get());
    document->AddProductOutput(station.get(), document->CreateProduct(body, "Assembly").get());
    document->AssignResource(station.get(),
                             document->CreateResource(robots, "Robot", "Robot").get());
  }
  KivInteraction::OpenDocument(document.get());
  for (auto _ : state) {
    KivInteraction::StartCommand("MoxPexProductFlowViewerCmd");
    if (!KivInteraction::Pick(cell.get())) state.SkipWithError("no viewer");
    state.PauseTiming();
    KivFrmLayout* layout = KivFrmLayout::GetCurrentLayout();
    if (layout && layout->GetCurrentWindow()) layout->GetCurrentWindow()->DeleteWindow();
    KivDelayedDestruction::Flush();
    state.ResumeTiming();
  }
  KivApplicationFrame::Shutdown();
  KivDelayedDestruction::Flush();
}

void BM_OpenLevelWithEveryListBuilt(benchmark::State& state) {
  OpenLevel(state, KIV_SOURCE_DIR "/resources");
}

void BM_OpenLevelWithoutButtons(benchmark::State& state) {
  const auto empty = std::filesystem::temp_directory_path() / "zitblt-bench-empty";
  std::filesystem::create_directories(empty);
  OpenLevel(state, empty.string());
}
}  // namespace

// 1 cell: 102 activities, 500 products; 99 cells: 10,000 activities, 50,000 products.
BENCHMARK(BM_RefreshAfterOneAssignment)
    ->Arg(1)
    ->Arg(99)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK(BM_OpenLevelWithEveryListBuilt)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenLevelWithoutButtons)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
