#pragma once
// A manipulator of 2D reps with a current axis: a drag moves the axis origin
// by the pointer's movement projected on the manipulator's direction (no
// direction set: the whole movement), and the father command reads the
// origin on each manipulation notification. The manipulator never moves
// reps itself; its father does what the drag means.
#include "Kiv2DRep.h"
#include "KivManipulator.h"
#include "KivMathAxis2D.h"
#include "KivMathDirection2D.h"

class Kiv2DManipulator : public KivManipulator {
  KIV_CLASS(Kiv2DManipulator, KivManipulator, "Visualization")
 public:
  // `rep` (may be null) becomes the first manipulated rep.
  Kiv2DManipulator(KivCommand* father, const KivString& name, Kiv2DRep* rep, int style);

  void SetDirection(const KivMathDirection2D& direction) { direction_ = direction; }
  const KivMathDirection2D& GetDirection() const { return direction_; }

  const KivMathAxis2D& GetCurrentAxis() const { return current_; }
  void GetCurrentAxis(KivMathAxis2D& axis) const { axis = current_; }
  void SetCurrentAxis(const KivMathAxis2D& axis) { current_ = axis; }
  // The reference axis is where ResetAxis returns; setting it also sets the
  // current axis.
  void SetReferenceAxis(const KivMathAxis2D& axis);
  const KivMathAxis2D& GetReferenceAxis() const { return reference_; }
  void ResetAxis() { current_ = reference_; }

 protected:
  ~Kiv2DManipulator() override;
  void OnDragStep(const KivMathVector2Df& delta) override;

 private:
  KivMathDirection2D direction_;
  KivMathAxis2D reference_;
  KivMathAxis2D current_;
};
KIV_DECLARE_VAR(Kiv2DManipulator);
