#pragma once
// The PERT chart's display configuration of the current run: whether a grid
// is drawn and the background colour. MoxGE0Config::GetCurrent() gives it.
#include "KivImplement.h"
#include "KivVar.h"

inline constexpr IID IID_MoxIGE0Config = KivGUID::Literal("{5B2E7A10-3C41-4F8E-9A61-0D7C2E4B1A05}");

class MoxIGE0Config : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIGE0Config)
 public:
  virtual bool IsGridWanted() = 0;
  // S_OK with the colour (components 0 to 1); S_FALSE when the configuration
  // names no colour (the values are left untouched).
  virtual HRESULT GetBackgroundColor(double& red, double& green, double& blue) = 0;
};
KIV_DECLARE_VAR(MoxIGE0Config);
