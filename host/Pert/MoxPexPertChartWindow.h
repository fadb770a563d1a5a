#pragma once
// The host's own PERT chart window: one level of the process (the child
// nodes of its level activity) drawn by a PERT controller in a PERT viewer,
// nodes movable by hand. It answers MoxIPertWindow.
#include "KivFrmWindow.h"
#include "KivImplement.h"
#include "MoxIPertWindow.h"
#include "MoxPertController.h"
#include "MoxPertViewer.h"

class MoxPexPertChartWindow : public KivExtend<KivFrmWindow, MoxIPertWindow> {
  KIV_CLASS(MoxPexPertChartWindow, KivFrmWindow, "Pert")
 public:
  // Joins the current layout (see KivFrmWindow) showing the level of
  // `activity`; an activity that is not a graph node gives an empty chart.
  MoxPexPertChartWindow(const KivString& name, KivFrmEditor* editor,
                        const KivBaseUnknown_var& activity);

  MoxPertViewer* GetPertViewer() override { return viewer_; }
  void SetPertLevel(KivBaseUnknown_var& activity, KivBaseUnknown* leaveOut,
                    unsigned char flag) override;
  void GetPertLevel(KivBaseUnknown_var& activity) override { activity = level_; }
  // Titles the window "PERT Chart " followed by the node's path of names.
  void SetPertWindowName(const KivVar<KivIGENode>& node) override;
  MoxPertController* GetPertController() override { return controller_.get(); }

  void DeleteWindow() override;

 protected:
  ~MoxPexPertChartWindow() override;

 private:
  void DrawLevel(KivBaseUnknown* leaveOut);

  MoxPertViewer* viewer_ = nullptr;
  KivBaseUnknown_var level_;
  KivVar<MoxPertController> controller_;
};
