#pragma once
// The cycle time of a station ("BIWActivityStation" activities only).
#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_MoxIBIWActivityStation = KivGUID::FromName("MoxIBIWActivityStation");

class MoxIBIWActivityStation : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIBIWActivityStation)
 public:
  virtual double StationCycleTime() = 0;
  // Sends kind 3.
  virtual HRESULT SetStationCycleTime(double seconds) = 0;
};
KIV_DECLARE_VAR(MoxIBIWActivityStation);
