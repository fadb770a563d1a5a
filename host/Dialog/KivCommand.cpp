#include "KivCommand.h"

#include <algorithm>

#include "KivVar.h"

KivCommand::KivCommand(KivCommand* father, const KivString& name) : father_(father), name_(name) {}

KivCommand::~KivCommand() = default;

HRESULT KivCommand::Activate(KivCommand*, KivNotification*) {
  active_ = true;
  return S_OK;
}

HRESULT KivCommand::Desactivate(KivCommand*, KivNotification*) {
  active_ = false;
  return S_OK;
}

HRESULT KivCommand::Cancel(KivCommand*, KivNotification*) {
  active_ = false;
  return S_OK;
}

int KivCommand::AnalyseNotification(KivCommand* sender, KivNotification* notification) {
  if (!notification) return 0;
  // Copy the ids first: a callback may add or remove callbacks.
  std::vector<AnalyseCallbackId> ids;
  for (const auto& e : analyse_) ids.push_back(e.id);
  int handled = 0;
  for (AnalyseCallbackId id : ids) {
    auto it = std::find_if(analyse_.begin(), analyse_.end(),
                           [id](const AnalyseEntry& e) { return e.id == id; });
    if (it == analyse_.end()) continue;
    if (it->sender && it->sender != sender) continue;
    if (!it->notificationClass.empty() && !notification->IsAKindOf(it->notificationClass.c_str()))
      continue;
    KivAnalyseCallback callback = it->callback;
    void* data = it->data;
    callback(sender, notification, data);
    handled = 1;
  }
  return handled;
}

int KivCommand::SendNotification(KivCommand* receiver, KivNotification* notification) {
  if (!notification) return 0;
  KivBaseUnknown_var keep(static_cast<KivBaseUnknown*>(notification));
  KivCommand* target = receiver ? receiver : father_;
  while (target) {
    KivBaseUnknown_var keepTarget(static_cast<KivBaseUnknown*>(target));
    if (target->AnalyseNotification(this, notification)) return 1;
    target = target->GetFather();
  }
  return 0;
}

KivCommand::AnalyseCallbackId KivCommand::AddAnalyseNotificationCB(KivCommand* sender,
                                                                   const char* notificationClass,
                                                                   KivAnalyseCallback callback,
                                                                   void* data) {
  if (!callback) return 0;
  const AnalyseCallbackId id = nextAnalyseId_++;
  analyse_.push_back({id, sender, notificationClass ? notificationClass : "", std::move(callback), data});
  return id;
}

bool KivCommand::RemoveAnalyseNotificationCB(AnalyseCallbackId id) {
  auto it = std::find_if(analyse_.begin(), analyse_.end(),
                         [id](const AnalyseEntry& e) { return e.id == id; });
  if (it == analyse_.end()) return false;
  analyse_.erase(it);
  return true;
}

int KivCommand::RemoveAnalyseNotificationCB(KivCommand* sender, const char* notificationClass) {
  const std::string cls = notificationClass ? notificationClass : "";
  const auto before = analyse_.size();
  std::erase_if(analyse_, [&](const AnalyseEntry& e) {
    return e.sender == sender && e.notificationClass == cls;
  });
  return static_cast<int>(before - analyse_.size());
}

void KivCommandDeletion(KivCommand* command) {
  if (!command) return;
  command->Desactivate(nullptr, nullptr);
  command->SetFather(nullptr);
  command->RequestDelayedDestruction();
}
