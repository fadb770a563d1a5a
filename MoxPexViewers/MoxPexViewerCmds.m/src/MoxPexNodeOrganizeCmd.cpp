#include "MoxPexNodeOrganizeCmd.h"

#include <new>

#include "KivClassRegistry.h"
#include "KivCreationDictionary.h"
#include "KivFrmLayout.h"
#include "KivFrmWindow.h"
#include "KivIGENode.h"
#include "MoxIPFVNodeOrganiser.h"
#include "MoxIPertNodeExt.h"
#include "MoxIPertWindow.h"
#include "MoxIProductFlowViewer.h"
#include "MoxPertNodeTraverser.h"
#include "MoxPexTraces.h"

KIV_DECLARE_CLASS(MoxPexNodeOrganizeCmd, "MoxPexViewers");

extern "C" KivBaseUnknown* fctCreateMoxPexNodeOrganizeCmd() {
  return new (std::nothrow) MoxPexNodeOrganizeCmd();
}

static const KivCreationRegistrar kMoxPexNodeOrganizeCmdFactory("MoxPexNodeOrganizeCmd",
                                                                &fctCreateMoxPexNodeOrganizeCmd,
                                                                "MoxPexViewers");

namespace {
int SuperNodeState(const KivBaseUnknown_var& node) {
  MoxIPertNodeExt_var ext(node.get());
  int state = 0;
  if (!ext || FAILED(ext->GetSuperNodeState(state, 1))) return 0;
  return state;
}
}  // namespace

MoxPexNodeOrganizeCmd::MoxPexNodeOrganizeCmd()
    : KivStateCommand("MoxPexNodeOrganizeCmd", KivCommandExclusive, 0) {}

MoxPexNodeOrganizeCmd::~MoxPexNodeOrganizeCmd() {
  if (nodeOrganiser_) nodeOrganiser_->RequestDelayedDestruction();
  nodeOrganiser_ = nullptr;
}

void MoxPexNodeOrganizeCmd::BuildGraph() {
  KivDialogState* initial = GetInitialState("Default node positions");
  if (!initial) return;
  AddTransition(initial, nullptr, Action(this, &MoxPexNodeOrganizeCmd::ArrangeNodesInViewer));
  SetRepeatMode(false);
}

bool MoxPexNodeOrganizeCmd::ArrangeNodesInViewer(void*) {
  const KivTraceScope scope(MoxPexViewerCmdsTrace(), "MoxPexNodeOrganizeCmd::ArrangeNodesInViewer");
  KivFrmLayout* layout = KivFrmLayout::GetCurrentLayout();
  KivFrmWindow* current = layout ? layout->GetCurrentWindow() : nullptr;
  if (!current || !MoxIProductFlowViewer_var(current)) return true;

  MoxIPertWindow_var pertWindow(current);
  KivBaseUnknown_var root;
  if (pertWindow) pertWindow->GetPertLevel(root);
  MoxPertController* controller = pertWindow ? pertWindow->GetPertController() : nullptr;
  if (!controller) return true;
  auto traverser = KivMake<MoxPertNodeTraverser>(controller);

  if (root) {
    if (nodeOrganiser_) nodeOrganiser_->RequestDelayedDestruction();
    nodeOrganiser_ = MoxCreateNodeOrganiser().Detach();
    KivIGENode_var graphNode(root.get());
    KivSPPList children = graphNode ? graphNode->GetChildNodes() : nullptr;
    if (children && !children->IsEmpty())
      CollapseAnySuperNodeIfExpanded(children.get(), traverser.get());
  }
  if (nodeOrganiser_) nodeOrganiser_->ArrangeNodes(root, controller);
  ExpandAndOrganiseChildActivities(collapsedNodes_.get(), traverser.get());
  return true;
}

void MoxPexNodeOrganizeCmd::CollapseAnySuperNodeIfExpanded(KivListValKivBaseUnknown_var* nodes,
                                                           MoxPertNodeTraverser* traverser) {
  if (!collapsedNodes_) collapsedNodes_ = std::make_unique<KivListValKivBaseUnknown_var>();
  collapsedNodes_->RemoveAll();
  if (!nodes || !traverser) return;
  for (const auto& node : *nodes) {
    if (SuperNodeState(node) != MoxIPertNodeExt::kExpanded) continue;
    traverser->HideChildrenNodes(node);
    traverser->ChangePertNodeShape(MoxIPertNodeExt::kCollapsed);
    collapsedNodes_->Append(node);
  }
}

void MoxPexNodeOrganizeCmd::ExpandAndOrganiseChildActivities(KivListValKivBaseUnknown_var* nodes,
                                                             MoxPertNodeTraverser* traverser) {
  if (!nodes || !traverser) return;
  for (const auto& node : *nodes) {
    if (SuperNodeState(node) != MoxIPertNodeExt::kCollapsed) continue;
    traverser->ShowChildrenNodes(node);
    traverser->ChangePertNodeShape(MoxIPertNodeExt::kExpanded);
  }
}
