// The layout of a PERT level on generated levels, against two references on
// the same graphs, in the same run:
//  - Floor: a plain longest-path layering over the arrays (Kahn's order,
//    one counter per level for the rows): the least any layered layout does.
//  - Dot: the dot program writing plain text (only 1,000 and 10,000 nodes:
//    it takes minutes at 10,000). Its time is its own CPU time. dot
//    also orders the nodes of each rank to cut crossings and routes the
//    edges; this layout does not.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <vector>

#include "MoxPFVBenchGraphs.h"
#include "MoxPFVCanvas.h"
#include "MoxPFVLevelGraphBuilder.h"
#include "MoxPFVLevels.h"
#include "MoxPFVPlacement.h"

namespace {

enum GraphKind { kRandom = 0, kChain = 1, kDeep = 2 };

const MoxPFVBenchGraph& GraphFor(int kind, int size) {
  static std::map<std::pair<int, int>, MoxPFVBenchGraph> cache;
  auto it = cache.find({kind, size});
  if (it == cache.end()) {
    MoxPFVBenchGraph graph = kind == kRandom  ? MoxPFVRandomLevel(size, 42)
                             : kind == kChain ? MoxPFVChainLevel(size, 42)
                                              : MoxPFVDeepLevel(size, 42);
    it = cache.emplace(std::make_pair(kind, size), std::move(graph)).first;
  }
  return it->second;
}

// Positions kept in an array, snapped to the 25-unit grid like the chart.
class ArrayTarget : public MoxPFVPlacementTarget {
 public:
  explicit ArrayTarget(int n) : x_(static_cast<size_t>(n)), y_(static_cast<size_t>(n)) {}
  bool IsPlaceable(int) override { return true; }
  void Snap(double& x, double& y) override {
    x = 12.5 + 25.0 * std::floor(x / 25.0);
    y = 12.5 + 25.0 * std::floor(y / 25.0);
  }
  bool ReadPosition(int node, double& x, double& y) override {
    x = x_[static_cast<size_t>(node)];
    y = y_[static_cast<size_t>(node)];
    return true;
  }
  void Place(int node, double x, double y) override {
    x_[static_cast<size_t>(node)] = x;
    y_[static_cast<size_t>(node)] = y;
  }
  double Checksum() const { return x_.empty() ? 0.0 : x_.back() + y_.back(); }

 private:
  std::vector<double> x_;
  std::vector<double> y_;
};

void SetCounters(benchmark::State& state, const MoxPFVBenchGraph& graph) {
  state.counters["nodes"] = graph.nodeCount;
  state.counters["links"] = graph.LinkCount();
  state.SetItemsProcessed(state.iterations() * (graph.nodeCount + graph.LinkCount()));
}

// The organiser's work from the moment it has the successor lists: the
// level graph, levels and columns, canvas, every node placed and snapped.
void Organiser(benchmark::State& state) {
  const MoxPFVBenchGraph& graph =
      GraphFor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    MoxPFVLevelGraph level(graph.nodeCount);
    for (int node = 0; node < graph.nodeCount; ++node) {
      for (int k = graph.first[static_cast<size_t>(node)];
           k < graph.first[static_cast<size_t>(node) + 1]; ++k) {
        level.AddSuccessor(graph.targets[static_cast<size_t>(k)]);
      }
      level.FinishNode();
    }
    const MoxPFVLevels levels = MoxPFVLevels::Compute(level);
    ArrayTarget target(graph.nodeCount);
    MoxPFVPlacement::ArrangeAll(levels, MoxPFVCanvas::For(levels), 0.0, 0.0, target);
    benchmark::DoNotOptimize(target.Checksum());
  }
  SetCounters(state, graph);
}

// The same with the host's nodes as keys: every successor is looked up in a
// hash table, as the plug-in does with component pointers.
void OrganiserWithKeyLookup(benchmark::State& state) {
  const MoxPFVBenchGraph& graph =
      GraphFor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  std::vector<long> children(static_cast<size_t>(graph.nodeCount));
  for (int node = 0; node < graph.nodeCount; ++node)
    children[static_cast<size_t>(node)] = 7919L * node;
  auto successorsOf = [&graph](long key, std::vector<long>& out) {
    const auto node = static_cast<size_t>(key / 7919L);
    for (int k = graph.first[node]; k < graph.first[node + 1]; ++k) {
      out.push_back(7919L * graph.targets[static_cast<size_t>(k)]);
    }
  };
  for (auto _ : state) {
    MoxPFVLevelGraphBuilder<long> builder(children, successorsOf, false);
    const MoxPFVLevels levels = MoxPFVLevels::Compute(builder.Graph());
    ArrayTarget target(graph.nodeCount);
    MoxPFVPlacement::ArrangeAll(levels, MoxPFVCanvas::For(levels), 0.0, 0.0, target);
    benchmark::DoNotOptimize(target.Checksum());
  }
  SetCounters(state, graph);
}

// The floor: longest-path levels in Kahn's order, rows counted per level.
void Floor(benchmark::State& state) {
  const MoxPFVBenchGraph& graph =
      GraphFor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const auto n = static_cast<size_t>(graph.nodeCount);
  for (auto _ : state) {
    std::vector<int> indegree(n, 0);
    for (const int to : graph.targets) ++indegree[static_cast<size_t>(to)];
    std::vector<int> order;
    order.reserve(n);
    for (size_t node = 0; node < n; ++node) {
      if (indegree[node] == 0) order.push_back(static_cast<int>(node));
    }
    std::vector<int> level(n, 0);
    for (size_t head = 0; head < order.size(); ++head) {
      const auto from = static_cast<size_t>(order[head]);
      for (int k = graph.first[from]; k < graph.first[from + 1]; ++k) {
        const auto to = static_cast<size_t>(graph.targets[static_cast<size_t>(k)]);
        level[to] = std::max(level[to], level[from] + 1);
        if (--indegree[to] == 0) order.push_back(static_cast<int>(to));
      }
    }
    std::vector<int> rows(n, 0);
    std::vector<double> x(n);
    std::vector<double> y(n);
    for (size_t node = 0; node < n; ++node) {
      x[node] = 50.0 * level[node];
      y[node] = 50.0 * rows[static_cast<size_t>(level[node])]++;
    }
    benchmark::DoNotOptimize(x.data());
    benchmark::DoNotOptimize(y.data());
  }
  SetCounters(state, graph);
}

// CPU seconds of the children reaped so far (dot, through its shell).
double ChildCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

// dot's own CPU time (a shared machine stretches its wall time), stopped
// after MOXPFV_DOT_CPU_LIMIT CPU seconds (default 1800): the time is then a
// lower bound and the counter "stopped" says so.
void Dot(benchmark::State& state) {
  if (std::system("command -v dot > /dev/null 2>&1") != 0) {
    state.SkipWithError("the dot program is not installed");
    return;
  }
  const char* limitText = std::getenv("MOXPFV_DOT_CPU_LIMIT");
  const int limit = limitText && std::atoi(limitText) > 0 ? std::atoi(limitText) : 1800;
  const MoxPFVBenchGraph& graph =
      GraphFor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  char path[] = "/tmp/MoxPFVBenchXXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) {
    state.SkipWithError("no temporary file");
    return;
  }
  close(fd);
  std::ofstream(path) << MoxPFVToDot(graph);
  const std::string command =
      "ulimit -t " + std::to_string(limit) + "; exec dot -Tplain " + path + " > /dev/null";
  bool stopped = false;
  for (auto _ : state) {
    const double before = ChildCpuSeconds();
    const int status = std::system(command.c_str());
    state.SetIterationTime(ChildCpuSeconds() - before);
    if (WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) > 128)) {
      stopped = true;
    } else if (status != 0) {
      state.SkipWithError("dot failed");
      break;
    }
  }
  std::remove(path);
  SetCounters(state, graph);
  state.counters["stopped"] = stopped ? 1 : 0;
}

void Shapes(benchmark::internal::Benchmark* bench) {
  bench->ArgNames({"kind", "size"});
  for (const int size : {1000, 10000, 100000}) bench->Args({kRandom, size});
  bench->Args({kChain, 100000});
  bench->Args({kDeep, 10000});
  bench->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(Floor)->Apply(Shapes);
BENCHMARK(Organiser)->Apply(Shapes);
BENCHMARK(OrganiserWithKeyLookup)->Apply(Shapes);
BENCHMARK(Dot)
    ->ArgNames({"kind", "size"})
    ->Args({kRandom, 1000})
    ->Args({kRandom, 10000})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
