#pragma once
// The base of a model object's visualisation (KivIVisu): a component that
// keeps the rep it built and hands it out. A derived class says how the rep
// is drawn (BuildRep); each rep it keeps stands for the component, so picking
// the rep reports the component (KivRep::FindModelObject).
#include "KivIVisu.h"

class KivExtIVisu : public KivImplement<KivIVisu> {
  KIV_CLASS(KivExtIVisu, KivBaseUnknown, "Visualization")
 public:
  Kiv2DRep* GetRep() override;
  Kiv2DRep* GiveRep() override { return rep_.get(); }
  void UnreferenceRep() override;
  void SetVisuRep(Kiv2DRep* rep) override;
  void SetRepNotUpToDate() override { upToDate_ = false; }
  bool IsRepUpToDate() override { return rep_ && upToDate_; }

 protected:
  KivExtIVisu() = default;
  ~KivExtIVisu() override;

 private:
  KivVar<Kiv2DRep> rep_;
  bool upToDate_ = false;
};
