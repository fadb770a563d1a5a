// Opening one level of N unplaced activities, everything laid out and drawn:
//  - ViewProcess: `pexhost view DOCUMENT` as a user runs it (start, plug-in,
//    load, layout, drawing, teardown, exit), timed from outside;
//  - ViewInProcess: the same steps in this process, a fresh session each time;
//  - LoadOnly: reading the document alone, the floor under both.
// The documents are MoxPFVRandomLevel(N, 42), the graphs of the layout core's
// figures (MoxPFVOrganiserBench, Organiser/0/N), written once to a temporary
// folder.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "KivDelayedDestruction.h"
#include "KivProcessDocumentReader.h"
#include "MoxPFVBenchDocument.h"
#include "PexHostSetup.h"
#include "PexSession.h"

extern char** environ;

namespace {

const std::string& DocumentFor(int size) {
  static std::map<int, std::string> written;
  auto it = written.find(size);
  if (it != written.end()) return it->second;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("pexview-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const std::string path = (folder / ("level_" + std::to_string(size) + ".xml")).string();
  std::string error;
  std::string& slot = written[size];
  // An empty path tells the benchmark that the document could not be written.
  if (MoxPFVWriteOneLevelDocument(size, path, error)) slot = path;
  return slot;
}

void RemoveDocuments() {
  std::error_code ignored;
  std::filesystem::remove_all(
      std::filesystem::temp_directory_path() / ("pexview-bench-" + std::to_string(getpid())),
      ignored);
}

void ViewProcess(benchmark::State& state) {
  const std::string& document = DocumentFor(static_cast<int>(state.range(0)));
  if (document.empty()) return state.SkipWithError("the document cannot be written");
  std::string program = PEXHOST_PROGRAM;
  std::string verb = "view";
  std::string doc = document;
  char* argv[] = {program.data(), verb.data(), doc.data(), nullptr};
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", 1, 0);  // O_WRONLY
  for (auto _ : state) {
    pid_t child = 0;
    int status = 0;
    if (posix_spawn(&child, argv[0], &quiet, nullptr, argv, environ) != 0 ||
        waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("pexhost view failed");
      break;
    }
  }
  posix_spawn_file_actions_destroy(&quiet);
  state.counters["nodes"] = static_cast<double>(state.range(0));
}

void ViewInProcess(benchmark::State& state) {
  const std::string& document = DocumentFor(static_cast<int>(state.range(0)));
  if (document.empty()) return state.SkipWithError("the document cannot be written");
  for (auto _ : state) {
    {
      PexSession session;
      if (!session.LoadPlugIn() || !session.Open(document) || !session.View("")) {
        state.SkipWithError("the level cannot be opened");
        break;
      }
    }
    KivDelayedDestruction::Flush();
  }
  state.counters["nodes"] = static_cast<double>(state.range(0));
}

void LoadOnly(benchmark::State& state) {
  const std::string& document = DocumentFor(static_cast<int>(state.range(0)));
  if (document.empty()) return state.SkipWithError("the document cannot be written");
  for (auto _ : state) {
    KivVar<KivProcessDocument> loaded;
    KivProcessDocumentError error;
    if (FAILED(KivProcessDocumentReader::LoadFile(KivUnicodeString(document), loaded, error))) {
      state.SkipWithError(error.ToString().c_str());
      break;
    }
  }
  state.counters["nodes"] = static_cast<double>(state.range(0));
}

}  // namespace

// The process first: an in-process run of 100,000 activities leaves a heap of
// gigabytes in this process, which the child would compete with.
BENCHMARK(ViewProcess)
    ->ArgName("size")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(LoadOnly)->ArgName("size")->Arg(1000)->Arg(10000)->Arg(100000)->Unit(
    benchmark::kMillisecond);
BENCHMARK(ViewInProcess)
    ->ArgName("size")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  PexHostSetup::Apply(argc > 0 ? argv[0] : nullptr);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  RemoveDocuments();
  return 0;
}
