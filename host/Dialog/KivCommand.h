#pragma once
// Commands: components that take part in the user's interaction. A command
// has a father command; notifications it sends travel to the receiver and,
// while nobody handles them, up the receiver's fathers. A command reacts to
// notifications in AnalyseNotification, by default through the analyse
// callbacks registered for a notification class.
#include <functional>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "KivImplement.h"
#include "KivNotification.h"
#include "KivString.h"

class KivCommand;

// sender, notification, client data
using KivAnalyseCallback = std::function<void(KivCommand*, KivNotification*, void*)>;

class KivCommand : public KivImplement<> {
  KIV_CLASS(KivCommand, KivBaseUnknown, "Dialog")
 public:
  explicit KivCommand(KivCommand* father = nullptr, const KivString& name = KivString());

  const KivString& GetName() const { return name_; }
  void SetName(const KivString& name) { name_ = name; }
  KivCommand* GetFather() const { return father_; }
  // A command forgets a father that is destroyed before it, so a late
  // notification never reaches a dead father.
  void SetFather(KivCommand* father);

  // Starts or resumes the command; `caller` is the command that activates it.
  virtual HRESULT Activate(KivCommand* caller, KivNotification* notification);
  virtual HRESULT Desactivate(KivCommand* caller, KivNotification* notification);
  virtual HRESULT Cancel(KivCommand* caller, KivNotification* notification);
  bool IsActive() const { return active_; }

  // Handles a notification from `sender`: 1 when handled, 0 to let it travel
  // to the father. The default runs the analyse callbacks whose sender (or
  // any sender, when registered with none) and notification class match.
  virtual int AnalyseNotification(KivCommand* sender, KivNotification* notification);

  // Delivers the notification to `receiver` (the father when null) and up its
  // fathers until one handles it. Returns 1 when somebody handled it.
  int SendNotification(KivCommand* receiver, KivNotification* notification);

  using AnalyseCallbackId = long;
  AnalyseCallbackId AddAnalyseNotificationCB(KivCommand* sender, const char* notificationClass,
                                             KivAnalyseCallback callback, void* data = nullptr);
  // The same, with the notification class taken from a notification object
  // (dialogs hand out one per kind, e.g. GetDiaOKNotification()).
  AnalyseCallbackId AddAnalyseNotificationCB(KivCommand* sender, KivNotification* notification,
                                             KivAnalyseCallback callback, void* data = nullptr);
  bool RemoveAnalyseNotificationCB(AnalyseCallbackId id);
  // Removes every analyse callback of that sender and notification class.
  int RemoveAnalyseNotificationCB(KivCommand* sender, const char* notificationClass);

  // Listeners hear every notification this command sends, before it travels
  // to the receiver; dialog agents use them to watch a notifier directly,
  // whoever its father is. `notificationClass` empty hears every kind.
  using ListenerId = long;
  using KivNotificationListener = std::function<void(KivCommand* sender, KivNotification*)>;
  ListenerId AddNotificationListener(const char* notificationClass,
                                     KivNotificationListener listener);
  bool RemoveNotificationListener(ListenerId id);

 protected:
  ~KivCommand() override;

 private:
  struct Listener {
    ListenerId id;
    std::string notificationClass;
    KivNotificationListener function;
  };
  struct AnalyseEntry {
    KivCommand* sender;
    std::string notificationClass;
    KivAnalyseCallback callback;
    void* data;
  };
  KivCommand* father_;
  KivString name_;
  bool active_ = false;
  // By identifier, which grows with each addition: the order is the order of
  // addition, and a chart of many nodes removes its callbacks one by one.
  std::map<AnalyseCallbackId, AnalyseEntry> analyse_;
  AnalyseCallbackId nextAnalyseId_ = 1;
  // Commands whose father is this one; a chart's thousands of manipulators
  // come and go one by one.
  std::unordered_set<KivCommand*> sons_;
  std::vector<Listener> listeners_;
  ListenerId nextListenerId_ = 1;
};

// Deletes a command safely: it stops being active, forgets its callbacks and
// is released after the current user event (never under its own stack).
void KivCommandDeletion(KivCommand* command);
