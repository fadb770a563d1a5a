#include "KivModelForRep2D.h"

KivModelForRep2D::~KivModelForRep2D() = default;

void KivModelForRep2D::SetRep(Kiv2DRep* rep) {
  rep_ = rep;
  Kiv2DRep::TouchScene();
}
