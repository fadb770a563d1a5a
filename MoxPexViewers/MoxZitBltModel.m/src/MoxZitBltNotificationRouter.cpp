#include "MoxZitBltNotificationRouter.h"

#include <unordered_map>
#include <vector>

#include "KivSPPActivityNotification.h"

namespace {
struct Member {
  KivCallbackId id;
  MoxZitBltNotificationRouter::Listener listener;
};

struct Route {
  KivCallbackId subscription = kKivNoCallback;
  std::unordered_map<const KivBaseUnknown*, std::vector<Member>> byActivity;
  int members = 0;
};

struct Routes {
  std::unordered_map<KivEventPublisher*, Route> byPublisher;
  // member id -> its publisher and activity
  std::unordered_map<KivCallbackId, std::pair<KivEventPublisher*, const KivBaseUnknown*>> members;
  KivCallbackId nextId = 1;
};

Routes& State() {
  static Routes routes;
  return routes;
}

void Deliver(KivEventPublisher* publisher, KivBaseUnknown* from, KivNotification* n, void* data) {
  auto* change = dynamic_cast<KivSPPActivityNotification*>(n);
  auto route = State().byPublisher.find(publisher);
  if (!change || route == State().byPublisher.end()) return;
  auto found = route->second.byActivity.find(KivIdentity(change->GetFather()));
  if (found == route->second.byActivity.end()) return;
  // A listener may make others leave: call those present now that are
  // still members when reached.
  const std::vector<Member> called = found->second;
  for (const Member& m : called)
    if (State().members.count(m.id)) m.listener(from, n, data);
}
}  // namespace

KivCallbackId MoxZitBltNotificationRouter::Join(KivEventPublisher* publisher,
                                                KivBaseUnknown* activity, Listener listener) {
  if (!publisher || !activity) return kKivNoCallback;
  Routes& routes = State();
  Route& route = routes.byPublisher[publisher];
  // (A publisher at the address of one that is gone has none of its own.)
  if (route.subscription == kKivNoCallback || !publisher->HasCallback(route.subscription))
    route.subscription =
        AddCallback(publisher, KivSPPActivityNotificationDispatcher::DISPATCHER_SPP_VIEWS_CHANGE,
                    [publisher](KivBaseUnknown* from, KivNotification* n, void* data) {
                      Deliver(publisher, from, n, data);
                    });
  const KivCallbackId id = routes.nextId++;
  route.byActivity[KivIdentity(activity)].push_back({id, std::move(listener)});
  ++route.members;
  routes.members[id] = {publisher, KivIdentity(activity)};
  return id;
}

void MoxZitBltNotificationRouter::Leave(KivCallbackId id) {
  Routes& routes = State();
  auto member = routes.members.find(id);
  if (member == routes.members.end()) return;
  const auto [publisher, activity] = member->second;
  routes.members.erase(member);
  Route& route = routes.byPublisher[publisher];
  auto& list = route.byActivity[activity];
  std::erase_if(list, [id](const Member& m) { return m.id == id; });
  if (list.empty()) route.byActivity.erase(activity);
  if (--route.members > 0) return;
  RemoveCallback(route.subscription);
  routes.byPublisher.erase(publisher);
}

int MoxZitBltNotificationRouter::PublisherCount() {
  return static_cast<int>(State().byPublisher.size());
}
