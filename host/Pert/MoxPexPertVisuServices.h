#pragma once
// Drawing helpers of the PERT chart for product planning clients.
#include "Kiv3x3Matrix.h"

class MoxPexPertVisuServices {
 public:
  // angleAndTranslation = {angle in radians, tx, ty}: the rotation by the
  // angle (rows (cos a, sin a) and (-sin a, cos a)) followed by the
  // translation (tx, ty). A null argument gives the identity.
  static Kiv3x3Matrix CreateMatrix(const double* angleAndTranslation);
};
