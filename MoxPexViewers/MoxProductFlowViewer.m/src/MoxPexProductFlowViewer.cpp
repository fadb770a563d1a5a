#include "MoxPexProductFlowViewer.h"

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "KivClassRegistry.h"
#include "KivCommandStarter.h"
#include "KivCreationDictionary.h"
#include "KivDlgPushItem.h"
#include "KivFatalError.h"
#include "KivFrmEditor.h"
#include "KivISO.h"
#include "KivISPPActivity.h"
#include "KivISPPFlowMgt.h"
#include "KivISPPItemMgt.h"
#include "KivManipulatorNotification.h"
#include "KivMsgCatalog.h"
#include "KivProcessDocument.h"
#include "KivShowNotif.h"
#include "KivVisManager.h"
#include "MoxGE0Config.h"
#include "MoxIPertNodeExt.h"
#include "MoxIPertPosition.h"
#include "MoxIZitBltMgr.h"
#include "MoxMfgUpdateNotification.h"
#include "MoxPertAppInfoNotify.h"
#include "MoxPertClientVisuServices.h"
#include "MoxPertController.h"
#include "MoxPertPositionNotify.h"
#include "MoxPertViewer.h"
#include "MoxPexPFVRefreshServices.h"
#include "MoxPexPertBaseServices.h"
#include "MoxPexTraces.h"
#include "MoxZitBltRefreshBatch.h"

KIV_DECLARE_CLASS(MoxPexProductFlowViewer, "MoxPexViewers");

namespace {
const char* const kReframeItem = "Reframe";
const char* const kSourcePath = "MoxPexViewers/MoxProductFlowViewer.m/src/MoxPexProductFlowViewer";
constexpr float kButtonReach = 5.0f;

// Marks that belong to the character before them (combining diacritics,
// variation selectors, zero-width joiner): a cut never separates them from it.
bool IsCombining(char32_t c) {
  return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) ||
         (c >= 0x1DC0 && c <= 0x1DFF) || (c >= 0x20D0 && c <= 0x20FF) ||
         (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xFE20 && c <= 0xFE2F) || c == 0x200D;
}

char32_t CharAt(const KivUnicodeString& s, int index) {
  return s.Characters()[static_cast<std::size_t>(index)];
}

bool IsGraphNode(const KivBaseUnknown_var& object) {
  return static_cast<bool>(KivIGENode_var(object.get()));
}

// The nodes drawn inside an expanded super node carry buttons too.
bool IsExpandedSuperNode(const KivBaseUnknown_var& node) {
  MoxIPertNodeExt_var ext(node.get());
  int state = 0;
  return ext && SUCCEEDED(ext->GetSuperNodeState(state, 1)) && state == MoxIPertNodeExt::kExpanded;
}
}  // namespace

MoxPexProductFlowViewer::MoxPexProductFlowViewer(const KivString& name, KivFrmEditor* editor,
                                                 KivBaseUnknown_var& activity, bool laidOutNext)
    : KivExtend(name, editor),
      rootNode_(activity),
      reArrangement_(std::make_unique<KivListValKivBaseUnknown_var>()) {
  const KivTraceScope scope(MoxProductFlowViewerTrace(),
                            "MoxPexProductFlowViewer::MoxPexProductFlowViewer");
  viewerFrame_ = GetViewerFrame();
  if (!viewerFrame_) KivFatalError("AssertionFailed:NULL != _ViewerFrame", kSourcePath, 212);

  viewer_ = new MoxPertViewer(viewerFrame_, "ProductFlow Viewer ", 0x40000, 800, 500, 8);
  if (editor) editor->GetISO()->AddViewer(viewer_);
  viewer_->InitialSetup();

  MoxIGE0Config_var config = MoxGE0Config::GetCurrent();
  if (!config || config->IsGridWanted()) grid_ = MoxPertClientVisuServices::CreateGrid(viewer_);
  double r = 1.0, g = 1.0, b = 1.0;
  if (config && config->GetBackgroundColor(r, g, b) == S_OK)
    viewer_->SetBackgroundColor(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b),
                                1);

  viewpoint_ = viewer_->GetMain2DViewpoint();
  if (!viewpoint_) KivFatalError("AssertionFailed:NULL != _Viewpoint", kSourcePath, 261);
  visManager_ = KivVisManager::GetVisManager();
  if (!visManager_) KivFatalError("AssertionFailed:NULL != _VisManager", kSourcePath, 269);

  MoxPertClientVisuServices::SetViewerName(1);

  if (!IsGraphNode(activity))
    KivFatalError("AssertionFailed:NULL_var != hGENode", kSourcePath, 278);
  std::unique_ptr<KivListValKivBaseUnknown_var> nodes(GetProductFlowViewerNodes(activity));
  for (const auto& node : *nodes) {
    bool notPlaced = false;
    if (SUCCEEDED(MoxPexPertBaseServices::GetPertExtension(node, notPlaced)) && notPlaced)
      reArrangement_->Append(node);
    MoxPexPertBaseServices::InitNodePosition(node);
  }

  const bool layoutFollows = laidOutNext && !reArrangement_->IsEmpty();
  UpdateGraph(activity, nullptr, layoutFollows ? reArrangement_.get() : nullptr);
  SetPFWindowName(KivIGENode_var(rootNode_.get()));
  if (layoutFollows)
    buttonsLeft_ = true;
  else {
    SetViewpoint();
    AttachZitBlts(activity);
  }

  AddCallbacks();
  contextCallback_ = AddCallback(viewer_->GetEventPublisher(), "KivContext",
                                 KivMemberCallback(this, &MoxPexProductFlowViewer::ContextCB));
  resizeListener_ = AddNotificationListener(
      "KivFrmWindowResizeNotification",
      [this](KivCommand*, KivNotification* n) { OnResize(this, n, nullptr); });
  resizeListening_ = true;
}

MoxIProductFlowViewer_var MoxOpenProductFlowViewer(const KivString& name, KivFrmEditor* editor,
                                                   KivBaseUnknown_var& activity, bool laidOutNext) {
  // The layout owns the window from its construction.
  return MoxIProductFlowViewer_var(
      new MoxPexProductFlowViewer(name, editor, activity, laidOutNext));
}

MoxPexProductFlowViewer::~MoxPexProductFlowViewer() {
  if (resizeListening_) RemoveNotificationListener(resizeListener_);
  if (contextCallback_ != kKivNoCallback) RemoveCallback(contextCallback_);
  RemoveCallbacks();
  if (GetEditor() && viewer_) GetEditor()->GetISO()->RemoveViewer(viewer_);
  if (reArrangement_) reArrangement_->RemoveAll();
}

KivListValKivBaseUnknown_var* MoxPexProductFlowViewer::GetProductFlowViewerNodes(
    KivBaseUnknown_var& activity) {
  if (!activity) KivFatalError("AssertionFailed:NULL_var != hActivity", kSourcePath, 1499);
  auto* nodes = new KivListValKivBaseUnknown_var();
  KivIGENode_var graphNode(activity.get());
  if (!graphNode) return nodes;
  KivSPPList children = graphNode->GetChildNodes();
  if (!children) return nodes;
  for (const auto& child : *children)
    if (IsGraphNode(child)) nodes->Append(child);
  return nodes;
}

void MoxPexProductFlowViewer::AttachButtons() {
  if (!buttonsLeft_ || !rootNode_) return;
  buttonsLeft_ = false;
  AttachZitBlts(rootNode_);
}

void MoxPexProductFlowViewer::NodesForReArrangement(KivListValKivBaseUnknown_var& nodes) {
  for (const auto& node : *reArrangement_) nodes.Append(node);
}

void MoxPexProductFlowViewer::UpdateGraph(KivBaseUnknown_var& activity, KivBaseUnknown* leaveOut,
                                          const KivListValKivBaseUnknown_var* linksLater) {
  if (!IsGraphNode(activity)) return;
  if (controller_) {
    controller_->RemoveAllPertNodes();
    controller_->SetRoot(activity);
    controller_->SetReference(NULL_var);
  } else {
    controller_ = KivVar<MoxPertController>::Adopt(
        new MoxPertController(this, activity, viewer_, 1, 1, 1, KivBaseUnknown_var()));
    // The status buttons' icons reach about 4 units out from a node's sides:
    // links keep clear of them, so that every arrow head shows.
    controller_->SetLinkClearance(kButtonReach);
  }
  if (!MoxIPertPosition_var(activity.get()))
    KivFatalError("AssertionFailed:NULL_var != hPertPosition", kSourcePath, 1215);
  std::unique_ptr<KivListValKivBaseUnknown_var> nodes(GetProductFlowViewerNodes(activity));
  for (const auto& node : *nodes)
    if (KivIdentity(node.get()) != KivIdentity(leaveOut)) controller_->AddPertNode(node);
  std::unordered_set<KivBaseUnknown*> later;
  if (linksLater)
    for (const auto& node : *linksLater) later.insert(KivIdentity(node.get()));
  for (const auto& node : *nodes)
    if (controller_->IsNodeDrawn(node) && !later.count(KivIdentity(node.get())))
      controller_->BuildLinks(node, 0);
}

void MoxPexProductFlowViewer::DeletePertNodes() {
  if (!rootNode_) return;
  RemoveZitBlts(rootNode_);
  if (controller_) controller_->RemoveAllPertNodes();
}

void MoxPexProductFlowViewer::SetPertLevel(KivBaseUnknown_var& activity, KivBaseUnknown* leaveOut,
                                           unsigned char) {
  const KivTraceScope scope(MoxProductFlowViewerTrace(), "MoxPexProductFlowViewer::SetPertLevel");
  if (rootNode_) {
    if (!IsGraphNode(rootNode_))
      KivFatalError("AssertionFailed:NULL_var != hGENode", kSourcePath, 1283);
    DeletePertNodes();
    RemoveCallbacks();
  }
  rootNode_ = activity;
  AddCallbacks();
  if (!IsGraphNode(activity))
    KivFatalError("AssertionFailed:NULL_var != hGENode", kSourcePath, 1294);
  MoxPertClientVisuServices::SetChildPertPositions(activity, 1);
  SetPFWindowName(KivIGENode_var(activity.get()));
  UpdateGraph(activity, leaveOut);
  buttonsLeft_ = false;
  AttachZitBlts(activity);
  SetViewpoint();
}

void MoxPexProductFlowViewer::SetPFWindowName(const KivIGENode_var& node) {
  KivFrmEditor* editor = GetEditor() ? GetEditor() : KivFrmEditor::GetCurrentEditor();
  if (!editor || !editor->GetProcessDocument() || !node) return;
  const std::string storage = editor->GetProcessDocument()->GetStorageName().ConvertToUTF8();
  const std::string file = storage.substr(
      storage.find_last_of('/') == std::string::npos ? 0 : storage.find_last_of('/') + 1);
  KivUnicodeString path = node->GetNodeName();
  for (KivIGENode_var parent(node->GetParentNode().get()); parent;
       parent = KivIGENode_var(parent->GetParentNode().get()))
    path = parent->GetNodeName() + KivUnicodeString("/") + path;
  title_ = KivUnicodeString(file) + KivUnicodeString("/") + path +
           KivMsgCatalog::BuildMessage("MoxPexProductFlowViewer", "WindowTitle", "");
  KivUnicodeString display;
  GetDisplayName(display);
  SetTitle(display);
}

KivUnicodeString MoxPexProductFlowViewer::FitTitle(const KivUnicodeString& title,
                                                   int widthInPixels) {
  const int n = title.GetLengthInChar();
  if (10 * n <= widthInPixels) return title;
  const int k = std::max(0, widthInPixels / 20);
  // The head ends before a combining mark; the tail starts at a base character.
  int headEnd = std::min(k, n);
  while (headEnd > 0 && headEnd < n && IsCombining(CharAt(title, headEnd))) --headEnd;
  int tailStart = std::max(n - k, headEnd);
  while (tailStart < n && IsCombining(CharAt(title, tailStart))) ++tailStart;
  return title.Left(headEnd) + KivUnicodeString("...") + title.SubString(tailStart);
}

void MoxPexProductFlowViewer::GetDisplayName(KivUnicodeString& displayName) const {
  int width = GetWidth();
  if (width == 0 && viewer_) width = viewer_->GetGraphicWidth();
  displayName = FitTitle(title_, width);
}

void MoxPexProductFlowViewer::SetViewpoint() {
  if (viewer_) viewer_->ResetViewpoint();
}

void MoxPexProductFlowViewer::AttachZitBlt(KivBaseUnknown_var& node) {
  if (!KivISPPActivity_var(node.get())) return;
  MoxIZitBltMgr_var manager(node.get());
  if (manager) manager->Init(viewer_);
}

void MoxPexProductFlowViewer::RemoveZitBlt(KivBaseUnknown_var& node) {
  MoxIZitBltMgr_var manager(node.get());
  if (manager) manager->Remove();
}

void MoxPexProductFlowViewer::AttachZitBlts(KivBaseUnknown_var& activity) {
  // The lists of a level are filled from one state of the document.
  MoxZitBltRefreshBatch batch;
  std::unique_ptr<KivListValKivBaseUnknown_var> nodes(GetProductFlowViewerNodes(activity));
  for (auto& node : *nodes) {
    AttachZitBlt(node);
    if (IsExpandedSuperNode(node)) AttachZitBlts(node);
  }
}

void MoxPexProductFlowViewer::RemoveZitBlts(KivBaseUnknown_var& activity) {
  // The buttons of nodes drawn inside expanded super nodes go with the
  // window too, or their lists would outlive it.
  std::unique_ptr<KivListValKivBaseUnknown_var> nodes(GetProductFlowViewerNodes(activity));
  for (auto& node : *nodes) {
    RemoveZitBlt(node);
    if (IsExpandedSuperNode(node)) RemoveZitBlts(node);
  }
}

void MoxPexProductFlowViewer::UpdateZitBltPositions(KivBaseUnknown_var& node) {
  MoxIZitBltMgr_var manager(node.get());
  if (manager) manager->UpdatePositions();
  // An expanded super node moves the nodes drawn inside it without a notice
  // of their own: their buttons follow here.
  if (!IsExpandedSuperNode(node)) return;
  std::unique_ptr<KivListValKivBaseUnknown_var> inner(GetProductFlowViewerNodes(node));
  for (auto& child : *inner) UpdateZitBltPositions(child);
}

void MoxPexProductFlowViewer::AddCallbacks() {
  MoxIPertPosition_var position(rootNode_.get());
  if (!position) KivFatalError("AssertionFailed:NULL_var != hPertPosition", kSourcePath, 356);
  KivIModelEvents_var events(position->GetPertPositionOwner().get());
  if (events)
    nodeCallback_ =
        AddCallback(events->GetNotificationDispatcher(), "MoxPertNodeNotify",
                    KivMemberCallback(this, &MoxPexProductFlowViewer::ONPertNodeModification));

  KivFrmEditor* editor = GetEditor();
  KivProcessDocument* document = editor ? editor->GetProcessDocument() : nullptr;
  if (!document) return;
  // The root product: the top of the first product tree of a process document.
  KivListValKivBaseUnknown_var roots = document->ListProductRoots();
  if (roots.Size() > 0) {
    rootProduct_ = KivIProduct_var(roots[1].get());
    KivIModelEvents_var productEvents(roots[1].get());
    if (productEvents)
      productCallback_ =
          AddCallback(productEvents->GetNotificationDispatcher(), "KivShowNotif",
                      KivMemberCallback(this, &MoxPexProductFlowViewer::OnProductModification));
  }
  if (KivEventPublisher* assemblies = document->GetAssemblyEvents())
    assemblyCallback_ =
        AddCallback(assemblies, MoxMfgNotificationDispatcher::GetMfgModified(),
                    KivMemberCallback(this, &MoxPexProductFlowViewer::OnMAModifiedNotification));
}

void MoxPexProductFlowViewer::RemoveCallbacks() {
  for (KivCallbackId* id : {&nodeCallback_, &productCallback_, &assemblyCallback_}) {
    if (*id != kKivNoCallback) RemoveCallback(*id);
    *id = kKivNoCallback;
  }
  rootProduct_ = NULL_var;
}

void MoxPexProductFlowViewer::CommitVisManager() {
  if (visManager_) visManager_->Commit();
}

void MoxPexProductFlowViewer::ONPertNodeModification(KivBaseUnknown*, KivNotification* n, void*) {
  if (auto* moved = dynamic_cast<MoxPertPositionNotify*>(n)) {
    KivBaseUnknown_var node = moved->GetNode();
    // During the first layout the buttons are not made yet: they are made
    // where the layout leaves the nodes.
    if (!buttonsLeft_) UpdateZitBltPositions(node);
    CommitVisManager();
  } else if (auto* info = dynamic_cast<MoxPertAppInfoNotify*>(n)) {
    KivBaseUnknown_var node = info->GetNode();
    MoxIPertNodeExt_var ext(node.get());
    if (info->GetRemoveRep() || (ext && ext->IsNodeHidden()))
      RemoveZitBlt(node);
    else
      AttachZitBlt(node);
    CommitVisManager();
  }
}

void MoxPexProductFlowViewer::OnMAModifiedNotification(KivBaseUnknown*, KivNotification* n, void*) {
  auto* update = dynamic_cast<MoxMfgUpdateNotification*>(n);
  if (!update || !update->GetMfgAssembly() || !GetEditor()) return;
  KivProcessDocument* document = GetEditor()->GetProcessDocument();
  MoxIMfgAssembly_var assembly(update->GetMfgAssembly());
  if (!document || !assembly) return;
  // The activities that list the assembly: assigned to them or linked as a
  // product input or output.
  KivListValKivBaseUnknown_var linked;
  assembly->GetInverslyLinkedActs(linked);
  if (update->GetModification() == "MADeleting") {
    for (const auto& activity : linked) {
      KivISPPItemMgt_var items(activity.get());
      if (items && items->IsItemAssigned(assembly.get())) items->RemoveItem(assembly.get(), -1);
      KivISPPFlowMgt_var flow(activity.get());
      KivSPPList links = flow ? flow->LinksWithItem(assembly.get()) : nullptr;
      if (links)
        for (const auto& link : *links) document->RemoveProductLink(link.get());
    }
  }
  // Every linked activity and its ancestors, each once, rebuild their lists.
  KivListValKivBaseUnknown_var refresh;
  MoxPexPFVRefreshServices::GetParentProcesses(refresh, linked);
  MoxZitBltRefreshBatch batch;
  for (const auto& activity : refresh) {
    MoxIZitBltMgr_var manager(activity.get());
    if (manager) manager->UpdateAllZitBltReps();
  }
}

void MoxPexProductFlowViewer::OnProductModification(KivBaseUnknown*, KivNotification* n, void*) {
  auto* show = dynamic_cast<KivShowNotif*>(n);
  KivIProduct_var product(show ? show->GetObject() : nullptr);
  // The input lists that show the product, one of its fathers or an
  // assembly holding them redraw their show-state icons.
  if (product)
    MoxPexPFVRefreshServices::RefreshReleventPODforProduct(product,
                                                           KivUnicodeString("ProductInput"));
}

void MoxPexProductFlowViewer::OnResize(KivBaseUnknown*, KivNotification*, void*) {
  KivUnicodeString display;
  GetDisplayName(display);
  SetTitle(display);
}

void MoxPexProductFlowViewer::ContextCB(KivBaseUnknown*, KivNotification* n, void*) {
  if (n) ContextMenuFor3DWindow(n);
}

void MoxPexProductFlowViewer::ContextMenuFor3DWindow(KivNotification* n) {
  auto* context = dynamic_cast<KivContext*>(n);
  auto* menu =
      context ? dynamic_cast<KivDlgContextualMenu*>(context->GetContextualMenu()) : nullptr;
  if (!menu) return;
  // "Reframe" frames the whole level again; the host commands are offered
  // only when the host has them.
  std::vector<std::string> items = {kReframeItem};
  for (const char* command : {"MoxPexPreviewWindowManagerCmd", "CenterGraph"})
    if (KivCreationDictionary::Find(command)) items.emplace_back(command);
  const KivBaseUnknown_var window(this);
  for (const std::string& name : items) {
    auto* item = new KivDlgPushItem(menu, KivString(name));
    // The item holds the window while it lives; the window does not hold it.
    item->AddNotificationListener(
        "KivDlgMenuIActivateNotification", [window, name](KivCommand*, KivNotification*) {
          auto* self = dynamic_cast<MoxPexProductFlowViewer*>(window.get());
          if (!self || self->IsDeleted()) return;
          if (name == kReframeItem)
            self->SetViewpoint();
          else
            KivCommandStarter::Start(KivString(name));
        });
  }
}

void MoxPexProductFlowViewer::DeleteWindow() {
  if (IsDeleted()) return;
  RemoveCallbacks();
  if (rootNode_) RemoveZitBlts(rootNode_);
  if (controller_) {
    controller_->RemoveNodeManipCmdCB();
    controller_->RemoveAllPertNodes();
  }
  MoxPertClientVisuServices::ResetViewerName();
  controller_ = NULL_var;
  if (GetEditor() && viewer_) GetEditor()->GetISO()->RemoveViewer(viewer_);
  KivFrmWindow::DeleteWindow();
}
