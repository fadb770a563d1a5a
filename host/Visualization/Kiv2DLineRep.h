#pragma once
// A straight segment between two points.
#include "Kiv2DRep.h"

class Kiv2DLineRep : public Kiv2DRep {
  KIV_CLASS(Kiv2DLineRep, Kiv2DRep, "Visualization")
 public:
  Kiv2DLineRep(const KivMathPoint2Df& start, const KivMathPoint2Df& end);
  // Points given as two coordinate pairs {x, y}.
  Kiv2DLineRep(const float start[2], const float end[2]);

  const KivMathPoint2Df& GetStart() const { return start_; }
  const KivMathPoint2Df& GetEnd() const { return end_; }
  void Modify(const KivMathPoint2Df& start, const KivMathPoint2Df& end);

 protected:
  ~Kiv2DLineRep() override;
  Kiv2DBoundingBox ComputeBoundingBox() const override;
  void AppendDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                       const KivGraphicAttributes& resolved) const override;

 private:
  KivMathPoint2Df start_;
  KivMathPoint2Df end_;
};
