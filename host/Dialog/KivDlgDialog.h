#pragma once
// A dialog box with OK and Cancel. Build() is where a derived box creates
// its widgets. PushOK/PushCancel are the user pressing the buttons: each
// sends its notification to the father (usually the command that owns the
// box). Whether the box hides itself is its father's business.
#include "KivDlgWindow.h"

class KivDlgDialog : public KivDlgWindow {
  KIV_CLASS(KivDlgDialog, KivDlgWindow, "Dialog")
 public:
  KivDlgDialog(KivDialog* parent, const KivString& name, KivDlgStyle style = 0);

  virtual void Build() {}

  KivNotification* GetDiaOKNotification() { return NotificationOf<KivDlgDiaOKNotification>(); }
  KivNotification* GetDiaCANCELNotification() {
    return NotificationOf<KivDlgDiaCANCELNotification>();
  }

  void SetOKSensitivity(bool sensitive) { okSensitive_ = sensitive; }
  bool GetOKSensitivity() const { return okSensitive_; }

  // False (and nothing sent) when the box is not shown or OK is insensitive.
  bool PushOK();
  bool PushCancel();

 protected:
  ~KivDlgDialog() override;

 private:
  bool okSensitive_ = true;
};
