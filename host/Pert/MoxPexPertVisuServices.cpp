#include "MoxPexPertVisuServices.h"

#include <cmath>

Kiv3x3Matrix MoxPexPertVisuServices::CreateMatrix(const double* angleAndTranslation) {
  if (!angleAndTranslation) return Kiv3x3Matrix();
  const double a = angleAndTranslation[0];
  const double c = std::cos(a);
  const double s = std::sin(a);
  return Kiv3x3Matrix(c, s, -s, c, angleAndTranslation[1], angleAndTranslation[2]);
}
