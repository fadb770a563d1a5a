#include "MoxPexPertGrpActCmd.h"

#include <new>
#include <utility>

#include "KivApplicationFrame.h"
#include "KivClassRegistry.h"
#include "KivCreationDictionary.h"
#include "KivDlgNotify.h"
#include "KivDocumentChangeUnit.h"
#include "KivMsgCatalog.h"
#include "KivPathElementAgent.h"
#include "KivISPPResourceManagement.h"
#include "KivProcessDocument.h"
#include "MoxPexActivityGroupDlg.h"
#include "MoxPexGroupShape.h"
#include "MoxPexTraces.h"

KIV_DECLARE_CLASS(MoxPexPertGrpActCmd, "MoxPexViewers");

extern "C" KivBaseUnknown* fctCreateMoxPexPertGrpActCmd() {
  return new (std::nothrow) MoxPexPertGrpActCmd();
}

static const KivCreationRegistrar kMoxPexPertGrpActCmdFactory("MoxPexPertGrpActCmd",
                                                              &fctCreateMoxPexPertGrpActCmd,
                                                              "MoxPexViewers");

namespace {
const char* const kCatalog = "MoxPexPertGrpActCmd";

// The texts shown when the catalogue has none for a key.
const std::pair<const char*, const char*> kDefaultTexts[] = {
    {"ErrorMessage1", "Activities selected are not at same level."},
    {"ErrorMessage2", "Improper selection of activities for grouping"},
    {"ErrorMessage3", "Selected Activities not linked properly."},
    {"ErrorMessage4", "Resources Assigned to the Activities selected are not at same level."},
    {"ErrorMessage5",
     "new E5 resource type is not possible for this selection (Violation of PTS Rules)"},
    {"ErrorMessage6", "The group could not be built; the document is as it was."}};

KivISPPActivity_var LeafActivity(const KivBaseUnknown_var& element) {
  KivPathElement* path = KivAsPathElement(element.get());
  return KivISPPActivity_var(path ? path->GetLeaf() : nullptr);
}

bool IsGroupable(const KivISPPActivity_var& activity) {
  if (!activity) return false;
  const KivUnicodeString type = activity->TypeName();
  return type == KivUnicodeString("BIWActivityStation") ||
         type == KivUnicodeString("BIWActivityGrouping");
}

KivISPPActivity_var ParentOf(const KivISPPActivity_var& activity) {
  return activity ? activity->ParentActivity() : KivISPPActivity_var();
}
}  // namespace

MoxPexPertGrpActCmd::MoxPexPertGrpActCmd()
    : KivStateCommand("MoxPexPertGrpActCmd", KivCommandExclusive, 0) {
  editor_ = KivFrmEditor::GetCurrentEditor();
  if (editor_) document_ = editor_->GetDocument();
  if (auto* document = editor_ ? editor_->GetProcessDocument() : nullptr) {
    const KivBaseUnknown_var environment = document->GetDocEnvironment();
    ruleEnvironment_ = environment && environment->IsAKindOf("IPDDocEnv");
  }
  dialog_ = new MoxPexActivityGroupDlg();
  dialog_->SetFather(this);
  dialog_->SetVisibility(KivDlgHide);
}

MoxPexPertGrpActCmd::~MoxPexPertGrpActCmd() {
  for (KivCommand* part : {static_cast<KivCommand*>(activityAgent_),
                           static_cast<KivCommand*>(okAgent_),
                           static_cast<KivCommand*>(cancelAgent_)})
    if (part) part->RequestDelayedDestruction();
  if (dialog_) {
    dialog_->SetFather(nullptr);
    dialog_->RequestDelayedDestruction();
  }
}

void MoxPexPertGrpActCmd::BuildGraph() {
  KivDialogState* initial = GetInitialState("initialState");
  if (!initial) return;
  activityAgent_ = new KivPathElementAgent("ActSel");
  activityAgent_->SetBehavior(KivAgentPickMany);
  AddCSOClient(activityAgent_);
  activityAgent_->SetElementType("KivISPPActivity");
  activityAgent_->SetFilter(Filter(this, &MoxPexPertGrpActCmd::ValidActivitiesSelection));
  initial->AddDialogAgent(activityAgent_);

  KivDialogState* selecting = AddDialogState("SelectOK");
  if (!selecting) return;
  okAgent_ = new KivDialogAgent("OKAgent");
  cancelAgent_ = new KivDialogAgent("CancelAgent");
  selecting->AddDialogAgent(cancelAgent_);
  selecting->AddDialogAgent(okAgent_);
  selecting->AddDialogAgent(activityAgent_);
  okAgent_->AcceptOnNotify(dialog_, dialog_->GetDiaOKNotification());
  cancelAgent_->AcceptOnNotify(dialog_, dialog_->GetWindCloseNotification());
  cancelAgent_->AcceptOnNotify(dialog_, dialog_->GetDiaCANCELNotification());

  AddTransition(initial, selecting, IsOutputSetCondition(activityAgent_),
                Action(this, &MoxPexPertGrpActCmd::InitializeActForGroup));
  AddTransition(selecting, selecting, IsOutputSetCondition(activityAgent_),
                Action(this, &MoxPexPertGrpActCmd::AddActivitiesToList));
  AddTransition(selecting, nullptr, IsOutputSetCondition(cancelAgent_));
  AddTransition(selecting, nullptr, IsOutputSetCondition(okAgent_),
                Action(this, &MoxPexPertGrpActCmd::CreateGroup));
}

bool MoxPexPertGrpActCmd::ValidActivitiesSelection(KivDialogAgent*, void*) {
  if (!activityAgent_) return false;
  const KivListValKivBaseUnknown_var picked = activityAgent_->GetListOfValues();
  if (picked.IsEmpty()) return false;
  return IsGroupable(LeafActivity(picked[picked.Size()]));
}

void MoxPexPertGrpActCmd::ShowError(const char* key) const {
  const KivUnicodeString title = KivMsgCatalog::BuildMessage(kCatalog, "title", "Error");
  const char* fallback = "";
  for (const auto& [known, text] : kDefaultTexts)
    if (KivString(key) == known) fallback = text;
  const KivUnicodeString text = KivMsgCatalog::BuildMessage(kCatalog, key, fallback);
  KivApplicationFrame* frame = KivApplicationFrame::GetFrame();
  auto* notify =
      new KivDlgNotify(frame ? frame->GetMainWindow() : nullptr, "Unexpected", KivDlgNfyErrorOK);
  notify->DisplayBlocked(text, title);
  notify->RequestDelayedDestruction();
}

bool MoxPexPertGrpActCmd::SameParent(const KivISPPActivity_var& activity) const {
  const KivISPPActivity_var parent = ParentOf(activity);
  if (!parent || !referenceParent_) return true;
  return KivIdentity(parent.get()) == KivIdentity(referenceParent_.get());
}

void MoxPexPertGrpActCmd::ProposeNames() {
  dialog_->SetActivityName("GroupActivity");
  if (resourcesAssigned_) dialog_->SetResourceName("GroupResource");
}

void MoxPexPertGrpActCmd::OfferDefaultResourceType() {
  if (!resourcesAssigned_ || ruleEnvironment_) return;
  dialog_->ClearResourceComboList();
  dialog_->AddResourceType("DefaultResource");
}

bool MoxPexPertGrpActCmd::InitializeActForGroup(void*) {
  const KivTraceScope scope(MoxPexViewerCmdsTrace(), "MoxPexPertGrpActCmd::InitializeActForGroup");
  if (!activityAgent_) return false;
  bool sameLevel = true;
  bool sameResourceLevel = true;
  const KivListValKivBaseUnknown_var picked = activityAgent_->GetListOfValues();
  for (int i = 1; i <= picked.Size(); ++i) {
    const KivISPPActivity_var activity = LeafActivity(picked[i]);
    if (i == 1) {
      if (!firstPicked_) firstPicked_ = activity;
      if (!activity) continue;
      sameResourceLevel = IsSameResourceLevel(activity);
      groupList_.Append(KivBaseUnknown_var(activity.get()));
      if (!referenceParent_) referenceParent_ = ParentOf(activity);
      continue;
    }
    if (!activity) continue;
    groupList_.Append(KivBaseUnknown_var(activity.get()));
    if (!SameParent(activity)) {
      sameLevel = false;
      break;
    }
    if (!sameResourceLevel) continue;
    sameResourceLevel = IsSameResourceLevel(activity);
    if (!sameResourceLevel) break;
    OfferDefaultResourceType();
  }
  activityAgent_->InitializeAcquisition();
  if (!ReportLevelMismatch(sameLevel, sameResourceLevel)) return false;
  if (groupList_.Size() >= 2)
    ProposeNames();
  else
    dialog_->SetOKSensitivity(false);
  dialog_->SetVisibility(KivDlgShow);
  return true;
}

bool MoxPexPertGrpActCmd::AddActivitiesToList(void*) {
  const KivTraceScope scope(MoxPexViewerCmdsTrace(), "MoxPexPertGrpActCmd::AddActivitiesToList");
  if (!activityAgent_) return false;
  bool sameLevel = true;
  bool sameResourceLevel = true;
  const KivListValKivBaseUnknown_var picked = activityAgent_->GetListOfValues();
  const KivISPPActivity_var activity =
      picked.IsEmpty() ? KivISPPActivity_var() : LeafActivity(picked[picked.Size()]);
  if (activity) {
    if (!firstPicked_) firstPicked_ = activity;
    const KivBaseUnknown_var held(activity.get());
    if (groupList_.Locate(held)) {
      // Picking an activity again takes it out of the group.
      groupList_.RemoveValue(held);
      if (editor_) {
        editor_->GetHSO()->RemoveElementsOf(activity.get());
        editor_->GetCSO()->RemoveElementsOf(activity.get());
      }
      if (groupList_.Size() < 2) dialog_->SetOKSensitivity(false);
    } else {
      groupList_.Append(held);
    }
    if (groupList_.Size() < 2) {
      if (!referenceParent_) referenceParent_ = ParentOf(activity);
    } else {
      ProposeNames();
      dialog_->SetOKSensitivity(true);
      sameLevel = SameParent(activity);
    }
    if (sameLevel) {
      sameResourceLevel = IsSameResourceLevel(activity);
      if (sameResourceLevel) OfferDefaultResourceType();
    }
  }
  activityAgent_->InitializeAcquisition();
  if (!ReportLevelMismatch(sameLevel, sameResourceLevel)) return false;
  return true;
}

bool MoxPexPertGrpActCmd::ReportLevelMismatch(bool sameLevel, bool sameResourceLevel) {
  if (!sameLevel) ShowError("ErrorMessage1");
  else if (!sameResourceLevel) ShowError("ErrorMessage4");
  return sameLevel && sameResourceLevel;
}

bool MoxPexPertGrpActCmd::IsSameResourceLevel(const KivISPPActivity_var& activity) {
  KivISPPResourceManagement_var management(activity.get());
  if (!management) return true;
  const KivSPPList resources = management->AssignedResources("Resource", 0);
  if (!resources) return true;
  for (const auto& resource : *resources) {
    resourcesAssigned_ = true;
    KivIProduct_var product(resource.get());
    const KivIProduct_var father = product ? product->FatherProduct() : KivIProduct_var();
    if (!resourceFatherKnown_) {
      resourceFather_ = father;
      resourceFatherKnown_ = true;
    }
    if (KivIdentity(father.get()) != KivIdentity(resourceFather_.get())) return false;
  }
  return true;
}

MoxPexGroupShape MoxPexPertGrpActCmd::Shape() const { return MoxPexGroupShape(groupList_); }

void MoxPexPertGrpActCmd::GetListActsWithprevActNotSelected(
    KivListValKivBaseUnknown_var* list) const {
  Shape().EntriesWithOutsidePrevious(list);
}

void MoxPexPertGrpActCmd::GetListActsWithNextActNotSelected(
    KivListValKivBaseUnknown_var* list) const {
  Shape().ExitsWithOutsideNext(list);
}

bool MoxPexPertGrpActCmd::IsRuleOneViolated() const { return Shape().IsRuleOneViolated(); }
bool MoxPexPertGrpActCmd::IsRuleTwoViolated() const { return Shape().IsRuleTwoViolated(); }

bool MoxPexPertGrpActCmd::ValidateSelection() {
  MoxPexViewerCmdsTrace().Write("MoxPexPertGrpActCmd:: ValidateSelection");
  if (Shape().IsSound()) return true;
  ShowError("ErrorMessage2");
  return false;
}

KivUnicodeString MoxPexPertGrpActCmd::GetActivityTypeToCreate(const KivUnicodeString& dialogType) {
  return dialogType == KivUnicodeString("Grouping Activity")
             ? KivUnicodeString("BIWActivityGrouping")
             : KivUnicodeString();
}

bool MoxPexPertGrpActCmd::CreateGroup(void*) {
  const KivTraceScope scope(MoxPexViewerCmdsTrace(), "MoxPexPertGrpActCmd::CreateGroup");
  if (ruleEnvironment_ && resourcesAssigned_ && dialog_->GetResourceType().GetLengthInChar() == 0) {
    ShowError("ErrorMessage5");
    return false;
  }
  if (groupList_.Size() <= 1) return true;
  if (!ValidateSelection()) return true;
  const MoxPexGroupShape shape = Shape();
  KivBaseUnknown_var entry;
  for (const auto& member : groupList_) {
    bool fedFromInside = false;
    for (const auto& previous : MoxPreviousActivities(member.get()))
      fedFromInside = fedFromInside || shape.Contains(previous.get());
    if (!fedFromInside) {
      entry = member;
      break;
    }
  }
  if (!entry || MoxPreviousActivities(entry.get()).IsEmpty()) {
    ShowError("ErrorMessage3");
    return true;
  }
  KivProcessDocument* document = editor_ ? editor_->GetProcessDocument() : nullptr;
  if (!document) return true;
  KivDocumentChangeUnit unit(document);
  if (!BuildGroup(entry) || unit.HasFailedChanges()) {
    unit.Rollback();
    groupActivity_ = NULL_var;
    ShowError("ErrorMessage6");
    return true;
  }
  unit.Commit();
  return true;
}
