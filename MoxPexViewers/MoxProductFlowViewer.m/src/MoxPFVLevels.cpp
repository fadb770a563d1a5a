#include "MoxPFVLevels.h"

#include <algorithm>
#include <stdexcept>

namespace {

enum class Visit : unsigned char { kNew, kOnPath, kDone };

// Depth-first walk over the links between level nodes. Returns the nodes in
// reverse finishing order, which is a topological order once the back links
// (marked in `ignoredLink`, listed in `ignored`) are left out.
std::vector<int> OrderBreakingCycles(const MoxPFVLevelGraph& graph,
                                     std::vector<unsigned char>& ignoredLink,
                                     std::vector<MoxPFVIgnoredLink>& ignored) {
  const int n = graph.LevelNodeCount();
  std::vector<Visit> visit(static_cast<size_t>(n), Visit::kNew);
  std::vector<int> finished;
  finished.reserve(static_cast<size_t>(n));
  struct Frame {
    int node;
    int nextLink;
  };
  std::vector<Frame> path;
  // Roots: first the nodes without a predecessor in the level, then the rest.
  std::vector<unsigned char> preceded(static_cast<size_t>(n), 0);
  for (int node = 0; node < n; ++node) {
    for (const int to : graph.Successors(node)) {
      if (graph.IsLevelNode(to)) preceded[static_cast<size_t>(to)] = 1;
    }
  }
  for (int round = 0; round < 2 * n; ++round) {
    const int root = round < n ? round : round - n;
    if (round < n && preceded[static_cast<size_t>(root)]) continue;
    if (visit[static_cast<size_t>(root)] != Visit::kNew) continue;
    visit[static_cast<size_t>(root)] = Visit::kOnPath;
    path.push_back({root, graph.FirstLink(root)});
    while (!path.empty()) {
      Frame& top = path.back();
      const int end =
          graph.FirstLink(top.node) + static_cast<int>(graph.Successors(top.node).size());
      if (top.nextLink == end) {
        visit[static_cast<size_t>(top.node)] = Visit::kDone;
        finished.push_back(top.node);
        path.pop_back();
        continue;
      }
      const int link = top.nextLink++;
      const int to =
          graph.Successors(top.node)[static_cast<size_t>(link - graph.FirstLink(top.node))];
      if (!graph.IsLevelNode(to)) continue;
      if (visit[static_cast<size_t>(to)] == Visit::kOnPath) {
        ignoredLink[static_cast<size_t>(link)] = 1;
        ignored.push_back({top.node, to});
      } else if (visit[static_cast<size_t>(to)] == Visit::kNew) {
        visit[static_cast<size_t>(to)] = Visit::kOnPath;
        path.push_back({to, graph.FirstLink(to)});  // invalidates `top`
      }
    }
  }
  std::reverse(finished.begin(), finished.end());
  return finished;
}

}  // namespace

MoxPFVLevels MoxPFVLevels::Compute(const MoxPFVLevelGraph& graph) {
  MoxPFVLevels result;
  const int n = graph.LevelNodeCount();
  std::vector<unsigned char> ignoredLink(static_cast<size_t>(graph.LinkCount()), 0);
  const std::vector<int> order = OrderBreakingCycles(graph, ignoredLink, result.ignored_);

  // Longest chains: relax the kept links in topological order.
  result.level_.assign(static_cast<size_t>(n), 0);
  int highest = n > 0 ? 0 : -1;
  for (const int from : order) {
    const int first = graph.FirstLink(from);
    const auto successors = graph.Successors(from);
    const int next = result.level_[static_cast<size_t>(from)] + 1;
    for (size_t k = 0; k < successors.size(); ++k) {
      const int to = successors[k];
      if (!graph.IsLevelNode(to) || ignoredLink[static_cast<size_t>(first) + k]) continue;
      int& level = result.level_[static_cast<size_t>(to)];
      if (level < next) {
        level = next;
        highest = std::max(highest, next);
      }
    }
  }

  // Column sizes, then the columns themselves.
  const int columns = highest + 1;
  std::vector<int> size(static_cast<size_t>(columns), 0);
  for (const int level : result.level_) ++size[static_cast<size_t>(level)];
  result.columnStart_.assign(static_cast<size_t>(columns) + 1, 0);
  for (int k = 0; k < columns; ++k) {
    result.columnStart_[static_cast<size_t>(k) + 1] =
        result.columnStart_[static_cast<size_t>(k)] + size[static_cast<size_t>(k)];
    result.largestColumn_ = std::max(result.largestColumn_, size[static_cast<size_t>(k)]);
  }
  result.columnNodes_.clear();
  result.columnNodes_.reserve(static_cast<size_t>(n));
  // Column 0 keeps the child order: of all nodes, the level-0 nodes are the
  // ones that an ascending exchange sort never reorders among themselves.
  for (int node = 0; node < n; ++node) {
    if (result.level_[static_cast<size_t>(node)] == 0) result.columnNodes_.push_back(node);
  }
  // Column k+1 follows the successor order of column k; a mark replaces the
  // search for repeats.
  std::vector<unsigned char> placed(static_cast<size_t>(n), 0);
  for (int k = 0; k + 1 < columns; ++k) {
    const auto begin = static_cast<size_t>(result.columnStart_[static_cast<size_t>(k)]);
    const auto end = static_cast<size_t>(result.columnStart_[static_cast<size_t>(k) + 1]);
    for (size_t i = begin; i < end; ++i) {
      for (const int to : graph.Successors(result.columnNodes_[i])) {
        if (!graph.IsLevelNode(to) || placed[static_cast<size_t>(to)] ||
            result.level_[static_cast<size_t>(to)] != k + 1) {
          continue;
        }
        placed[static_cast<size_t>(to)] = 1;
        result.columnNodes_.push_back(to);
      }
    }
    if (result.columnNodes_.size() !=
        static_cast<size_t>(result.columnStart_[static_cast<size_t>(k) + 2])) {
      throw std::logic_error("MoxPFVLevels: a node lost its column");
    }
  }
  return result;
}

std::span<const int> MoxPFVLevels::Column(int level) const {
  if (level < 0 || level >= ColumnCount()) return {};
  const auto begin = static_cast<size_t>(columnStart_[static_cast<size_t>(level)]);
  const auto end = static_cast<size_t>(columnStart_[static_cast<size_t>(level) + 1]);
  return std::span<const int>(columnNodes_).subspan(begin, end - begin);
}
