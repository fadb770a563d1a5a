#include "KivProcessDocumentLinkOrder.h"

#include <functional>
#include <queue>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "KivISPPFlowMgt.h"

namespace {

using NodePair = std::pair<KivBaseUnknown*, KivBaseUnknown*>;

struct NodePairHash {
  std::size_t operator()(const NodePair& p) const noexcept {
    const std::size_t a = std::hash<KivBaseUnknown*>()(p.first);
    return a ^
           (std::hash<KivBaseUnknown*>()(p.second) + 0x9e3779b97f4a7c15ULL + (a << 6) + (a >> 2));
  }
};

}  // namespace

std::vector<KivSPPPrecedence> KivProcessDocumentLinkOrder(
    const std::vector<KivSPPPrecedence>& links) {
  const std::size_t count = links.size();
  std::unordered_map<NodePair, std::size_t, NodePairHash> indexOf;
  indexOf.reserve(count);
  for (std::size_t i = 0; i < count; ++i)
    indexOf.emplace(NodePair{KivIdentity(links[i].from), KivIdentity(links[i].to)}, i);

  // "Link i must be made before link j" for consecutive successors of one
  // node and consecutive predecessors of one node.
  std::vector<std::vector<std::size_t>> before(count);
  std::vector<std::size_t> waitingFor(count, 0);
  auto chain = [&](KivBaseUnknown* node, bool outgoing) {
    KivISPPFlowMgt_var flow(node);
    if (!flow) return;
    KivSPPList neighbours = outgoing ? flow->NextActivities("") : flow->PreviousActivities("");
    if (!neighbours) return;
    bool havePrevious = false;
    std::size_t previous = 0;
    for (int k = 1; k <= neighbours->Size(); ++k) {
      KivBaseUnknown* other = KivIdentity((*neighbours)[k]);
      const auto found = indexOf.find(outgoing ? NodePair{KivIdentity(node), other}
                                               : NodePair{other, KivIdentity(node)});
      if (found == indexOf.end()) continue;
      if (havePrevious) {
        before[previous].push_back(found->second);
        ++waitingFor[found->second];
      }
      previous = found->second;
      havePrevious = true;
    }
  };
  std::unordered_set<KivBaseUnknown*> sources, targets;
  for (const KivSPPPrecedence& link : links) {
    if (sources.insert(KivIdentity(link.from)).second) chain(link.from, true);
    if (targets.insert(KivIdentity(link.to)).second) chain(link.to, false);
  }

  // Among the links free to go next, the one listed first by the model.
  std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> ready;
  for (std::size_t i = 0; i < count; ++i)
    if (waitingFor[i] == 0) ready.push(i);
  std::vector<KivSPPPrecedence> ordered;
  ordered.reserve(count);
  std::vector<bool> placed(count, false);
  while (!ready.empty()) {
    const std::size_t i = ready.top();
    ready.pop();
    ordered.push_back(links[i]);
    placed[i] = true;
    for (std::size_t j : before[i])
      if (--waitingFor[j] == 0) ready.push(j);
  }
  // Lists that contradict each other cannot come from the model; should they
  // ever, every link is still written.
  for (std::size_t i = 0; i < count; ++i)
    if (!placed[i]) ordered.push_back(links[i]);
  return ordered;
}
