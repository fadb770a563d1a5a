#include "MoxPexBIWDDOptionsDlg.h"

#include "KivApplicationFrame.h"
#include "KivClassRegistry.h"
#include "KivDlgFrame.h"
#include "KivDlgNotifications.h"
#include "KivDlgSelectorList.h"
#include "MoxEListZitBltItemDDPO.h"

KIV_DECLARE_CLASS(MoxPexBIWDDOptionsDlg, "MoxPexViewers");

namespace {
constexpr KivDlgStyle kDialogStyle = 265217;
constexpr int kJustification = 30;
}  // namespace

MoxPexBIWDDOptionsDlg::MoxPexBIWDDOptionsDlg(MoxEListZitBltItemDDPO* owner)
    : KivDlgDialog(KivApplicationFrame::GetFrame()->GetMainWindow(), "MoxPexBIWDDOptionsDlg",
                   kDialogStyle),
      owner_(owner) {
  SetTitle(KivUnicodeString("Select Item"));
  Build();
  AddAnalyseNotificationCB(this, GetDiaOKNotification(),
                           [this](KivCommand*, KivNotification* n, void*) { OnOK(n); });
  AddAnalyseNotificationCB(this, GetDiaCANCELNotification(),
                           [this](KivCommand*, KivNotification* n, void*) { OnCancel(n); });
  AddAnalyseNotificationCB(this, GetWindCloseNotification(),
                           [this](KivCommand*, KivNotification* n, void*) { OnCancel(n); });
  SetVisibility(KivDlgShow);
}

MoxPexBIWDDOptionsDlg::~MoxPexBIWDDOptionsDlg() = default;

void MoxPexBIWDDOptionsDlg::Build() {
  frame_ = new KivDlgFrame(this, "Select Item To Replace");
  frame_->SetTitle(KivUnicodeString("Select Item To Replace"));
  frame_->SetGridConstraints(1, 0, 1, 1, kJustification);
  list_ = new KivDlgSelectorList(frame_, "ItemSelectorList");
  list_->SetGridConstraints(0, 0, 1, 1, kJustification);
}

void MoxPexBIWDDOptionsDlg::SetLineString(const KivUnicodeString& text) {
  list_->SetLine(text, -1, 64);
  list_->SetSelect(0);
}

int MoxPexBIWDDOptionsDlg::GetSelection() const { return list_->GetFirstSelect() + 1; }

void MoxPexBIWDDOptionsDlg::OnOK(KivNotification* notification) {
  if (answered_) return;
  answered_ = true;
  if (owner_) owner_->ReplaceOutputAtDestination(GetSelection());
  if (GetFather()) SendNotification(GetFather(), notification);
  Dismiss();
}

void MoxPexBIWDDOptionsDlg::OnCancel(KivNotification*) {
  if (answered_) return;
  answered_ = true;
  if (owner_) owner_->ForgetPendingMove();
  if (GetFather()) SendNotification(GetFather(), GetDiaCANCELNotification());
  Dismiss();
}

void MoxPexBIWDDOptionsDlg::Dismiss() {
  owner_ = NULL_var;
  SetVisibility(KivDlgHide);
  RequestDelayedDestruction();
}
