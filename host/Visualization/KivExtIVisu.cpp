#include "KivExtIVisu.h"

KivExtIVisu::~KivExtIVisu() { UnreferenceRep(); }

Kiv2DRep* KivExtIVisu::GetRep() {
  if (!IsRepUpToDate()) SetVisuRep(BuildRep().get());
  return rep_.get();
}

void KivExtIVisu::UnreferenceRep() {
  if (rep_ && rep_->GetModelObject() == this) rep_->SetModelObject(nullptr);
  rep_ = NULL_var;
  upToDate_ = false;
}

void KivExtIVisu::SetVisuRep(Kiv2DRep* rep) {
  UnreferenceRep();
  rep_ = rep;
  if (!rep_) return;
  // The rep holds the component while the component keeps the rep;
  // UnreferenceRep takes that back, so neither keeps the other alive after.
  rep_->SetModelObject(this);
  upToDate_ = true;
}
