#pragma once
// The abstract view of an activity: its parent, label and type.

#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_KivISPPAbstractActivity = KivGUID::FromName("KivISPPAbstractActivity");

class KivISPPAbstractActivity : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivISPPAbstractActivity)
 public:
  virtual KivVar<KivISPPAbstractActivity> GetParentActivity() = 0;
  // Sets the label shown for the activity (its name); sends kind 3.
  virtual HRESULT SetActivityLabel(const KivUnicodeString& label) = 0;
  virtual KivUnicodeString GetActivityLabel() = 0;
  virtual KivUnicodeString GetActivityType() = 0;
};
KIV_DECLARE_VAR(KivISPPAbstractActivity);
