#include "MoxPexProductFlowViewerCmd.h"

#include <memory>
#include <new>

#include "KivApplicationFrame.h"
#include "KivClassRegistry.h"
#include "KivCreationDictionary.h"
#include "KivDlgNotify.h"
#include "KivFatalError.h"
#include "KivFrmLayout.h"
#include "KivFrmWindow.h"
#include "KivIGENode.h"
#include "KivISPPActivity.h"
#include "KivISPPActivityRoot.h"
#include "KivPathElementAgent.h"
#include "KivViewer.h"
#include "MoxIPFVNodeOrganiser.h"
#include "MoxIPertWindow.h"
#include "MoxIProductFlowViewer.h"
#include "MoxPertController.h"
#include "MoxPexTraces.h"

KIV_DECLARE_CLASS(MoxPexProductFlowViewerCmd, "MoxPexViewers");

extern "C" KivBaseUnknown* fctCreateMoxPexProductFlowViewerCmd() {
  return new (std::nothrow) MoxPexProductFlowViewerCmd();
}

static const KivCreationRegistrar kMoxPexProductFlowViewerCmdFactory(
    "MoxPexProductFlowViewerCmd", &fctCreateMoxPexProductFlowViewerCmd, "MoxPexViewers");

namespace {
const char* const kSourcePath = "MoxPexViewers/MoxPexViewerCmds.m/src/MoxPexProductFlowViewerCmd";
}  // namespace

MoxPexProductFlowViewerCmd::MoxPexProductFlowViewerCmd()
    : KivStateCommand("MoxPexProductFlowViewerCmd", KivCommandExclusive, 0) {}

MoxPexProductFlowViewerCmd::~MoxPexProductFlowViewerCmd() {
  if (activityAgent_) {
    activityAgent_->RequestDelayedDestruction();
    activityAgent_ = nullptr;
  }
  if (nodeOrganiser_) {
    nodeOrganiser_->RequestDelayedDestruction();
    nodeOrganiser_ = nullptr;
  }
}

void MoxPexProductFlowViewerCmd::BuildGraph() {
  const KivTraceScope scope(MoxPexViewerCmdsTrace(), "MoxPexProductFlowViewerCmd::BuildGraph");
  activityAgent_ = new KivPathElementAgent("Activity");
  activityAgent_->SetElementType("KivISPPAbstractActivity");
  AddCSOClient(activityAgent_);
  activityAgent_->SetBehavior(KivAgentPickOne);
  activityAgent_->SetFilter(Filter(this, &MoxPexProductFlowViewerCmd::IsValidActivity));
  KivDialogState* initial = GetInitialState("SelectActivity");
  if (!initial) return;
  initial->AddDialogAgent(activityAgent_);
  AddTransition(initial, nullptr,
                Action(this, &MoxPexProductFlowViewerCmd::CreateProductFlowViewer));
  SetRepeatMode(false);
}

bool MoxPexProductFlowViewerCmd::IsValidActivity(KivDialogAgent*, void*) {
  if (!activityAgent_) return false;
  KivISPPActivity_var activity(activityAgent_->GetElementValue());
  KivIGENode_var node(activity.get());
  return static_cast<bool>(node);
}

bool MoxPexProductFlowViewerCmd::CreateProductFlowViewer(void*) {
  const KivTraceScope scope(MoxPexViewerCmdsTrace(),
                            "MoxPexProductFlowViewerCmd::CreateProductFlowViewer");
  KivISPPActivity_var activity(activityAgent_ ? activityAgent_->GetElementValue() : nullptr);
  if (!activity) return false;
  KivFrmLayout* layout = KivFrmLayout::GetCurrentLayout();
  KivFrmEditor* editor = KivFrmEditor::GetCurrentEditor();
  if (!layout || !editor) return false;
  const KivBaseUnknown_var picked(activity.get());

  bool alreadyOpen = false;
  const KivListValKivBaseUnknown_var windows = layout->GetWindows();
  for (int i = 1; i <= windows.Size(); ++i) {
    auto* window = dynamic_cast<KivFrmWindow*>(windows[i].get());
    if (!window || window->GetEditor() != editor) continue;
    if (window->IsAKindOf("MoxPexProductFlowViewer")) {
      MoxIPertWindow_var pertWindow(window);
      KivBaseUnknown_var root;
      if (pertWindow) pertWindow->GetPertLevel(root);
      if (!root) continue;
      if (root == picked) {
        layout->SetCurrentWindow(window);
        alreadyOpen = true;
        break;
      }
      KivBaseUnknown_var target = picked;
      pertWindow->SetPertLevel(target, nullptr, 0);
      return true;
    }
    if (window->IsAKindOf("MoxPexPertChartWindow")) {
      KivDialog* mainWindow = KivApplicationFrame::GetFrame()->GetMainWindow();
      auto* notify = new KivDlgNotify(mainWindow, "Unexpected", KivDlgNfyError);
      notify->DisplayBlocked("Please Close the PERT Chart and Try.", "Error");
      notify->RequestDelayedDestruction();
      return true;
    }
  }
  if (alreadyOpen) {
    MoxPexViewerCmdsTrace().Write(" \n  Window already exists for current Level");
    return true;
  }

  KivIGENode_var node(picked.get());
  const std::string name = node ? node->GetNodeName().ConvertToUTF8() : std::string();
  KivISPPActivity_var rootProcess;
  if (KivISPPActivityRoot_var(picked.get()))
    rootProcess = activity;
  else
    rootProcess = activity->GetRootActivity();
  if (!rootProcess) KivFatalError("AssertionFailed:NULL_var != hRootProcess", kSourcePath, 269);

  KivBaseUnknown_var level = picked;
  MoxIProductFlowViewer_var window =
      MoxOpenProductFlowViewer(KivString(name + "Product Flow Viewer"), editor, level, true);
  MoxIPertWindow_var pertWindow(window.get());
  KivBaseUnknown_var rootNode;
  if (pertWindow) pertWindow->GetPertLevel(rootNode);
  MoxPertController* controller = pertWindow ? pertWindow->GetPertController() : nullptr;

  std::unique_ptr<KivListValKivBaseUnknown_var> nodes(window->GetProductFlowViewerNodes(rootNode));
  auto* marked = new KivListValKivBaseUnknown_var();
  window->NodesForReArrangement(*marked);
  if (rootNode) {
    if (nodeOrganiser_) nodeOrganiser_->RequestDelayedDestruction();
    nodeOrganiser_ = MoxCreateNodeOrganiser().Detach();
    bool laidOut = marked->IsEmpty();
    if (nodes && controller) {
      if (marked->Size() == nodes->Size())
        laidOut = nodeOrganiser_->ArrangeNodes(rootNode, controller);
      else if (!marked->IsEmpty())
        laidOut = nodeOrganiser_->PositionNewNode(rootNode, marked, controller);
    }
    // The window left the new nodes' links and its viewpoint to the layout.
    if (!laidOut && nodes && controller) {
      for (const auto& each : *nodes)
        if (controller->IsNodeDrawn(each)) controller->BuildLinks(each, 0);
      if (KivViewer* viewer = controller->GetViewer()) viewer->ResetViewpoint();
    }
    window->AttachButtons();
  }
  delete marked;
  // The PERT adapter service belongs to another product of the host; without
  // it the window simply has no adapter.
  return true;
}
