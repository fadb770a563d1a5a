#pragma once
// A named container of document members.
#include "KivProcessModelTypes.h"
#include "KivString.h"
#include "KivVar.h"

inline constexpr IID IID_KivIContainer = KivGUID::FromName("KivIContainer");

class KivIContainer : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivIContainer)
 public:
  // Members of a kind ("PPRProduct": product tree roots, "PPRResource":
  // resource tree roots, "MfgAssembly": manufacturing assemblies) that answer
  // the named interface ("" for any), in creation order.
  virtual KivSPPList GetMembers(const KivString& memberKind, const KivString& interfaceName) = 0;
};
KIV_DECLARE_VAR(KivIContainer);
