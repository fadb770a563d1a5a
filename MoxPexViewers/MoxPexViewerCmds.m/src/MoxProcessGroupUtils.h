#pragma once
// The grouping commands' process services, gathered in one class of static
// services. The class has no data; it is a component of the host's component
// model (meta-object: class "MoxProcessGroupUtils", base class "KivNull",
// framework "MoxPexViewers") so that it can be listed, tested by kind and
// created by name like every other class of the plug-in.
#include "KivISPPFlowMgt.h"
#include "KivImplement.h"
#include "KivList.h"
#include "KivUnicodeString.h"

class MoxProcessGroupUtils : public KivImplement<> {
  KIV_CLASS_NAMED_BASE(MoxProcessGroupUtils, "KivNull", "MoxPexViewers")
 public:
  MoxProcessGroupUtils() = default;

  // A new activity of `type` beside `anchor` (same parent), inserted into the
  // flow right after it: the anchor's links to activities of `takeOver` move
  // to the new activity, and the anchor precedes the new activity. Links of
  // the anchor to other activities stay. Empty (nothing changed) when the
  // anchor has no parent or the host does not create that type; empty too
  // when a re-link fails half-way (the caller's change unit undoes it).
  static KivBaseUnknown_var CreateAfterOperation(KivISPPFlowMgt_var anchor,
                                                 const KivUnicodeString& type,
                                                 KivListValKivBaseUnknown_var takeOver);

 protected:
  ~MoxProcessGroupUtils() override = default;
};
