#pragma once
// Marks the root activity of a process; reached through the process container.

#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_KivISPPActivityRoot = KivGUID::FromName("KivISPPActivityRoot");

class KivISPPActivityRoot : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivISPPActivityRoot)
 public:
  // The process container (KivISPPProcessContainer) that lists this root.
  virtual KivBaseUnknown_var GetProcessContainer() = 0;
};
KIV_DECLARE_VAR(KivISPPActivityRoot);
