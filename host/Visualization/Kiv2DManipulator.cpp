#include "Kiv2DManipulator.h"

Kiv2DManipulator::Kiv2DManipulator(KivCommand* father, const KivString& name, Kiv2DRep* rep,
                                   int style)
    : KivManipulator(father, name, style) {
  if (rep) AddRepToManipulate(rep);
}

Kiv2DManipulator::~Kiv2DManipulator() = default;

void Kiv2DManipulator::SetReferenceAxis(const KivMathAxis2D& axis) {
  reference_ = axis;
  current_ = axis;
}

void Kiv2DManipulator::OnDragStep(const KivMathVector2Df& delta) {
  current_.origin = current_.origin + direction_.Project(delta);
}
