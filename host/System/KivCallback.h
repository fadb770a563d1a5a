#pragma once
// Callbacks: a publisher keeps subscriptions by notification kind and calls
// them when it dispatches a notification. AddCallback returns an identifier
// that is never reused; RemoveCallback takes it back. Subscribing or
// unsubscribing from inside a callback is safe: a dispatch calls exactly the
// subscriptions that exist when each is reached.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "KivImplement.h"
#include "KivNotification.h"
#include "KivVar.h"

using KivCallbackId = long;
inline constexpr KivCallbackId kKivNoCallback = -1;

// publisher, notification, client data
using KivCallbackFunction = std::function<void(KivBaseUnknown*, KivNotification*, void*)>;

class KivEventPublisher : public KivImplement<> {
  KIV_CLASS(KivEventPublisher, KivBaseUnknown, "System")
 public:
  KivEventPublisher() = default;

 protected:
  ~KivEventPublisher() override;

 public:
  // `kind` is a notification class name; a notification is delivered when it
  // IsAKindOf that name. The empty kind hears every notification.
  KivCallbackId AddCallback(const char* kind, KivCallbackFunction function,
                            void* clientData = nullptr);
  bool RemoveCallback(KivCallbackId id);
  bool HasCallback(KivCallbackId id) const;
  int CallbackCount() const { return static_cast<int>(subscriptions_.size()); }

  // Calls every matching subscription in subscription order; returns how
  // many were called. The publisher and the notification stay alive for the
  // whole dispatch.
  int Dispatch(KivNotification* notification);

 private:
  struct Subscription {
    std::string kind;
    KivCallbackFunction function;
    void* clientData;
  };
  // By identifier, which grows with each subscription: the map's order is the
  // subscription order, and adding or removing one costs log n however many
  // thousands of lists listen.
  std::map<KivCallbackId, Subscription> subscriptions_;
};

// The host's global callback registration: subscribes `function` to the
// publisher's notifications of `kind`.
KivCallbackId AddCallback(KivEventPublisher* publisher, const char* kind,
                          KivCallbackFunction function, void* clientData = nullptr);
// Removes a subscription made with AddCallback, wherever it was made.
bool RemoveCallback(KivCallbackId id);

// A member-function callback: AddCallback(pub, "Kind", KivMemberCallback(this, &C::OnX)).
template <class C>
KivCallbackFunction KivMemberCallback(C* client,
                                      void (C::*method)(KivBaseUnknown*, KivNotification*, void*)) {
  return [client, method](KivBaseUnknown* publisher, KivNotification* n, void* data) {
    (client->*method)(publisher, n, data);
  };
}

inline constexpr IID IID_KivIModelEvents = KivGUID::FromName("KivIModelEvents");

// The events of a model object: the publisher that carries its notifications.
class KivIModelEvents : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivIModelEvents)
 public:
  virtual KivEventPublisher* GetNotificationDispatcher() = 0;
  // Sends the notification to the object's subscribers.
  virtual HRESULT Dispatch(KivNotification* notification) = 0;
};
KIV_DECLARE_VAR(KivIModelEvents);

// A ready component with model events; extend it to add interfaces:
//   class X : public KivExtend<KivModelEventsImpl, KivIOther> {...}
class KivModelEventsImpl : public KivImplement<KivIModelEvents> {
  KIV_CLASS(KivModelEventsImpl, KivBaseUnknown, "System")
 public:
  KivModelEventsImpl() = default;
  KivEventPublisher* GetNotificationDispatcher() override { return publisher_.get(); }
  HRESULT Dispatch(KivNotification* notification) override {
    if (!notification) return E_FAIL;
    publisher_->Dispatch(notification);
    return S_OK;
  }

 private:
  KivVar<KivEventPublisher> publisher_ = KivMake<KivEventPublisher>();
};
