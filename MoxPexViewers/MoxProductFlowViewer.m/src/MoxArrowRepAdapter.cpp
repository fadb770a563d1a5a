#include "MoxArrowRepAdapter.h"

#include <cmath>

#include "MoxPexPertVisuServices.h"

namespace {
// Nine tenths of a half turn, with pi as the drawings were always made.
constexpr double kHeadAngle = 9.0 * 3.1416 / 10.0;
constexpr float kHeadLength = 2.0f;
}  // namespace

std::unique_ptr<Kiv2DPolylinePrimitive> MoxArrowRepAdapter::CreateOrthogonalLink(
    const KivMathPoint2Df& start, const KivMathPoint2Df& end) const {
  const float m = (start.x + end.x) * 0.5f;
  return std::make_unique<Kiv2DPolylinePrimitive>(std::vector<KivMathPoint2Df>{
      start, KivMathPoint2Df(m, start.y), KivMathPoint2Df(m, end.y), end});
}

std::unique_ptr<Kiv2DPolylinePrimitive> MoxArrowRepAdapter::CreateArrow(
    const KivMathPoint2Df& start, const KivMathPoint2Df& end) const {
  const float m = (start.x + end.x) * 0.5f;
  const float dx = end.x - m;
  const KivMathVector2Df d(dx > 0 ? 1.0f : -1.0f, 0.0f);
  const double left[3] = {kHeadAngle, 0.0, 0.0};
  const double right[3] = {-kHeadAngle, 0.0, 0.0};
  const KivMathVector2Df d1 = MoxPexPertVisuServices::CreateMatrix(left).ApplyToVector(d);
  const KivMathVector2Df d2 = MoxPexPertVisuServices::CreateMatrix(right).ApplyToVector(d);
  return std::make_unique<Kiv2DPolylinePrimitive>(std::vector<KivMathPoint2Df>{
      KivMathPoint2Df(end.x + kHeadLength * d1.x, end.y + kHeadLength * d1.y), end,
      KivMathPoint2Df(end.x + kHeadLength * d2.x, end.y + kHeadLength * d2.y)});
}
