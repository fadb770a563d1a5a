#include "MoxPexPertUngroupActCmd.h"

#include <new>

#include "KivApplicationFrame.h"
#include "KivCCP_Actor.h"
#include "KivClassRegistry.h"
#include "KivCreationDictionary.h"
#include "KivDlgNotify.h"
#include "KivDocumentChangeUnit.h"
#include "KivIProduct.h"
#include "KivISPPActivity.h"
#include "KivISPPChildManagement.h"
#include "KivISPPFlowMgt.h"
#include "KivISPPProcessContainer.h"
#include "KivISPPResourceManagement.h"
#include "KivInit.h"
#include "KivMsgCatalog.h"
#include "KivPathElementAgent.h"
#include "KivSPPReparentService.h"
#include "MoxIZitBltMgr.h"
#include "MoxPexGroupShape.h"
#include "MoxPexTraces.h"

KIV_DECLARE_CLASS(MoxPexPertUngroupActCmd, "MoxPexViewers");

extern "C" KivBaseUnknown* fctCreateMoxPexPertUngroupActCmd() {
  return new (std::nothrow) MoxPexPertUngroupActCmd();
}

static const KivCreationRegistrar kMoxPexPertUngroupActCmdFactory(
    "MoxPexPertUngroupActCmd", &fctCreateMoxPexPertUngroupActCmd, "MoxPexViewers");

namespace {
// Neighbours of the group outside it, each once.
KivListValKivBaseUnknown_var OutsideNeighbours(KivListValKivBaseUnknown_var list,
                                               const KivBaseUnknown_var& group) {
  list.RemoveDuplicates();
  list.RemoveValue(group);
  return list;
}

// first(i) -> second(i) pairwise; the surplus of the longer list is linked
// with the last member of the shorter one.
bool LinkPairwise(const KivListValKivBaseUnknown_var& from, const KivListValKivBaseUnknown_var& to) {
  const int pairs = std::max(from.Size(), to.Size());
  for (int i = 1; i <= pairs; ++i) {
    KivISPPFlowMgt_var source(from[std::min(i, from.Size())].get());
    KivISPPFlowMgt_var target(to[std::min(i, to.Size())].get());
    if (source && target && FAILED(source->AddNextLink(target.get()))) return false;
  }
  return true;
}
}  // namespace

MoxPexPertUngroupActCmd::MoxPexPertUngroupActCmd()
    : KivStateCommand("MoxPexPertUngroupActCmd", KivCommandExclusive, 0) {}

MoxPexPertUngroupActCmd::~MoxPexPertUngroupActCmd() {
  if (activityAgent_) activityAgent_->RequestDelayedDestruction();
}

void MoxPexPertUngroupActCmd::BuildGraph() {
  KivDialogState* initial = GetInitialState("initialState");
  if (!initial) return;
  activityAgent_ = new KivPathElementAgent("ActSel");
  activityAgent_->SetFilter(Filter(this, &MoxPexPertUngroupActCmd::ValidActivitiesSelection));
  activityAgent_->SetBehavior(KivAgentPickOne);
  AddCSOClient(activityAgent_);
  activityAgent_->SetElementType("KivISPPActivity");
  initial->AddDialogAgent(activityAgent_);
  AddTransition(initial, nullptr, IsOutputSetCondition(activityAgent_),
                Action(this, &MoxPexPertUngroupActCmd::UngroupActivity));
}

bool MoxPexPertUngroupActCmd::ValidActivitiesSelection(KivDialogAgent*, void*) {
  MoxPexViewerCmdsTrace().Write("MoxPexPertUngroupActCmd::ValidActivitiesSelection");
  picked_ = activityAgent_ ? activityAgent_->GetElementValue() : nullptr;
  KivISPPActivity_var activity(picked_.get());
  return activity && activity->TypeName() == KivUnicodeString("BIWActivityGrouping");
}

void MoxPexPertUngroupActCmd::ShowError(const char* key, const char* fallback) const {
  const KivUnicodeString title =
      KivMsgCatalog::BuildMessage("MoxPexPertUngroupActCmd", "title", "Error");
  const KivUnicodeString text = KivMsgCatalog::BuildMessage("MoxPexPertUngroupActCmd", key, fallback);
  KivApplicationFrame* frame = KivApplicationFrame::GetFrame();
  auto* notify =
      new KivDlgNotify(frame ? frame->GetMainWindow() : nullptr, "Unexpected", KivDlgNfyErrorOK);
  notify->DisplayBlocked(text, title);
  notify->RequestDelayedDestruction();
}

bool MoxPexPertUngroupActCmd::UngroupActivity(void*) {
  KivFrmEditor* editor = KivFrmEditor::GetCurrentEditor();
  KivProcessDocument* document = editor ? editor->GetProcessDocument() : nullptr;
  if (document && document->IsRuleEnvironment() && !IsValidE5PTSRules()) {
    ShowError("ErrorMessage1", "Assigned resources are violating PTS");
    return false;
  }
  const KivTraceScope scope(MoxPexViewerCmdsTrace(), "MoxPexPertUngroupActCmd::UngroupActivity");
  KivISPPActivity_var group(picked_.get());
  KivISPPChildManagement_var management(group.get());
  if (!management) return true;
  KivSPPList children = management->ChildActivities("");
  if (!children || children->IsEmpty()) return true;
  const KivISPPActivity_var parent = group->ParentActivity();
  if (!parent || !document) return true;

  KivDocumentChangeUnit unit(document);
  const bool done = Dissolve(KivBaseUnknown_var(group.get()), KivBaseUnknown_var(parent.get()),
                             editor);
  editor->GetCSO()->Empty();
  if (!done || unit.HasFailedChanges()) {
    unit.Rollback();
    ShowError("ErrorMessage2", "The group could not be dissolved; the document is as it was.");
    return true;
  }
  unit.Commit();
  return true;
}

bool MoxPexPertUngroupActCmd::Dissolve(const KivBaseUnknown_var& group,
                                       const KivBaseUnknown_var& parent, KivFrmEditor* editor) {
  KivCSO* cso = editor->GetCSO();
  cso->Empty();
  KivListValKivBaseUnknown_var paths;
  const KivSPPList children = KivISPPChildManagement_var(group.get())->ChildActivities("");
  for (const auto& child : *children)
    if (KivISPPActivity_var(child.get()))
      paths.Append(KivBaseUnknown_var(editor->BuildPathElement(child.get()).get()));
  cso->AddElements(paths);

  auto actor = KivMake<KivCCP_Actor>(0, editor);
  const KivPathElement_var target = editor->BuildPathElement(parent.get());
  KivListValKivBaseUnknown_var pasted;
  if (actor->Init()) {
    actor->SetMode(KivCCP_Actor::CopyMode);
    if (actor->ReadSelection() && actor->CanCopy() && FAILED(actor->Copy())) return false;
    actor->SetMode(KivCCP_Actor::PasteMode);
    if (actor->CanPaste(target.get()) && FAILED(actor->Paste(target.get()))) return false;
    GetCSOElements(editor, pasted);
  }
  if (!MakeLinks(group, pasted)) return false;

  cso->Empty();
  cso->AddElement(editor->BuildPathElement(group.get()).get());
  bool cut = false;
  if (actor->Init() && actor->SetMode(KivCCP_Actor::CopyMode) && actor->ReadSelection() &&
      actor->CanCut()) {
    if (MoxIZitBltMgr_var buttons(group.get()); buttons) buttons->Remove();
    cut = ReallocateGroupResourceFromActivity(group, editor) && SUCCEEDED(actor->Cut());
  }
  actor->CloseClipboard();
  actor->OpenClipboard();
  actor->CloseClipboard();
  return cut;
}

void MoxPexPertUngroupActCmd::GetCSOElements(KivFrmEditor* editor,
                                             KivListValKivBaseUnknown_var& list) const {
  MoxPexViewerCmdsTrace().Write("MoxPexPertUngroupActCmd:: GetCSOElements");
  for (const auto& element : editor->GetCSO()->GetElements()) {
    KivPathElement* path = KivAsPathElement(element.get());
    if (KivISPPActivity_var activity(path ? path->GetLeaf() : nullptr); activity)
      list.Append(KivBaseUnknown_var(activity.get()));
  }
  MoxPexViewerCmdsTrace().Write("Size of CSO elements After Copy " + std::to_string(list.Size()));
}

bool MoxPexPertUngroupActCmd::MakeLinks(const KivBaseUnknown_var& group,
                                        const KivListValKivBaseUnknown_var& pasted) {
  MoxPexViewerCmdsTrace().Write("MoxPexPertUngroupActCmd:: MakeLinks");
  const auto before = OutsideNeighbours(MoxPreviousActivities(group.get()), group);
  const auto after = OutsideNeighbours(MoxNextActivities(group.get()), group);
  if (pasted.IsEmpty() || before.IsEmpty() || after.IsEmpty()) return true;
  KivListValKivBaseUnknown_var entries = pasted;
  KivListValKivBaseUnknown_var exits = pasted;
  ChkIfActAlreadyHasPrevLinks(entries);
  ChkIfActAlreadyHasNextLinks(exits);
  if (!entries.IsEmpty() && !LinkPairwise(before, entries)) return false;
  return exits.IsEmpty() || LinkPairwise(exits, after);
}

void MoxPexPertUngroupActCmd::ChkIfActAlreadyHasPrevLinks(KivListValKivBaseUnknown_var& list) {
  MoxPexViewerCmdsTrace().Write("MoxPexPertUngroupActCmd:: ChkIfActAlreadyHasPrevLinks");
  KivListValKivBaseUnknown_var entries;
  for (const auto& activity : list)
    if (MoxPreviousActivities(activity.get()).IsEmpty()) entries.Append(activity);
  list = entries;
}

void MoxPexPertUngroupActCmd::ChkIfActAlreadyHasNextLinks(KivListValKivBaseUnknown_var& list) {
  MoxPexViewerCmdsTrace().Write("MoxPexPertUngroupActCmd:: ChkIfActAlreadyHasNextLinks");
  KivListValKivBaseUnknown_var exits;
  for (const auto& activity : list)
    if (MoxNextActivities(activity.get()).IsEmpty()) exits.Append(activity);
  list = exits;
}

bool MoxPexPertUngroupActCmd::ReallocateGroupResourceFromActivity(const KivBaseUnknown_var& group,
                                                                  KivFrmEditor* editor) {
  KivISPPResourceManagement_var management(group.get());
  const KivSPPList resources = management ? management->AssignedResources("Resource", 0) : nullptr;
  if (!resources || resources->Size() != 1) return true;
  KivIProduct_var groupResource((*resources)[1].get());
  const KivSPPList children = groupResource ? groupResource->ChildProducts("KivIProduct") : nullptr;
  if (!children || children->IsEmpty()) return true;
  KivInit_var init(editor->GetDocument());
  if (!init) return true;
  const KivBaseUnknown_var container = init->RootContainer("KivISPPProcessContainer");
  const KivIProduct_var father = groupResource->FatherProduct();
  const KivPathElement_var fatherPath = editor->BuildPathElement(father.get());
  for (const auto& child : *children)
    if (FAILED(KivSPPReparentService::ReparentResource(child.get(), father.get(), fatherPath.get(),
                                                       container.get())))
      return false;
  KivISPPProcessContainer_var processContainer(container.get());
  if (processContainer && SUCCEEDED(processContainer->RemoveResource(groupResource.get())))
    return true;
  return father && SUCCEEDED(father->RemoveChildProduct(groupResource.get()));
}
