#pragma once
// A point marker: a small symbol centred on a point, `size` units across.
// Symbols: 1 dot, 2 plus, 3 cross, 4 filled disc, 5 square, 6 triangle;
// other values are drawn as the dot.
#include "Kiv2DRep.h"

class Kiv2DMarkerRep : public Kiv2DRep {
  KIV_CLASS(Kiv2DMarkerRep, Kiv2DRep, "Visualization")
 public:
  static constexpr float kDefaultSize = 0.8f;

  Kiv2DMarkerRep(const KivMathPoint2Df& centre, int symbol, float size = kDefaultSize);

  const KivMathPoint2Df& GetCentre() const { return centre_; }
  int GetSymbol() const { return symbol_; }
  void Modify(const KivMathPoint2Df& centre);

 protected:
  ~Kiv2DMarkerRep() override;
  Kiv2DBoundingBox ComputeBoundingBox() const override;
  void AppendDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                       const KivGraphicAttributes& resolved) const override;

 private:
  KivMathPoint2Df centre_;
  int symbol_;
  float size_;
};
