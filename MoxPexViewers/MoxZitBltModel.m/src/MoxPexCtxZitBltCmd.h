#pragma once
// The context command that opens the hide/show dialog of the status buttons
// on the selected activities: it takes the selection (or waits for picks),
// opens the dialog with the button names of the first activity, or tells
// the user that it has none, and ends when the dialog is closed.
#include "KivStateCommand.h"

class KivPathElementAgent;
class MoxPexZitBltHideShowDlg;

class MoxPexCtxZitBltCmd : public KivStateCommand {
  KIV_CLASS(MoxPexCtxZitBltCmd, KivStateCommand, "MoxPexViewers")
 public:
  MoxPexCtxZitBltCmd();

  void BuildGraph() override;
  // The action out of the initial state: true when the dialog was opened.
  bool ShowDlg(void* data);

 protected:
  ~MoxPexCtxZitBltCmd() override;

 private:
  MoxPexZitBltHideShowDlg* dialog_ = nullptr;
  KivPathElementAgent* activityAgent_ = nullptr;
  KivDialogAgent* closeAgent_ = nullptr;
  KivListValKivBaseUnknown_var activities_;
};

extern "C" KivBaseUnknown* fctCreateMoxPexCtxZitBltCmd();
