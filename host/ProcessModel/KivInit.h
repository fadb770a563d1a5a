#pragma once
// The process document's root object: gives its root containers by class name.
#include "KivProcessModelTypes.h"
#include "KivString.h"
#include "KivVar.h"

inline constexpr IID IID_KivInit = KivGUID::FromName("KivInit");

class KivInit : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivInit)
 public:
  // "KivISPPProcessContainer": the process container. Empty for other names.
  virtual KivBaseUnknown_var RootContainer(const KivString& className) = 0;
};
KIV_DECLARE_VAR(KivInit);
