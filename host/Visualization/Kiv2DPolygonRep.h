#pragma once
// A closed polygon through its points; filled when the fill attribute is on.
#include <vector>

#include "Kiv2DRep.h"

class Kiv2DPolygonRep : public Kiv2DRep {
  KIV_CLASS(Kiv2DPolygonRep, Kiv2DRep, "Visualization")
 public:
  explicit Kiv2DPolygonRep(std::vector<KivMathPoint2Df> points);
  // `count` points given as consecutive coordinate pairs x0, y0, x1, y1, ...
  Kiv2DPolygonRep(const float* coordinates, int count);

  const std::vector<KivMathPoint2Df>& GetPoints() const { return points_; }
  void Modify(std::vector<KivMathPoint2Df> points);

 protected:
  ~Kiv2DPolygonRep() override;
  Kiv2DBoundingBox ComputeBoundingBox() const override;
  void AppendDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                       const KivGraphicAttributes& resolved) const override;

 private:
  std::vector<KivMathPoint2Df> points_;
};
