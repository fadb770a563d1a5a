#pragma once
// A product in the editing session: accepts session notifications.
#include "KivNotification.h"
#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_KivIProductInSession = KivGUID::FromName("KivIProductInSession");

class KivIProductInSession : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivIProductInSession)
 public:
  // A KivPrdMultiImportNotif shows each imported product and is dispatched
  // on this product's model events; other notifications are only dispatched.
  virtual HRESULT DispatchNotification(KivNotification* notification, int a, int b) = 0;
};
KIV_DECLARE_VAR(KivIProductInSession);
