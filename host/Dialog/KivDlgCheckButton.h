#pragma once
// A check button. SetState(state, notify) changes the state as the program;
// it sends the check-modify notification only when `notify` is set and the
// state really changes, so handlers that set other buttons in turn cannot
// loop. Check is the user clicking it into a state.
#include "KivDialog.h"

inline constexpr int KivDlgCheck = 0x40000;
inline constexpr int KivDlgUncheck = 0x80000;

class KivDlgCheckButton : public KivDialog {
  KIV_CLASS(KivDlgCheckButton, KivDialog, "Dialog")
 public:
  KivDlgCheckButton(KivDialog* parent, const KivString& name, KivDlgStyle style = 0)
      : KivDialog(parent, name, style) {}

  // KivDlgCheck or KivDlgUncheck; E_INVALIDARG otherwise.
  HRESULT SetState(int state, bool notify = true);
  int GetState() const { return state_; }
  bool IsChecked() const { return state_ == KivDlgCheck; }
  KivNotification* GetChkBModifyNotification() {
    return NotificationOf<KivDlgChkBModifyNotification>();
  }
  // The user's click; false when not reachable.
  bool Check(bool checked);

 protected:
  ~KivDlgCheckButton() override = default;

 private:
  int state_ = KivDlgUncheck;
};
