#include "KivDialogAgent.h"

#include <algorithm>

#include "KivStateCommand.h"

KivDialogAgent::KivDialogAgent(const KivString& name) : KivCommand(nullptr, name) {}

KivDialogAgent::~KivDialogAgent() { RemoveNotifiers(); }

void KivDialogAgent::AddNotifier(KivCommand* notifier) {
  if (!notifier) return;
  for (const auto& w : watched_)
    if (w.notifier.get() == notifier) return;
  const auto id = notifier->AddNotificationListener(
      "", [this](KivCommand* sender, KivNotification* n) { OnNotifierSent(sender, n); });
  watched_.push_back({KivVar<KivCommand>(notifier), id});
}

void KivDialogAgent::AcceptOnNotify(KivCommand* notifier, KivNotification* notification) {
  if (notification) AcceptOnNotify(notifier, notification->IsA());
}

void KivDialogAgent::AcceptOnNotify(KivCommand* notifier, const char* notificationClass) {
  if (!notificationClass || !*notificationClass) return;
  AddNotifier(notifier);
  accepted_.push_back({notifier, notificationClass});
}

void KivDialogAgent::RemoveNotifiers() {
  for (auto& w : watched_) w.notifier->RemoveNotificationListener(w.listener);
  watched_.clear();
  accepted_.clear();
}

void KivDialogAgent::OnNotifierSent(KivCommand* sender, KivNotification* notification) {
  const bool accepted = std::any_of(accepted_.begin(), accepted_.end(), [&](const Accepted& a) {
    return (!a.notifier || a.notifier == sender) &&
           notification->IsAKindOf(a.notificationClass.c_str());
  });
  if (!accepted) return;
  lastNotification_ = notification;
  lastNotifier_ = sender;
  SetValued();
}

void KivDialogAgent::Accept() {
  lastNotification_ = NULL_var;
  lastNotifier_ = NULL_var;
  SetValued();
}

void KivDialogAgent::InitializeAcquisition() { valued_ = false; }

void KivDialogAgent::SetFilter(KivAcquisitionFilter filter, void* data) {
  filter_ = std::move(filter);
  filterData_ = data;
}

bool KivDialogAgent::RunFilter() { return !filter_ || filter_(this, filterData_); }

void KivDialogAgent::SetValued() {
  valued_ = true;
  ++serial_;
  if (owner_) owner_->OnAgentValued(this);
}
