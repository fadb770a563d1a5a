#pragma once
// MoxIPertWindow on a product flow viewer window: a forwarder that calls the
// window's own methods, bound by CreateTIEMoxIPertWindowMoxPexProductFlowViewer.
#include "KivExtension.h"
#include "KivImplement.h"
#include "MoxIPertWindow.h"

class MoxPexProductFlowViewer;

class MoxPexProductFlowViewerTie : public KivExtend<KivExtension, MoxIPertWindow> {
  KIV_CLASS(MoxPexProductFlowViewerTie, KivExtension, "MoxPexViewers")
 public:
  MoxPexProductFlowViewerTie() = default;

  MoxPertViewer* GetPertViewer() override;
  void SetPertLevel(KivBaseUnknown_var& activity, KivBaseUnknown* leaveOut,
                    unsigned char flag) override;
  void GetPertLevel(KivBaseUnknown_var& activity) override;
  void SetPertWindowName(const KivVar<KivIGENode>& node) override;
  MoxPertController* GetPertController() override;

 protected:
  ~MoxPexProductFlowViewerTie() override = default;

 private:
  MoxPexProductFlowViewer* Window();
};
