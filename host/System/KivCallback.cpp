#include "KivCallback.h"

#include <algorithm>
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
  for (const auto& s : subscriptions_) Owners().erase(s.id);
}

KivCallbackId KivEventPublisher::AddCallback(const char* kind, KivCallbackFunction function,
                                             void* clientData) {
  if (!function) return kKivNoCallback;
  const KivCallbackId id = gNextId++;
  subscriptions_.push_back({id, kind ? kind : "", std::move(function), clientData});
  Owners()[id] = this;
  return id;
}

bool KivEventPublisher::RemoveCallback(KivCallbackId id) {
  auto it = std::find_if(subscriptions_.begin(), subscriptions_.end(),
                         [id](const Subscription& s) { return s.id == id; });
  if (it == subscriptions_.end()) return false;
  subscriptions_.erase(it);
  Owners().erase(id);
  return true;
}

bool KivEventPublisher::HasCallback(KivCallbackId id) const {
  return std::any_of(subscriptions_.begin(), subscriptions_.end(),
                     [id](const Subscription& s) { return s.id == id; });
}

int KivEventPublisher::Dispatch(KivNotification* notification) {
  if (!notification) return 0;
  KivBaseUnknown_var keepPublisher(this);
  KivBaseUnknown_var keepNotification(notification);
  std::vector<KivCallbackId> ids;
  ids.reserve(subscriptions_.size());
  for (const auto& s : subscriptions_) ids.push_back(s.id);
  int called = 0;
  for (KivCallbackId id : ids) {
    auto it = std::find_if(subscriptions_.begin(), subscriptions_.end(),
                           [id](const Subscription& s) { return s.id == id; });
    if (it == subscriptions_.end()) continue;  // removed by an earlier callback
    if (!it->kind.empty() && !notification->IsAKindOf(it->kind.c_str())) continue;
    KivCallbackFunction function = it->function;  // the subscription may go away while it runs
    void* data = it->clientData;
    function(this, notification, data);
    ++called;
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
