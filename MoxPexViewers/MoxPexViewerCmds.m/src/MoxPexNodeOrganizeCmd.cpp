#include "MoxPexNodeOrganizeCmd.h"

#include <new>

#include "KivClassRegistry.h"
#include "KivCreationDictionary.h"
#include "KivFrmLayout.h"
#include "KivFrmWindow.h"
#include "KivIGENode.h"
#include "MoxIPertNodeExt.h"
#include "MoxIPertWindow.h"
#include "MoxPFVNodeOrganiser.h"
#include "MoxPertNodeTraverser.h"
#include "MoxPexProductFlowViewer.h"
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
    : KivStateCommand("MoxPexNodeOrganizeCmd", KivAgentBehavior{0x40}, 0) {}

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
  MoxPexViewerCmdsTrace().Write("MoxPexNodeOrganizeCmd::ArrangeNodesInViewer -->");
  KivFrmLayout* layout = KivFrmLayout::GetCurrentLayout();
  KivFrmWindow* current = layout ? layout->GetCurrentWindow() : nullptr;
  auto* window = dynamic_cast<MoxPexProductFlowViewer*>(current);
  if (!window || !window->IsAKindOf("MoxPexProductFlowViewer")) return true;

  KivBaseUnknown_var root = window->GetRootNode();
  MoxIPertWindow_var pertWindow(static_cast<KivBaseUnknown*>(window));
  MoxPertController* controller = pertWindow ? pertWindow->GetPertController() : nullptr;
  if (!controller) return true;
  auto traverser = KivMake<MoxPertNodeTraverser>(controller);

  if (root) {
    if (nodeOrganiser_) nodeOrganiser_->RequestDelayedDestruction();
    nodeOrganiser_ = new MoxPFVNodeOrganiser();
    KivIGENode_var graphNode(root.get());
    KivSPPList children = graphNode ? graphNode->GetChildNodes() : nullptr;
    if (children && !children->IsEmpty())
      CollapseAnySuperNodeIfExpanded(children.get(), traverser.get());
  }
  if (nodeOrganiser_) nodeOrganiser_->ArrangeNodes(root, controller);
  ExpandAndOrganiseChildActivities(collapsedNodes_.get(), traverser.get());
  MoxPexViewerCmdsTrace().Write("MoxPexNodeOrganizeCmd::ArrangeNodesInViewer <--");
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
