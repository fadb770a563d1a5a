#pragma once
// What the test module's classes let the tests see of them.
#include "KivBaseUnknown.h"
#include "KivVar.h"

inline constexpr IID IID_KivTstIModuleProbe = KivGUID::FromName("KivTstIModuleProbe");

class KivTstIModuleProbe : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivTstIModuleProbe)
  // The argument the factory was given (null for a factory without one).
  virtual KivBaseUnknown* Argument() = 0;
};
KIV_DECLARE_VAR(KivTstIModuleProbe);
