#pragma once
// The cycle time of a grouping ("BIWActivityGrouping" activities only).
#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_MoxIBIWActivityGrouping = KivGUID::FromName("MoxIBIWActivityGrouping");

class MoxIBIWActivityGrouping : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIBIWActivityGrouping)
 public:
  virtual double GroupCycleTime() = 0;
  // Sends kind 3.
  virtual HRESULT SetGroupCycleTime(double seconds) = 0;
};
KIV_DECLARE_VAR(MoxIBIWActivityGrouping);
