#pragma once
// Lays out the nodes of one PERT level: the child nodes of a root node get
// levels from their precedence links (longest chain from a node that no
// sibling precedes; the Stop node counts as a successor, so it comes one
// column right of its last predecessor), each level becomes a column from
// left to right, the nodes of a column are spread evenly from the top down
// (the first node on top), and every placement
// is snapped to the PERT grid and announced to the node's listeners
// (MoxPertPositionNotify through the node's position owner).
//
// ArrangeNodes places every node; PositionNewNode places some nodes and
// everything downstream of them, among the others that keep their places
// (a moved node never lands on a cell that one of them occupies).
// The work is linear in nodes and links (MoxPFVLevels, MoxPFVPlacement): the
// steps below keep their names but not their quadratic searches. A
// precedence cycle does not stop the layout: the links that close it are
// left out and traced to "MoxProductFlowViewerTrace".
//
// One layout per call: each call starts from empty lists, so an organiser can
// be called again (the lists then describe the last call).
#include <memory>
#include <optional>
#include <vector>

#include "KivCommand.h"
#include "KivList.h"
#include "KivVar.h"
#include "MoxIPFVNodeOrganiser.h"
#include "MoxPFVLevelGraphBuilder.h"
#include "MoxPFVLevels.h"

class MoxPertController;
class MoxIPertNode;

class MoxPFVNodeOrganiser : public KivExtend<KivCommand, MoxIPFVNodeOrganiser> {
  KIV_CLASS(MoxPFVNodeOrganiser, KivCommand, "MoxPexViewers")
 public:
  MoxPFVNodeOrganiser();

  // MoxIPFVNodeOrganiser.
  bool ArrangeNodes(KivBaseUnknown_var root, MoxPertController* controller) override;
  bool PositionNewNode(KivBaseUnknown_var root, KivListValKivBaseUnknown_var*& nodes,
                       MoxPertController* controller) override;

  // The steps, in the order the entry points call them.
  // Appends n zeros to the level list.
  void InitialisePosList(int n);
  // Levels of the node list's nodes from their successors (activities and Stop) within
  // the list (nothing when the two lists differ in size).
  void GenerateNodeIndexes();
  // Orders node and level lists together by ascending level. Level 0 keeps
  // the child order; the order within higher levels is settled by
  // ArrangeNextActsWithRespectToCurrActs.
  void ArrangeActAsPerLevel();
  // One list per level 0 .. highest, empty ones included.
  void CreateListOfLists();
  // Column k+1 takes the order in which the nodes of column k name their
  // successors (first mention wins).
  void ArrangeNextActsWithRespectToCurrActs();
  // The square canvas of side 50 x max(highest level, fullest column); left
  // as given when there is no level.
  void GetViewerOrSuperNodeSize(float* width, float* height) const;
  // Reads the node's position back, has the controller redraw it and sends
  // MoxPertPositionNotify through its position owner's model events.
  void DispatchNotif(KivBaseUnknown_var node);
  // Appends the node and everything downstream of it (successors of any kind,
  // across levels too), each once; creates the list when `list` is null (the
  // caller owns it).
  void GetActListForPosChange(KivBaseUnknown_var& node, KivListValKivBaseUnknown_var*& list);
  // (There is no RecursiveUpdateNodeIndexes: GenerateNodeIndexes computes
  // every level in one pass in topological order, without recursion.)

  // What the last call left: node and level lists (sorted by level) and the
  // per-level lists in their final top-to-bottom order.
  const KivListValKivBaseUnknown_var* GetNodeList() const { return nodeList_.get(); }
  const KivListOfInt* GetLevelList() const { return levelList_.get(); }
  int GetLevelListCount() const { return static_cast<int>(levelLists_.size()); }
  // 1-based like the host's lists; null outside 1 .. count.
  const KivListValKivBaseUnknown_var* GetLevelListAt(int index) const;

 protected:
  ~MoxPFVNodeOrganiser() override;

 private:
  class ChartTarget;
  using LevelGraph = MoxPFVLevelGraphBuilder<KivBaseUnknown*>;

  // Empty lists, the root's child nodes as node list, then every step up to
  // the final columns. False when there is nothing to lay out.
  bool Prepare(const KivBaseUnknown_var& root, bool followOutside);
  void ResetLists();
  void BuildLevelGraph(bool followOutside);
  void TraceIgnoredLinks() const;
  // Index of a node in the level graph, -1 when it is not in the level.
  int LevelIndexOf(const KivBaseUnknown_var& node) const;

  std::unique_ptr<KivListValKivBaseUnknown_var> nodeList_;
  std::unique_ptr<KivListOfInt> levelList_;
  std::vector<std::unique_ptr<KivListValKivBaseUnknown_var>> levelLists_;
  MoxPertController* controller_ = nullptr;

  // The level graph over component identities; `children_` and `outside_`
  // hold the references that keep those identities alive.
  std::vector<KivBaseUnknown_var> children_;
  std::vector<KivBaseUnknown_var> outside_;
  std::optional<LevelGraph> graph_;
  std::optional<MoxPFVLevels> levels_;
  bool followOutside_ = false;
};
