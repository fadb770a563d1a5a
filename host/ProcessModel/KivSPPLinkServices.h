#pragma once
// Services on precedence links.
#include "KivISPPFlowMgt.h"

class KivSPPLinkServices {
 public:
  // 1 when `from` is not yet linked before `to` (the caller may link them);
  // 0 when the link exists or either flow is missing.
  static int AreAllreadyLinked(KivISPPFlowMgt* from, KivISPPFlowMgt* to);
};
