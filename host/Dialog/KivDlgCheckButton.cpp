#include "KivDlgCheckButton.h"

HRESULT KivDlgCheckButton::SetState(int state, bool notify) {
  if (state != KivDlgCheck && state != KivDlgUncheck) return E_INVALIDARG;
  if (state == state_) return S_FALSE;
  state_ = state;
  if (notify) {
    KivBaseUnknown_var keep(this);
    Notify<KivDlgChkBModifyNotification>();
  }
  return S_OK;
}

bool KivDlgCheckButton::Check(bool checked) {
  if (!IsReachable()) return false;
  SetState(checked ? KivDlgCheck : KivDlgUncheck, true);
  return true;
}
