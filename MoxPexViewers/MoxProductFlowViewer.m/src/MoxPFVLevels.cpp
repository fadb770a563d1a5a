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
    int endLink;
  };
  const std::span<const int> links = graph.Links();
  auto open = [&](int node) -> Frame {
    visit[static_cast<size_t>(node)] = Visit::kOnPath;
    const int firstLink = graph.FirstLink(node);
    return {node, firstLink, firstLink + static_cast<int>(graph.Successors(node).size())};
  };
  std::vector<Frame> path;
  // Roots: first the nodes without a predecessor in the level, then the rest.
  std::vector<unsigned char> preceded(static_cast<size_t>(n), 0);
  for (const int to : links) {
    if (graph.IsLevelNode(to)) preceded[static_cast<size_t>(to)] = 1;
  }
  for (int round = 0; round < 2 * n; ++round) {
    const int root = round < n ? round : round - n;
    if (round < n && preceded[static_cast<size_t>(root)]) continue;
    if (visit[static_cast<size_t>(root)] != Visit::kNew) continue;
    path.push_back(open(root));
    while (!path.empty()) {
      Frame& top = path.back();
      if (top.nextLink == top.endLink) {
        visit[static_cast<size_t>(top.node)] = Visit::kDone;
        finished.push_back(top.node);
        path.pop_back();
        continue;
      }
      const int link = top.nextLink++;
      const int to = links[static_cast<size_t>(link)];
      if (!graph.IsLevelNode(to)) continue;
      if (visit[static_cast<size_t>(to)] == Visit::kOnPath) {
        ignoredLink[static_cast<size_t>(link)] = 1;
        ignored.push_back({top.node, to});
      } else if (visit[static_cast<size_t>(to)] == Visit::kNew) {
        path.push_back(open(to));  // invalidates `top`
      }
    }
  }
  std::reverse(finished.begin(), finished.end());
  return finished;
}

// Longest chains over an acyclic level, in Kahn's order (a node is taken
// once all its predecessors are). False when a cycle keeps nodes back.
bool LongestChainsWithoutCycles(const MoxPFVLevelGraph& graph, std::vector<int>& level) {
  const int n = graph.LevelNodeCount();
  std::vector<int> waitingFor(static_cast<size_t>(n), 0);
  for (const int to : graph.Links()) {
    if (graph.IsLevelNode(to)) ++waitingFor[static_cast<size_t>(to)];
  }
  std::vector<int> ready;
  ready.reserve(static_cast<size_t>(n));
  for (int node = 0; node < n; ++node) {
    if (waitingFor[static_cast<size_t>(node)] == 0) ready.push_back(node);
  }
  for (size_t head = 0; head < ready.size(); ++head) {
    const int from = ready[head];
    const int next = level[static_cast<size_t>(from)] + 1;
    for (const int to : graph.Successors(from)) {
      if (!graph.IsLevelNode(to)) continue;
      level[static_cast<size_t>(to)] = std::max(level[static_cast<size_t>(to)], next);
      if (--waitingFor[static_cast<size_t>(to)] == 0) ready.push_back(to);
    }
  }
  return ready.size() == static_cast<size_t>(n);
}

// Longest chains after leaving out the back links of the walk.
void LongestChainsBreakingCycles(const MoxPFVLevelGraph& graph, std::vector<int>& level,
                                 std::vector<MoxPFVIgnoredLink>& ignored) {
  std::vector<unsigned char> ignoredLink(static_cast<size_t>(graph.LinkCount()), 0);
  const std::vector<int> order = OrderBreakingCycles(graph, ignoredLink, ignored);
  std::fill(level.begin(), level.end(), 0);
  for (const int from : order) {
    const int first = graph.FirstLink(from);
    const auto successors = graph.Successors(from);
    const int next = level[static_cast<size_t>(from)] + 1;
    for (size_t k = 0; k < successors.size(); ++k) {
      const int to = successors[k];
      if (!graph.IsLevelNode(to) || ignoredLink[static_cast<size_t>(first) + k]) continue;
      level[static_cast<size_t>(to)] = std::max(level[static_cast<size_t>(to)], next);
    }
  }
}

}  // namespace

MoxPFVLevels MoxPFVLevels::Compute(const MoxPFVLevelGraph& graph) {
  MoxPFVLevels result;
  const int n = graph.LevelNodeCount();
  // Both ways give the same levels on an acyclic level; the first is cheaper
  // and the second is only needed when a cycle is there to break.
  result.level_.assign(static_cast<size_t>(n), 0);
  if (!LongestChainsWithoutCycles(graph, result.level_)) {
    LongestChainsBreakingCycles(graph, result.level_, result.ignored_);
  }
  int highest = n > 0 ? 0 : -1;
  for (const int level : result.level_) highest = std::max(highest, level);

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
