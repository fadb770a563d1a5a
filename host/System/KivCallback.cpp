#include "KivCallback.h"

#include <unordered_map>

namespace {
KivCallbackId gNextId = 1;
// Which publisher holds each subscription made through the global AddCallback;
// the publisher is held weakly: a publisher that dies forgets its entries.
std::unordered_map<KivCallbackId, KivEventPublisher*>& Owners() {
  static std::unordered_map<KivCallbackId, KivEventPublisher*> owners;
  return owners;
}
}  // namespace

KivEventPublisher::~KivEventPublisher() {
  for (const auto& entry : subscriptions_) Owners().erase(entry.first);
}

KivCallbackId KivEventPublisher::AddCallback(const char* kind, KivCallbackFunction function,
                                             void* clientData) {
  if (!function) return kKivNoCallback;
  const KivCallbackId id = gNextId++;
  subscriptions_.emplace(id, Subscription{kind ? kind : "", std::move(function), clientData});
  Owners()[id] = this;
  return id;
}

bool KivEventPublisher::RemoveCallback(KivCallbackId id) {
  if (subscriptions_.erase(id) == 0) return false;
  Owners().erase(id);
  return true;
}

bool KivEventPublisher::HasCallback(KivCallbackId id) const { return subscriptions_.count(id) > 0; }

int KivEventPublisher::Dispatch(KivNotification* notification) {
  if (!notification) return 0;
  KivBaseUnknown_var keepPublisher(this);
  KivBaseUnknown_var keepNotification(notification);
  if (subscriptions_.empty()) return 0;
  // Subscriptions made during the dispatch have larger identifiers and are
  // not called; those removed by an earlier callback are skipped because the
  // walk finds its next entry anew after each call.
  const KivCallbackId last = subscriptions_.rbegin()->first;
  int called = 0;
  for (auto it = subscriptions_.begin(); it != subscriptions_.end() && it->first <= last;) {
    const KivCallbackId id = it->first;
    if (it->second.kind.empty() || notification->IsAKindOf(it->second.kind.c_str())) {
      // The subscription may go away while it runs.
      KivCallbackFunction function = it->second.function;
      function(this, notification, it->second.clientData);
      ++called;
      it = subscriptions_.upper_bound(id);
    } else {
      ++it;
    }
  }
  return called;
}

KivCallbackId AddCallback(KivEventPublisher* publisher, const char* kind,
                          KivCallbackFunction function, void* clientData) {
  return publisher ? publisher->AddCallback(kind, std::move(function), clientData) : kKivNoCallback;
}

bool RemoveCallback(KivCallbackId id) {
  auto it = Owners().find(id);
  if (it == Owners().end()) return false;
  return it->second->RemoveCallback(id);
}
