#pragma once
// The item options dialog ("Select Item"): the outputs the destination of a
// dropped product output already gives, one line each; OK replaces the
// selected one with the moved output, Cancel and closing the window move
// nothing. It destroys itself once answered.
#include "KivDlgDialog.h"
#include "KivVar.h"

class KivDlgSelectorList;
class MoxEListZitBltItemDDPO;

class MoxPexBIWDDOptionsDlg : public KivDlgDialog {
  KIV_CLASS(MoxPexBIWDDOptionsDlg, KivDlgDialog, "MoxPexViewers")
 public:
  // Built and shown at once, under the application's main window.
  explicit MoxPexBIWDDOptionsDlg(MoxEListZitBltItemDDPO* owner);

  // Adds a line and selects the first line.
  void SetLineString(const KivUnicodeString& text);
  // The selected line, from 1 (0 when none is selected).
  int GetSelection() const;

 protected:
  ~MoxPexBIWDDOptionsDlg() override;

 private:
  void Build() override;
  void OnOK(KivNotification* notification);
  void OnCancel(KivNotification*);
  void Dismiss();

  KivDialog* frame_ = nullptr;
  KivDlgSelectorList* list_ = nullptr;
  KivVar<MoxEListZitBltItemDDPO> owner_;
  bool answered_ = false;
};
