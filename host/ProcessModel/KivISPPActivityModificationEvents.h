#pragma once
// The events of a root activity: every activity notification of its process
// (KivSPPActivityNotification, subscribed under
// KivSPPActivityNotificationDispatcher::DISPATCHER_SPP_VIEWS_CHANGE) is dispatched here.
// The publisher is the same one the root answers through KivIModelEvents.
#include "KivCallback.h"
#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_KivISPPActivityModificationEvents =
    KivGUID::FromName("KivISPPActivityModificationEvents");

class KivISPPActivityModificationEvents : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivISPPActivityModificationEvents)
 public:
  virtual KivEventPublisher* GetNotificationDispatcher() = 0;
  virtual HRESULT Dispatch(KivNotification* notification) = 0;
};
KIV_DECLARE_VAR(KivISPPActivityModificationEvents);
