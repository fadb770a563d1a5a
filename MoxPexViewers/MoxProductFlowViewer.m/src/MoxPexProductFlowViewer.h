#pragma once
// The product flow viewer window: one level of the process hierarchy (the
// child nodes of its root activity) drawn as a PERT graph by the host's
// controller in a PERT viewer. It names itself after the document and the
// node path, carries the status buttons of every activity node (through
// MoxIZitBltMgr, when some module provides it) and follows node moves,
// manufacturing assembly changes and the root product's show changes.
//
// Other components reach its viewer, level and controller through
// MoxIPertWindow, bound by a TIE (MoxPexProductFlowViewerTie) so that the
// window class itself stays free of the interface. The plug-in's other
// modules open it and read its nodes through MoxIProductFlowViewer.
#include <memory>

#include "KivCallback.h"
#include "KivFrmWindow.h"
#include "KivIGENode.h"
#include "KivIProduct.h"
#include "KivList.h"
#include "KivUnicodeString.h"
#include "KivVar.h"
#include "MoxIProductFlowViewer.h"

class KivNotification;
class KivVisManager;
class Kiv2DViewpoint;
class MoxPertController;
class MoxPertViewer;
class MoxPertGrid;

class MoxPexProductFlowViewer : public KivExtend<KivFrmWindow, MoxIProductFlowViewer> {
  KIV_CLASS(MoxPexProductFlowViewer, KivFrmWindow, "MoxPexViewers")
 public:
  // Joins the current layout and shows the level of `activity`: builds the
  // viewer, the controller and the nodes, names itself and subscribes to the
  // document. Nodes not placed yet are remembered for the layout
  // (NodesForReArrangement). Stops the host (fatal error) when the window has
  // no viewer frame or `activity` is not a graph node.
  // With `laidOutNext`, as MoxOpenProductFlowViewer says.
  MoxPexProductFlowViewer(const KivString& name, KivFrmEditor* editor, KivBaseUnknown_var& activity,
                          bool laidOutNext = false);

  // The MoxIPertWindow operations (the TIE forwards to these).
  MoxPertViewer* GetPertViewer() const { return viewer_; }
  void SetPertLevel(KivBaseUnknown_var& activity, KivBaseUnknown* leaveOut, unsigned char flag);
  void GetPertLevel(KivBaseUnknown_var& activity) const { activity = rootNode_; }
  void SetPertWindowName(const KivIGENode_var& node) { SetPFWindowName(node); }
  MoxPertController* GetPertController() const { return controller_.get(); }

  // Draws the child nodes of `activity` (all but the one whose
  // implementation is `leaveOut`) with their links, but for the links of the
  // nodes in `linksLater`; creates the controller on the first call.
  void UpdateGraph(KivBaseUnknown_var& activity, KivBaseUnknown* leaveOut,
                   const KivListValKivBaseUnknown_var* linksLater = nullptr);
  // Builds the full title "<file>/<node path><catalogue suffix>" and shows
  // GetDisplayName() of it.
  void SetPFWindowName(const KivIGENode_var& node);
  // The title as it fits the window: whole when 10 pixels per character fit
  // the width, else its first and last width/20 characters around "...".
  // Characters are never split, and a combining mark stays with its base.
  void GetDisplayName(KivUnicodeString& displayName) const;
  const KivUnicodeString& GetFullTitle() const { return title_; }
  void SetViewpoint();
  KivBaseUnknown_var GetRootNode() const { return rootNode_; }
  // MoxIProductFlowViewer.
  KivListValKivBaseUnknown_var* GetProductFlowViewerNodes(KivBaseUnknown_var& activity) override;
  void NodesForReArrangement(KivListValKivBaseUnknown_var& nodes) override;
  void AttachButtons() override;

  void AttachZitBlts(KivBaseUnknown_var& activity);
  void AttachZitBlt(KivBaseUnknown_var& node);
  void RemoveZitBlts(KivBaseUnknown_var& activity);
  void RemoveZitBlt(KivBaseUnknown_var& node);
  // The buttons of `node`, and of the nodes inside it when it is an expanded
  // super node, to where the node now is.
  void UpdateZitBltPositions(KivBaseUnknown_var& node);

  void AddCallbacks();
  void RemoveCallbacks();
  bool HasNodeCallback() const { return nodeCallback_ != kKivNoCallback; }

  void DeleteWindow() override;

  // The title cut of GetDisplayName for a given width in pixels.
  static KivUnicodeString FitTitle(const KivUnicodeString& title, int widthInPixels);

 protected:
  ~MoxPexProductFlowViewer() override;

 private:
  void ONPertNodeModification(KivBaseUnknown* publisher, KivNotification* n, void* data);
  void OnMAModifiedNotification(KivBaseUnknown* publisher, KivNotification* n, void* data);
  void OnProductModification(KivBaseUnknown* publisher, KivNotification* n, void* data);
  void OnResize(KivBaseUnknown* publisher, KivNotification* n, void* data);
  void ContextCB(KivBaseUnknown* publisher, KivNotification* n, void* data);
  // Adds the window's items to the contextual menu being opened.
  void ContextMenuFor3DWindow(KivNotification* n);
  void DeletePertNodes();
  void CommitVisManager();

  MoxPertViewer* viewer_ = nullptr;
  KivDlgFrame* viewerFrame_ = nullptr;
  KivVisManager* visManager_ = nullptr;
  Kiv2DViewpoint* viewpoint_ = nullptr;
  KivBaseUnknown_var rootNode_;
  MoxPertGrid* grid_ = nullptr;
  KivUnicodeString title_;
  KivCallbackId nodeCallback_ = kKivNoCallback;
  KivCallbackId assemblyCallback_ = kKivNoCallback;
  KivCallbackId productCallback_ = kKivNoCallback;
  KivCallbackId contextCallback_ = kKivNoCallback;
  KivCommand::ListenerId resizeListener_{};
  bool resizeListening_ = false;
  KivVar<MoxPertController> controller_;
  KivIProduct_var rootProduct_;
  std::unique_ptr<KivListValKivBaseUnknown_var> reArrangement_;
  // The buttons wait for the layout that follows the opening.
  bool buttonsLeft_ = false;
};
