#include "MoxPexCtxZitBltCmd.h"

#include <memory>
#include <new>

#include "KivApplicationFrame.h"
#include "KivClassRegistry.h"
#include "KivCreationDictionary.h"
#include "KivDialogState.h"
#include "KivDlgNotify.h"
#include "KivISPPActivity.h"
#include "KivMsgCatalog.h"
#include "KivPathElementAgent.h"
#include "MoxIZitBltMgr.h"
#include "MoxPexTraces.h"
#include "MoxPexZitBltHideShowDlg.h"

KIV_DECLARE_CLASS(MoxPexCtxZitBltCmd, "MoxPexViewers");

extern "C" KivBaseUnknown* fctCreateMoxPexCtxZitBltCmd() {
  return new (std::nothrow) MoxPexCtxZitBltCmd();
}

static const KivCreationRegistrar kMoxPexCtxZitBltCmdFactory("MoxPexCtxZitBltCmd",
                                                             &fctCreateMoxPexCtxZitBltCmd,
                                                             "MoxPexViewers");

MoxPexCtxZitBltCmd::MoxPexCtxZitBltCmd() : KivStateCommand("MoxPexCtxZitBltCmd") {}

MoxPexCtxZitBltCmd::~MoxPexCtxZitBltCmd() {
  if (dialog_) {
    dialog_->SetVisibility(KivDlgHide);
    dialog_->RequestDelayedDestruction();
    dialog_ = nullptr;
  }
  if (activityAgent_) activityAgent_->RequestDelayedDestruction();
  if (closeAgent_) closeAgent_->RequestDelayedDestruction();
  activityAgent_ = nullptr;
  closeAgent_ = nullptr;
  activities_.RemoveAll();
}

void MoxPexCtxZitBltCmd::BuildGraph() {
  const KivTraceScope scope(MoxPexCtxMenuTrace(), "MoxPexCtxZitBltCmd::BuildGraph");
  activityAgent_ = new KivPathElementAgent("ActSel");
  activityAgent_->SetElementType("KivISPPActivity");
  activityAgent_->SetBehavior(KivAgentPickMany);
  AddCSOClient(activityAgent_);
  closeAgent_ = new KivDialogAgent("Close");
  KivDialogState* initial = GetInitialState("initialState");
  KivDialogState* close = AddDialogState("Close");
  if (!initial || !close) return;
  initial->AddDialogAgent(activityAgent_);
  close->AddDialogAgent(closeAgent_);
  AddTransition(initial, close, IsOutputSetCondition(activityAgent_),
                Action(this, &MoxPexCtxZitBltCmd::ShowDlg));
  AddTransition(close, nullptr, IsOutputSetCondition(closeAgent_));
}

bool MoxPexCtxZitBltCmd::ShowDlg(void*) {
  const KivTraceScope scope(MoxPexCtxMenuTrace(), "MoxPexCtxZitBltCmd::ShowDlg");
  const KivListValKivBaseUnknown_var values =
      activityAgent_ ? activityAgent_->GetListOfValues() : KivListValKivBaseUnknown_var();
  if (values.IsEmpty()) return false;
  activities_.RemoveAll();
  for (const KivBaseUnknown_var& value : values)
    if (KivPathElement* path = KivAsPathElement(value.get()))
      if (KivISPPActivity_var activity = path->GetLeaf()) activities_.Append(activity.get());
  int count = 0;
  if (MoxIZitBltMgr_var manager = activities_.IsEmpty() ? nullptr : activities_[1].get()) {
    KivListValKivUnicodeString* names = nullptr;
    manager->GetAllZitBlts(&names);
    std::unique_ptr<KivListValKivUnicodeString> owned(names);
    count = owned ? owned->Size() : 0;
  }
  KivDialog* mainWindow = KivApplicationFrame::GetFrame()->GetMainWindow();
  if (count == 0) {
    auto* notify = new KivDlgNotify(mainWindow, "NoZitBlt", 0x10000200);
    notify->DisplayBlocked(
        KivMsgCatalog::BuildMessage("MoxPexCtxZitBltCmd", "NoZitBlt", "No ZitBlts Present"),
        KivMsgCatalog::BuildMessage("MoxPexCtxZitBltCmd", "Title", "Warning"));
    notify->RequestDelayedDestruction();
    closeAgent_->Accept();
    return false;
  }
  activityAgent_->InitializeAcquisition();
  dialog_ = new MoxPexZitBltHideShowDlg(activities_);
  dialog_->SetVisibility(KivDlgShow);
  closeAgent_->AcceptOnNotify(dialog_, dialog_->GetWindCloseNotification());
  closeAgent_->AcceptOnNotify(dialog_, dialog_->GetDiaOKNotification());
  return true;
}
