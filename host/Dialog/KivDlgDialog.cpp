#include "KivDlgDialog.h"

KivDlgDialog::KivDlgDialog(KivDialog* parent, const KivString& name, KivDlgStyle style)
    : KivDlgWindow(parent, name, style) {}

KivDlgDialog::~KivDlgDialog() = default;

bool KivDlgDialog::PushOK() {
  if (!IsReachable() || !okSensitive_) return false;
  KivBaseUnknown_var keep(this);
  Notify<KivDlgDiaOKNotification>();
  return true;
}

bool KivDlgDialog::PushCancel() {
  if (!IsReachable()) return false;
  KivBaseUnknown_var keep(this);
  Notify<KivDlgDiaCANCELNotification>();
  return true;
}
