#pragma once
// The visualisation of a model object: the 2D rep that draws it, built on
// demand and kept until it is given up. A viewer's owner asks for the rep
// (GetRep), puts it into its scene, and gives it up again (UnreferenceRep)
// before it destroys it.
#include "Kiv2DRep.h"

inline constexpr IID IID_KivIVisu = KivGUID::FromName("KivIVisu");

class KivIVisu : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivIVisu)
 public:
  // A new rep of the object (the visualisation keeps none of it).
  virtual KivVar<Kiv2DRep> BuildRep() = 0;
  // The kept rep, built first when there is none or it is out of date (the
  // holder of an out-of-date rep puts the new one in its place).
  virtual Kiv2DRep* GetRep() = 0;
  // The kept rep as it is (null when none was built).
  virtual Kiv2DRep* GiveRep() = 0;
  // Forgets the kept rep (whoever holds it keeps it).
  virtual void UnreferenceRep() = 0;
  virtual void SetVisuRep(Kiv2DRep* rep) = 0;
  virtual void SetRepNotUpToDate() = 0;
  virtual bool IsRepUpToDate() = 0;
};
KIV_DECLARE_VAR(KivIVisu);
