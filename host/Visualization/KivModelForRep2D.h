#pragma once
// Holds a rep for an editor's 2D registry (KivVis2DRegistry): every viewer
// attached to the registry draws and picks the rep on top of its own scene.
// A reference to the rep is held.
#include "Kiv2DRep.h"

class KivModelForRep2D : public KivImplement<> {
  KIV_CLASS(KivModelForRep2D, KivBaseUnknown, "Visualization")
 public:
  KivModelForRep2D() = default;
  explicit KivModelForRep2D(Kiv2DRep* rep) : rep_(rep) {}

  void SetRep(Kiv2DRep* rep);
  Kiv2DRep* GetRep() const { return rep_.get(); }

 protected:
  ~KivModelForRep2D() override;

 private:
  KivVar<Kiv2DRep> rep_;
};
KIV_DECLARE_VAR(KivModelForRep2D);
