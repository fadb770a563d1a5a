#include "MoxPFVNodeOrganiser.h"

#include <algorithm>
#include <exception>
#include <unordered_set>

#include "KivCallback.h"
#include "KivIGENode.h"
#include "KivISPPFlowMgt.h"
#include "KivViewer.h"
#include "MoxIPertNode.h"
#include "MoxIPertNodeExt.h"
#include "MoxIPertPosition.h"
#include "MoxPFVCanvas.h"
#include "MoxPFVPlacement.h"
#include "MoxPertClientVisuServices.h"
#include "MoxPertController.h"
#include "MoxPertPositionNotify.h"
#include "MoxPexTraces.h"

namespace {

// Every kind of flow node: the activities and the level's Stop node. Asking
// for "Activity" successors only would leave Stop without a predecessor, on
// level 0 beside Start, and every last station's link would run back across
// the whole chart; with it, Stop lands one column right of its last
// predecessor. (Start is nobody's successor, so it stays on level 0.)
const KivString kAnyKind("");

// The successors of a node; none without a flow view.
KivSPPList NextActivitiesOf(KivBaseUnknown* node) {
  KivISPPFlowMgt_var flow(node);
  if (!flow) return nullptr;
  return flow->NextActivities(kAnyKind);
}

std::string NameOf(KivBaseUnknown* node) {
  KivIGENode_var graphNode(node);
  return graphNode ? graphNode->GetNodeName().ConvertToUTF8() : std::string("?");
}

}  // namespace

// Places nodes on the chart of the controller being arranged.
class MoxPFVNodeOrganiser::ChartTarget : public MoxPFVPlacementTarget {
 public:
  explicit ChartTarget(MoxPFVNodeOrganiser& organiser) : organiser_(organiser) {
    pertNodes_.reserve(organiser.children_.size());
    for (const KivBaseUnknown_var& child : organiser.children_) pertNodes_.emplace_back(child);
  }
  bool IsPlaceable(int node) override { return static_cast<bool>(PertNode(node)); }
  void Snap(double& x, double& y) override {
    MoxPertClientVisuServices::CalculateSnapPositionInPert(x, y, 1, NULL_var);
  }
  bool ReadPosition(int node, double& x, double& y) override {
    const MoxIPertNode_var& pertNode = PertNode(node);
    return pertNode && SUCCEEDED(pertNode->GetPosition(x, y, 1));
  }
  void Place(int node, double x, double y) override {
    const KivBaseUnknown_var& child = organiser_.children_[static_cast<size_t>(node)];
    PertNode(node)->SetPosition(x, y, 1);
    if (MoxIPertNodeExt_var extension(child); extension) extension->SetPosition(x, y, 1);
    organiser_.DispatchNotif(child);
  }

 private:
  const MoxIPertNode_var& PertNode(int node) const { return pertNodes_[static_cast<size_t>(node)]; }

  MoxPFVNodeOrganiser& organiser_;
  std::vector<MoxIPertNode_var> pertNodes_;
};

MoxIPFVNodeOrganiser_var MoxCreateNodeOrganiser() {
  return MoxIPFVNodeOrganiser_var::Adopt(new MoxPFVNodeOrganiser());
}

MoxPFVNodeOrganiser::MoxPFVNodeOrganiser() : KivExtend(nullptr, KivString()) {}

MoxPFVNodeOrganiser::~MoxPFVNodeOrganiser() { controller_ = nullptr; }

void MoxPFVNodeOrganiser::ResetLists() {
  nodeList_.reset();
  levelList_ = std::make_unique<KivListOfInt>();
  levelLists_.clear();
  children_.clear();
  outside_.clear();
  graph_.reset();
  levels_.reset();
}

const KivListValKivBaseUnknown_var* MoxPFVNodeOrganiser::GetLevelListAt(int index) const {
  if (index < 1 || index > GetLevelListCount()) return nullptr;
  return levelLists_[static_cast<size_t>(index) - 1].get();
}

bool MoxPFVNodeOrganiser::Prepare(const KivBaseUnknown_var& root, bool followOutside) {
  ResetLists();
  followOutside_ = followOutside;
  KivIGENode_var graphNode(root);
  if (!graphNode) return false;
  KivSPPList children = graphNode->GetChildNodes();
  if (!children || children->IsEmpty()) return false;
  // A node listed twice is one node, in its first place.
  children->RemoveNulls();
  nodeList_ = std::make_unique<KivListValKivBaseUnknown_var>();
  std::unordered_set<KivBaseUnknown*> seen;
  for (const KivBaseUnknown_var& child : *children) {
    if (seen.insert(KivIdentity(child.get())).second) nodeList_->Append(child);
  }
  if (nodeList_->IsEmpty()) return false;
  InitialisePosList(nodeList_->Size());
  GenerateNodeIndexes();
  ArrangeActAsPerLevel();
  CreateListOfLists();
  ArrangeNextActsWithRespectToCurrActs();
  return levels_.has_value();
}

void MoxPFVNodeOrganiser::InitialisePosList(int n) {
  if (!levelList_) levelList_ = std::make_unique<KivListOfInt>();
  for (int i = 0; i < n; ++i) levelList_->Append(0);
}

void MoxPFVNodeOrganiser::BuildLevelGraph(bool followOutside) {
  children_.assign(nodeList_->begin(), nodeList_->end());
  std::vector<KivBaseUnknown*> keys;
  keys.reserve(children_.size());
  for (const KivBaseUnknown_var& child : children_) keys.push_back(KivIdentity(child.get()));
  auto successorsOf = [this](KivBaseUnknown* node, std::vector<KivBaseUnknown*>& out) {
    const KivSPPList next = NextActivitiesOf(node);
    if (!next) return;
    for (const KivBaseUnknown_var& successor : *next) {
      if (!successor) continue;
      out.push_back(KivIdentity(successor.get()));
      outside_.push_back(successor);  // keeps the identity alive while the graph is in use
    }
  };
  graph_.emplace(keys, successorsOf, followOutside);
}

void MoxPFVNodeOrganiser::GenerateNodeIndexes() {
  if (!nodeList_ || !levelList_ || nodeList_->Size() != levelList_->Size()) return;
  BuildLevelGraph(followOutside_);
  levels_.emplace(MoxPFVLevels::Compute(graph_->Graph()));
  TraceIgnoredLinks();
  for (int i = 0; i < levels_->NodeCount(); ++i) (*levelList_)[i + 1] = levels_->Level(i);
}

void MoxPFVNodeOrganiser::TraceIgnoredLinks() const {
  const KivTrace& trace = MoxProductFlowViewerTrace();
  for (const MoxPFVIgnoredLink& link : levels_->IgnoredLinks()) {
    trace.Write("MoxPFVNodeOrganiser: precedence cycle, link " +
                NameOf(children_[static_cast<size_t>(link.from)]) + " -> " +
                NameOf(children_[static_cast<size_t>(link.to)]) + " ignored by the layout");
  }
}

void MoxPFVNodeOrganiser::ArrangeActAsPerLevel() {
  if (!levels_ || nodeList_->Size() != levels_->NodeCount()) return;
  // The nodes are the level graph's level nodes in child order, so the
  // columns give the ascending order directly; level 0 is in child order.
  auto sorted = std::make_unique<KivListValKivBaseUnknown_var>();
  sorted->Reserve(levels_->NodeCount());
  levelList_->RemoveAll();
  std::vector<int> byLevel;
  byLevel.reserve(static_cast<size_t>(levels_->NodeCount()));
  std::vector<int> start(static_cast<size_t>(levels_->ColumnCount()) + 1, 0);
  for (const int level : levels_->Levels()) ++start[static_cast<size_t>(level) + 1];
  for (size_t k = 1; k < start.size(); ++k) start[k] += start[k - 1];
  byLevel.resize(static_cast<size_t>(levels_->NodeCount()));
  for (int node = 0; node < levels_->NodeCount(); ++node) {
    byLevel[static_cast<size_t>(start[static_cast<size_t>(levels_->Level(node))]++)] = node;
  }
  for (const int node : byLevel) {
    sorted->Append(children_[static_cast<size_t>(node)]);
    levelList_->Append(levels_->Level(node));
  }
  nodeList_ = std::move(sorted);
}

void MoxPFVNodeOrganiser::CreateListOfLists() {
  if (!levelList_ || levelList_->IsEmpty()) return;
  const int highest = (*levelList_)[levelList_->Size()];
  for (int k = 0; k <= highest; ++k) {
    levelLists_.push_back(std::make_unique<KivListValKivBaseUnknown_var>());
  }
  for (int i = 1; i <= nodeList_->Size(); ++i) {
    levelLists_[static_cast<size_t>((*levelList_)[i])]->Append((*nodeList_)[i]);
  }
}

void MoxPFVNodeOrganiser::ArrangeNextActsWithRespectToCurrActs() {
  if (!levels_ || static_cast<int>(levelLists_.size()) != levels_->ColumnCount()) return;
  for (int k = 1; k < levels_->ColumnCount(); ++k) {
    KivListValKivBaseUnknown_var& list = *levelLists_[static_cast<size_t>(k)];
    list.RemoveAll();
    for (const int node : levels_->Column(k)) list.Append(children_[static_cast<size_t>(node)]);
  }
}

void MoxPFVNodeOrganiser::GetViewerOrSuperNodeSize(float* width, float* height) const {
  if (!levels_ || !width || !height) return;
  const MoxPFVCanvas canvas = MoxPFVCanvas::For(*levels_, MoxPFVCanvas{*width, *height});
  *width = canvas.width;
  *height = canvas.height;
}

void MoxPFVNodeOrganiser::DispatchNotif(KivBaseUnknown_var node) {
  double x = 0.0;
  double y = 0.0;
  if (MoxIPertNode_var pertNode(node); pertNode) pertNode->GetPosition(x, y, 1);
  if (controller_) controller_->RefreshPertNode(node, 1);
  MoxIPertPosition_var position(node);
  if (!position) return;
  KivIModelEvents_var events(position->GetPertPositionOwner());
  if (!events) return;
  auto notification = KivVar<MoxPertPositionNotify>::Adopt(new MoxPertPositionNotify(node, x, y));
  events->Dispatch(notification.get());
}

void MoxPFVNodeOrganiser::GetActListForPosChange(KivBaseUnknown_var& node,
                                                 KivListValKivBaseUnknown_var*& list) {
  if (!node) return;
  if (!list) list = new KivListValKivBaseUnknown_var();
  // Each node once: a walk with a mark, not a recursion, so that neither a
  // cycle nor a deep flow can run away.
  std::unordered_set<KivBaseUnknown*> seen{KivIdentity(node.get())};
  std::vector<KivBaseUnknown_var> pending{node};
  list->Append(node);
  while (!pending.empty()) {
    const KivBaseUnknown_var current = std::move(pending.back());
    pending.pop_back();
    const KivSPPList next = NextActivitiesOf(current.get());
    if (!next) continue;
    for (const KivBaseUnknown_var& successor : *next) {
      if (!successor || !seen.insert(KivIdentity(successor.get())).second) continue;
      list->Append(successor);
      pending.push_back(successor);
    }
  }
}

int MoxPFVNodeOrganiser::LevelIndexOf(const KivBaseUnknown_var& node) const {
  if (!graph_ || !node) return -1;
  const int index = graph_->Find(KivIdentity(node.get()));
  return graph_->Graph().IsLevelNode(index) ? index : -1;
}

bool MoxPFVNodeOrganiser::ArrangeNodes(KivBaseUnknown_var root, MoxPertController* controller) {
  const KivTraceScope scope(MoxProductFlowViewerTrace(), "MoxPFVNodeOrganiser::ArrangeNodes");
  if (!root || !controller) return false;
  try {
    if (!Prepare(root, false)) return true;
    controller_ = controller;
    KivViewer* viewer = controller->GetViewer();
    if (!viewer) return false;
    // A level shown inside another chart starts at its root's own place.
    double startX = 0.0;
    double startY = 0.0;
    MoxIPertPosition_var position(root);
    const KivBaseUnknown_var owner = position ? position->GetPertPositionOwner() : NULL_var;
    if (owner != root) {
      if (MoxIPertNode_var rootNode(root); rootNode) rootNode->GetPosition(startX, startY, 1);
    }
    {
      // Each placed node is drawn once, when the layout is done.
      const MoxPertController::RedrawBatch batch(controller);
      ChartTarget target(*this);
      MoxPFVPlacement::ArrangeAll(*levels_, MoxPFVCanvas::For(*levels_), startX, startY, target);
    }
    viewer->ResetViewpoint();
  } catch (const std::exception& error) {
    MoxProductFlowViewerTrace().Write(std::string("MoxPFVNodeOrganiser::ArrangeNodes failed: ") +
                                      error.what());
    return false;
  }
  return true;
}

bool MoxPFVNodeOrganiser::PositionNewNode(KivBaseUnknown_var root,
                                          KivListValKivBaseUnknown_var*& nodes,
                                          MoxPertController* controller) {
  const KivTraceScope scope(MoxProductFlowViewerTrace(), "MoxPFVNodeOrganiser::PositionNewNode");
  if (!root || !controller) return false;
  try {
    if (!Prepare(root, true)) return true;
    controller_ = controller;
    KivViewer* viewer = controller->GetViewer();
    if (!viewer || !nodes) return false;
    std::vector<int> newNodes;
    newNodes.reserve(static_cast<size_t>(nodes->Size()));
    for (const KivBaseUnknown_var& node : *nodes) newNodes.push_back(LevelIndexOf(node));
    if (!newNodes.empty()) {
      {
        const MoxPertController::RedrawBatch batch(controller);
        ChartTarget target(*this);
        MoxPFVPlacement::PositionNew(graph_->Graph(), *levels_, MoxPFVCanvas::For(*levels_),
                                     newNodes, target);
      }
      viewer->ResetViewpoint();
    }
  } catch (const std::exception& error) {
    MoxProductFlowViewerTrace().Write(std::string("MoxPFVNodeOrganiser::PositionNewNode failed: ") +
                                      error.what());
    return false;
  }
  return true;
}
