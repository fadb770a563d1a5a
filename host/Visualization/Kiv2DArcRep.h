#pragma once
// A circular arc from `startAngle` to `endAngle` (radians, counter-clockwise;
// a sweep of 2 pi or more is the full circle). Filled, it is drawn as the
// pie sector (the disc for a full circle).
#include "Kiv2DRep.h"

class Kiv2DArcRep : public Kiv2DRep {
  KIV_CLASS(Kiv2DArcRep, Kiv2DRep, "Visualization")
 public:
  Kiv2DArcRep(const KivMathPoint2Df& centre, float radius, float startAngle, float endAngle);

  const KivMathPoint2Df& GetCentre() const { return centre_; }
  float GetRadius() const { return radius_; }
  float GetStartAngle() const { return start_; }
  float GetEndAngle() const { return end_; }
  bool IsFullCircle() const;
  void Modify(const KivMathPoint2Df& centre, float radius);

 protected:
  ~Kiv2DArcRep() override;
  Kiv2DBoundingBox ComputeBoundingBox() const override;
  void AppendDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                       const KivGraphicAttributes& resolved) const override;

 private:
  KivMathPoint2Df PointAt(double angle) const;

  KivMathPoint2Df centre_;
  float radius_;
  float start_;
  float end_;
};
