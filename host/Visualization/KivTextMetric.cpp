#include "KivTextMetric.h"

float KivTextMetric::Width(const KivUnicodeString& text, float height) {
  return kAdvancePerHeight * height * static_cast<float>(text.GetLengthInChar());
}

Kiv2DBoundingBox KivTextMetric::Box(const KivUnicodeString& text, float height,
                                    const KivMathPoint2Df& at) {
  return Kiv2DBoundingBox::FromCorners(at.x, at.y - kDescentPerHeight * height,
                                       at.x + Width(text, height),
                                       at.y + kAscentPerHeight * height);
}
