#include "KivCommand.h"

#include <algorithm>

#include "KivVar.h"

KivCommand::KivCommand(KivCommand* father, const KivString& name) : father_(nullptr), name_(name) {
  SetFather(father);
}

KivCommand::~KivCommand() {
  SetFather(nullptr);
  for (KivCommand* son : sons_) son->father_ = nullptr;
}

void KivCommand::SetFather(KivCommand* father) {
  if (father == father_) return;
  if (father_) father_->sons_.erase(this);
  father_ = father;
  if (father_) father_->sons_.insert(this);
}

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
  ids.reserve(analyse_.size());
  for (const auto& [id, e] : analyse_) ids.push_back(id);
  int handled = 0;
  for (AnalyseCallbackId id : ids) {
    auto it = analyse_.find(id);
    if (it == analyse_.end()) continue;
    const AnalyseEntry& e = it->second;
    if (e.sender && e.sender != sender) continue;
    if (!e.notificationClass.empty() && !notification->IsAKindOf(e.notificationClass.c_str()))
      continue;
    KivAnalyseCallback callback = e.callback;
    void* data = e.data;
    callback(sender, notification, data);
    handled = 1;
  }
  return handled;
}

int KivCommand::SendNotification(KivCommand* receiver, KivNotification* notification) {
  if (!notification) return 0;
  KivBaseUnknown_var keep(notification);
  KivBaseUnknown_var keepSelf(this);
  int heard = 0;
  // Copy the ids first: a listener may add or remove listeners.
  std::vector<ListenerId> ids;
  for (const auto& l : listeners_) ids.push_back(l.id);
  for (ListenerId id : ids) {
    auto it = std::find_if(listeners_.begin(), listeners_.end(),
                           [id](const Listener& l) { return l.id == id; });
    if (it == listeners_.end()) continue;
    if (!it->notificationClass.empty() && !notification->IsAKindOf(it->notificationClass.c_str()))
      continue;
    KivNotificationListener listener = it->function;
    listener(this, notification);
    heard = 1;
  }
  KivCommand* target = receiver ? receiver : father_;
  while (target) {
    KivBaseUnknown_var keepTarget(target);
    if (target->AnalyseNotification(this, notification)) return 1;
    target = target->GetFather();
  }
  return heard;
}

KivCommand::ListenerId KivCommand::AddNotificationListener(const char* notificationClass,
                                                           KivNotificationListener listener) {
  if (!listener) return 0;
  const ListenerId id = nextListenerId_++;
  listeners_.push_back({id, notificationClass ? notificationClass : "", std::move(listener)});
  return id;
}

bool KivCommand::RemoveNotificationListener(ListenerId id) {
  return std::erase_if(listeners_, [id](const Listener& l) { return l.id == id; }) > 0;
}

KivCommand::AnalyseCallbackId KivCommand::AddAnalyseNotificationCB(KivCommand* sender,
                                                                   KivNotification* notification,
                                                                   KivAnalyseCallback callback,
                                                                   void* data) {
  if (!notification) return 0;
  return AddAnalyseNotificationCB(sender, notification->IsA(), std::move(callback), data);
}

KivCommand::AnalyseCallbackId KivCommand::AddAnalyseNotificationCB(KivCommand* sender,
                                                                   const char* notificationClass,
                                                                   KivAnalyseCallback callback,
                                                                   void* data) {
  if (!callback) return 0;
  const AnalyseCallbackId id = nextAnalyseId_++;
  analyse_.emplace_hint(
      analyse_.end(), id,
      AnalyseEntry{sender, notificationClass ? notificationClass : "", std::move(callback), data});
  return id;
}

bool KivCommand::RemoveAnalyseNotificationCB(AnalyseCallbackId id) {
  return analyse_.erase(id) > 0;
}

int KivCommand::RemoveAnalyseNotificationCB(KivCommand* sender, const char* notificationClass) {
  const std::string cls = notificationClass ? notificationClass : "";
  const auto before = analyse_.size();
  std::erase_if(analyse_, [&](const auto& entry) {
    return entry.second.sender == sender && entry.second.notificationClass == cls;
  });
  return static_cast<int>(before - analyse_.size());
}

void KivCommandDeletion(KivCommand* command) {
  if (!command) return;
  command->Desactivate(nullptr, nullptr);
  command->SetFather(nullptr);
  command->RequestDelayedDestruction();
}
