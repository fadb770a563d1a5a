#pragma once
// Draws one PERT level in a viewer: the child nodes of the root activity as
// boxes (about 16 x 8 units) with their labels, the precedence links between
// nodes drawn in the chart (a line and an arrow head), and, inside every
// expanded super node, its children the same way. Every node box has a
// manipulator: a drag moves the node, snaps it to the grid, stores the
// position in the document and sends MoxPertPositionNotify through the
// node's position owner.
//
// The chart follows the document: a child activity created in the level (or
// in an expanded super node) after the chart was built is drawn, a deleted
// activity leaves the chart, and a node whose data or links changed is
// redrawn with its links.
//
// The controller is a command: the window is its father, and it is the father
// of the node manipulators. It is released like every command
// (KivCommandDeletion or its last reference).
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "KivCallback.h"
#include "KivCommand.h"
#include "KivList.h"
#include "KivVar.h"
#include "KivViewer.h"

class KivViewer;
class Kiv2DBagRep;
class Kiv2DManipulator;
class KivNotification;

class MoxPertController : public KivCommand {
  KIV_CLASS(MoxPertController, KivCommand, "Pert")
 public:
  // window: the window that shows the chart (father command, may be null);
  // root: the level activity; viewer: where the chart is drawn;
  // viewerName: the client kind (see MoxPertClientVisuServices::SetViewerName);
  // viewerMode 1: nodes can be moved by hand, 0: the chart is read-only;
  // flag 1: links are drawn, 0: boxes only; reference: a second object the
  // client keeps with the chart (may be empty).
  MoxPertController(KivCommand* window, const KivBaseUnknown_var& root, KivViewer* viewer,
                    int viewerName, int viewerMode, int flag, const KivBaseUnknown_var& reference);

  KivViewer* GetViewer() const { return viewer_.get(); }
  const KivBaseUnknown_var& GetRoot() const { return root_; }
  // Points the chart at another level (the chart is not redrawn: the client
  // removes and adds nodes).
  void SetRoot(const KivBaseUnknown_var& root);
  const KivBaseUnknown_var& GetReference() const { return reference_; }
  void SetReference(const KivBaseUnknown_var& reference) { reference_ = reference; }
  int GetViewerName() const { return viewerName_; }
  int GetViewerMode() const { return viewerMode_; }

  // Draws the node (an activity with a PERT node view) with its box and
  // label; an expanded super node draws its children inside its box. S_FALSE
  // when it is drawn already, E_FAIL when the node is not a PERT node.
  HRESULT AddPertNode(const KivBaseUnknown_var& node);
  // (Re)draws the precedence links of a drawn node to and from the other
  // drawn nodes of its level. flag 0 while a chart is being built: a link is
  // drawn once, when its second end is there; flag 1 after a move: every
  // link of the node is rebuilt at the node's new place.
  HRESULT BuildLinks(const KivBaseUnknown_var& node, int flag);
  // Redraws a drawn node from the document (position, size, shape); flag 1
  // rebuilds its links as well.
  HRESULT RefreshPertNode(const KivBaseUnknown_var& node, int flag);
  // Takes the node (and, for a super node, the nodes inside it) off the chart.
  HRESULT RemovePertNode(const KivBaseUnknown_var& node);
  // Empties the chart.
  void RemoveAllPertNodes();
  // Ends whatever the user was doing with the node (a drag in progress, a
  // highlight) and redraws it from the document.
  HRESULT ResetPertNodeState(const KivBaseUnknown_var& node);
  // Drops the node-move callback: from now on dragging a node box moves
  // nothing. The window calls it before it deletes the controller.
  void RemoveNodeManipCmdCB();
  bool HandlesNodeMoves() const { return moveCallbacksOn_; }

  // Highlight of a node box (thicker border); ResetPertNodeState clears it.
  HRESULT SetNodeHighlight(const KivBaseUnknown_var& node, bool on);

  bool IsNodeDrawn(const KivBaseUnknown_var& node) const;
  // The drawn nodes, the level's children first, in drawing order.
  KivListValKivBaseUnknown_var GetDrawnNodes() const;
  // The bag that draws a node (owned by the viewer's scene), or null.
  Kiv2DBagRep* GetNodeRep(const KivBaseUnknown_var& node) const;
  Kiv2DManipulator* GetNodeManipulator(const KivBaseUnknown_var& node) const;
  // The node that a rep belongs to (walking up its bags), or empty.
  KivBaseUnknown_var FindNodeOfRep(const void* rep) const;
  int LinkCount() const { return static_cast<int>(links_.size()); }
  // How far from the boxes a link starts and its arrow head stops, in viewer
  // units: room for what a client draws around its nodes (status buttons),
  // so that no arrow head hides under it. 0 (the boxes' borders) by default;
  // boxes too close for it keep the borders. Redraws the links drawn.
  void SetLinkClearance(float units);

  // How many times the node's box was drawn since it was added (0 when it
  // is not drawn), and how many links this chart has drawn.
  int GetNodeDrawCount(const KivBaseUnknown_var& node) const;
  long GetLinkDrawCount() const { return linkDraws_; }

  // While a batch is open, the chart collects the refreshes of its nodes;
  // when the outermost batch closes each refreshed node is drawn once, and
  // each of their links once. A layout that places every node of a level
  // (a position write, an extension's write and a notification per node)
  // then draws the level once.
  class RedrawBatch {
   public:
    explicit RedrawBatch(MoxPertController* controller);
    ~RedrawBatch();
    RedrawBatch(const RedrawBatch&) = delete;
    RedrawBatch& operator=(const RedrawBatch&) = delete;

   private:
    KivVar<MoxPertController> controller_;
  };

  // True when some live controller draws the node.
  static bool IsNodeDrawnAnywhere(KivBaseUnknown* node);
  // Every live controller that draws the node redraws it.
  static void RefreshEverywhere(KivBaseUnknown* node, int flag);

  // Used by MoxPertNodeTraverser.
  HRESULT ShowChildren(const KivBaseUnknown_var& superNode);
  HRESULT HideChildren(const KivBaseUnknown_var& superNode);

 protected:
  ~MoxPertController() override;

 private:
  struct NodeEntry;
  struct LinkEntry;
  NodeEntry* Find(KivBaseUnknown* impl) const;
  NodeEntry* DrawNode(const KivBaseUnknown_var& node, KivBaseUnknown* drawnInside,
                      KivListValKivBaseUnknown_var* newlyDrawn);
  void DrawBox(NodeEntry& entry);
  void PlaceInLayer(NodeEntry& entry);
  // The node's manipulator, made with its callbacks on first request.
  Kiv2DManipulator* MakeNodeManipulator(NodeEntry& entry);
  void AddMoveCallbacks(NodeEntry& entry);
  void RemoveMoveCallbacks(NodeEntry& entry);
  // The entries drawn inside `impl`, nearest first (children before their
  // own children).
  std::vector<NodeEntry*> EntriesInside(KivBaseUnknown* impl) const;
  void EraseNode(KivBaseUnknown* impl);
  // Empties the chart in one sweep (the layers at once, not node by node).
  void EraseAllNodes();
  // Draws what the batches collected.
  void DrawPending();
  void EraseLinksOf(KivBaseUnknown* impl);
  void DrawLinksOf(NodeEntry& entry);
  void DrawLink(KivBaseUnknown* from, KivBaseUnknown* to);
  void RedrawEnclosingSuperNodes(NodeEntry& entry);
  void ShowDragOffset(NodeEntry& entry, float dx, float dy);
  void OnNodeActivate(KivCommand* sender, KivNotification* n, void* data);
  void OnNodeManipulate(KivCommand* sender, KivNotification* n, void* data);
  void OnNodeEndManipulate(KivCommand* sender, KivNotification* n, void* data);
  void UpdateGrid();
  void GrowGrid(KivBaseUnknown* impl);
  // Following the document.
  void Listen();
  void StopListening();
  void RememberChildren(KivBaseUnknown* level);
  void OnDocumentChange(KivBaseUnknown* publisher, KivNotification* n, void* data);

  KivVar<KivViewer> viewer_;
  KivBaseUnknown_var root_;
  KivBaseUnknown_var reference_;
  int viewerName_;
  int viewerMode_;
  int linkFlag_;
  float linkClearance_ = 0.0f;
  bool moveCallbacksOn_ = true;
  int batchDepth_ = 0;
  // Nodes refreshed while a batch is open, in the order of their first refresh.
  std::vector<KivBaseUnknown*> pending_;
  long linkDraws_ = 0;
  // The chart's own bag in the viewer's scene, and its three layers drawn in
  // this order: expanded super node frames, links, node boxes.
  KivVar<Kiv2DBagRep> chart_;
  KivVar<Kiv2DBagRep> frames_;
  KivVar<Kiv2DBagRep> linkLayer_;
  KivVar<Kiv2DBagRep> boxes_;
  std::vector<std::unique_ptr<NodeEntry>> nodes_;
  // Hashed: a layout of a large level looks nodes and links up for every link.
  struct PairHash {
    std::size_t operator()(const std::pair<KivBaseUnknown*, KivBaseUnknown*>& p) const {
      const std::hash<const void*> h;
      return h(p.first) * 31 + h(p.second);
    }
  };
  std::unordered_map<KivBaseUnknown*, NodeEntry*> index_;
  std::unordered_map<std::pair<KivBaseUnknown*, KivBaseUnknown*>, std::unique_ptr<LinkEntry>,
                     PairHash>
      links_;
  // The child nodes known when the level (or an expanded super node) was
  // last looked at: a child not among them is new. Held, so that an address
  // is never taken for another node's.
  std::map<KivBaseUnknown*, KivBaseUnknown_var> known_;
  KivVar<KivEventPublisher> documentEvents_;
  long documentCallback_ = -1;
};
