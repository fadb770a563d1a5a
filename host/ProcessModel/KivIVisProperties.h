#pragma once
// The visual properties of a product: its show attribute. A change sends a
// KivShowNotif through the model events of the product and of each of its fathers.

#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_KivIVisProperties = KivGUID::FromName("KivIVisProperties");

class KivIVisProperties : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivIVisProperties)
 public:
  virtual HRESULT GetShow(KivShowAttribut& show) = 0;
  virtual HRESULT SetShow(KivShowAttribut show) = 0;
};
KIV_DECLARE_VAR(KivIVisProperties);
