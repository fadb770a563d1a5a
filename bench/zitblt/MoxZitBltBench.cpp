// Opening a product flow viewer on a level of 1,000 groupings, each with the
// six buttons of the bundled configuration, and attaching the buttons alone.
// The configuration is parsed once, however many managers build their
// buttons: the "parses" counter shows it.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "KivApplicationFrame.h"
#include "KivDelayedDestruction.h"
#include "KivFrmLayout.h"
#include "KivFrmWindow.h"
#include "KivInteraction.h"
#include "KivProcessDocument.h"
#include "KivViewer.h"
#include "MoxIZitBltMgr.h"
#include "MoxZitBltConfiguration.h"

namespace {
constexpr int kNodes = 1000;

// A station whose level holds `kNodes` groupings in a chain.
struct Level {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  KivBaseUnknown_var station;
  std::vector<KivBaseUnknown_var> nodes;
  Level() {
    auto root = document->CreateRootActivity("Line");
    station = document->CreateActivity(root, "BIWActivityStation", "Framing").get();
    KivBaseUnknown_var previous = document->GetStartNode(station.get());
    for (int i = 0; i < kNodes; ++i) {
      KivBaseUnknown_var node =
          document->CreateActivity(station.get(), "BIWActivityGrouping", "G" + std::to_string(i))
              .get();
      document->AddPrecedence(previous.get(), node.get());
      nodes.push_back(node);
      previous = node;
    }
    document->AddPrecedence(previous.get(), document->GetStopNode(station.get()).get());
  }
};

void UseStartupFolder(const std::string& folder) {
  setenv("KivStartupPath", folder.c_str(), 1);
  MoxZitBltConfiguration::Forget();
}

int CountButtons(const Level& level) {
  int buttons = 0;
  for (const auto& node : level.nodes) {
    KivListValKivUnicodeString* names = nullptr;
    MoxIZitBltMgr_var(node.get())->GetAllZitBlts(&names);
    buttons += names ? names->Size() : 0;
    delete names;
  }
  return buttons;
}

// The viewer command as a user starts it, then the window closed again.
void OpenViewer(benchmark::State& state, const std::string& startupFolder) {
  UseStartupFolder(startupFolder);
  Level level;
  KivInteraction::OpenDocument(level.document.get());
  int buttons = 0;
  for (auto _ : state) {
    KivInteraction::StartCommand("MoxPexProductFlowViewerCmd");
    const KivStepResult picked = KivInteraction::Pick(level.station.get());
    if (!picked) state.SkipWithError(picked.message.c_str());
    state.PauseTiming();
    buttons = CountButtons(level);
    KivFrmLayout* layout = KivFrmLayout::GetCurrentLayout();
    if (layout && layout->GetCurrentWindow()) layout->GetCurrentWindow()->DeleteWindow();
    KivDelayedDestruction::Flush();
    state.ResumeTiming();
  }
  state.counters["buttons"] = buttons;
  state.counters["parses"] = MoxZitBltConfiguration::ParseCount();
  KivApplicationFrame::Shutdown();
  KivDelayedDestruction::Flush();
}

void BM_OpenViewerWithSixButtonsPerNode(benchmark::State& state) {
  OpenViewer(state, KIV_SOURCE_DIR "/resources");
}

void BM_OpenViewerWithoutButtons(benchmark::State& state) {
  const auto empty = std::filesystem::temp_directory_path() / "zitblt-bench-empty";
  std::filesystem::create_directories(empty);
  OpenViewer(state, empty.string());
}

// Init and Remove of every manager of the level in one viewer.
void BM_AttachAndRemoveButtons(benchmark::State& state) {
  UseStartupFolder(KIV_SOURCE_DIR "/resources");
  Level level;
  auto viewer = KivMake<KivViewer>("bench");
  for (auto _ : state) {
    for (const auto& node : level.nodes) MoxIZitBltMgr_var(node.get())->Init(viewer);
    state.PauseTiming();
    for (const auto& node : level.nodes) MoxIZitBltMgr_var(node.get())->Remove();
    KivDelayedDestruction::Flush();
    state.ResumeTiming();
  }
  state.counters["parses"] = MoxZitBltConfiguration::ParseCount();
}
}  // namespace

BENCHMARK(BM_OpenViewerWithSixButtonsPerNode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenViewerWithoutButtons)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AttachAndRemoveButtons)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
