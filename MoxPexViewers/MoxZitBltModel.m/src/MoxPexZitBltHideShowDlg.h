#pragma once
// The dialog that hides and shows status buttons: an "All" check button and
// one per button name of the first activity, checked while shown. A change
// applies at once, by name, to every activity given (those without buttons
// are skipped); "All" follows the name buttons when they all agree.
#include <vector>

#include "KivDlgDialog.h"
#include "KivList.h"
#include "KivUnicodeString.h"

class KivDlgCheckButton;

class MoxPexZitBltHideShowDlg : public KivDlgDialog {
  KIV_CLASS(MoxPexZitBltHideShowDlg, KivDlgDialog, "MoxPexViewers")
 public:
  // Built at once, hidden, under the application's main window.
  explicit MoxPexZitBltHideShowDlg(const KivListValKivBaseUnknown_var& activities);

  void Build() override;
  void AllZitBltModif();
  void OtherZitBltModif(KivDlgCheckButton* button);
  // Sets "All" to `state` when every name button is in it (two names or
  // more).
  void CheckAllStatus(int state);

 protected:
  ~MoxPexZitBltHideShowDlg() override;

 private:
  void SetStatus(const KivUnicodeString& name, int state);

  KivDialog* frame_ = nullptr;
  KivDlgCheckButton* all_ = nullptr;
  std::vector<KivDlgCheckButton*> buttons_;
  std::vector<KivUnicodeString> names_;
  KivListValKivBaseUnknown_var activities_;
};
