#pragma once
// The grouping commands' process services, gathered in one class of static
// services. The class has no data; it is a component of the host's component
// model (meta-object: class "MoxProcessGroupUtils", base class "KivNull",
// framework "MoxPexViewers") so that it can be listed, tested by kind and
// created by name like every other class of the plug-in.
#include "KivImplement.h"

class MoxProcessGroupUtils : public KivImplement<> {
  KIV_CLASS_NAMED_BASE(MoxProcessGroupUtils, "KivNull", "MoxPexViewers")
 public:
  MoxProcessGroupUtils() = default;

 protected:
  ~MoxProcessGroupUtils() override = default;
};
