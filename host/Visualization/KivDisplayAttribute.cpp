#include "KivDisplayAttribute.h"

namespace {
constexpr int kLightGrey = 10;
constexpr int kDarkGrey = 1;
constexpr int kGripThickness = 4;
}  // namespace

bool KivApplyDisplayAttribute(Kiv2DRep& rep, int value) {
  KivGraphicAttributes look = rep.GetGraphicAttributes();
  switch (value) {
    case kKivDisplayBackground:
      look.color = kDarkGrey;
      look.fillColor = kLightGrey;
      look.fill = 1;
      look.thickness = 1;
      break;
    case kKivDisplayGrip:
      look.color = kDarkGrey;
      look.thickness = kGripThickness;
      break;
    default:
      return false;
  }
  rep.SetGraphicAttributes(look);
  return true;
}
