#pragma once
// The modeless dialog of the group command: the proposed name of the new
// grouping activity, the name and type of its resource, the activity type and
// the cycle-time rule, with OK and Cancel. The command creates it hidden,
// fills it and shows it after the first pick, and reads it on OK. The widget
// names are also the keys of their texts in the dialog's resource file.
#include "KivDlgCombo.h"
#include "KivDlgDialog.h"
#include "KivDlgEditor.h"
#include "KivDlgFrame.h"

class MoxPexActivityGroupDlg : public KivDlgDialog {
  KIV_CLASS(MoxPexActivityGroupDlg, KivDlgDialog, "MoxPexViewers")
 public:
  MoxPexActivityGroupDlg();

  void Build() override;

  KivUnicodeString GetActivityName() const;
  KivUnicodeString GetResourceName() const;
  void SetActivityName(const KivUnicodeString& name);
  void SetResourceName(const KivUnicodeString& name);
  // The selected line of each combo; empty when nothing is selected.
  KivUnicodeString GetActivityType() const;
  KivUnicodeString GetCycleTimeType() const;
  KivUnicodeString GetResourceType() const;
  void AddResourceType(const KivUnicodeString& type);
  void ClearResourceComboList();

  // Each edit of the activity name: OK is sensitive only with a name.
  void OnEditorModify(KivCommand* sender, KivNotification* notification, void* data);

 protected:
  ~MoxPexActivityGroupDlg() override;

 private:
  static KivUnicodeString Selected(const KivDlgCombo* combo);

  KivDlgFrame* frame_ = nullptr;
  KivDlgLabel* activityNameLabel_ = nullptr;
  KivDlgEditor* activityName_ = nullptr;
  KivDlgLabel* resourceNameLabel_ = nullptr;
  KivDlgEditor* resourceName_ = nullptr;
  KivDlgLabel* activityTypeLabel_ = nullptr;
  KivDlgCombo* activityType_ = nullptr;
  KivDlgLabel* cycleTimeLabel_ = nullptr;
  KivDlgCombo* cycleTime_ = nullptr;
  KivDlgLabel* resourceTypeLabel_ = nullptr;
  KivDlgCombo* resourceType_ = nullptr;
};
