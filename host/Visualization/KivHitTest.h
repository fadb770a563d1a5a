#pragma once
// Whether a point (viewer units) touches a draw item: within `tolerance` of
// a line or an outline, or inside a polygon, a filled arc, a marker, a text
// box or an image.
#include "KivDrawItem.h"

bool KivHitTest(const KivDrawItem& item, const KivMathPoint2Df& point, float tolerance);
