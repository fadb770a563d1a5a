#pragma once
// A dialog agent: an input of a state command. It is valued by a
// notification it accepts (e.g. a dialog's OK), by Accept(), or - for path
// element agents - by picks. When an agent of the command's current state is
// valued, the command evaluates that state's transitions.
#include <functional>
#include <vector>

#include "KivAgentBehavior.h"
#include "KivCommand.h"
#include "KivVar.h"

class KivStateCommand;

// A filter refuses an acquisition: it is called with the candidate already
// held by the agent and returns false to refuse it.
using KivAcquisitionFilter = std::function<bool(class KivDialogAgent*, void*)>;

class KivDialogAgent : public KivCommand {
  KIV_CLASS(KivDialogAgent, KivCommand, "Dialog")
 public:
  explicit KivDialogAgent(const KivString& name);

  void SetBehavior(KivAgentBehavior behavior) { behavior_ = behavior; }
  KivAgentBehavior GetBehavior() const { return behavior_; }

  // Watches the notifications the notifier sends.
  void AddNotifier(KivCommand* notifier);
  // Accepts notifications of that notification's class (or a class derived
  // from it) sent by `notifier` (registered on the way; null = any notifier
  // added with AddNotifier).
  void AcceptOnNotify(KivCommand* notifier, KivNotification* notification);
  void AcceptOnNotify(KivCommand* notifier, const char* notificationClass);
  // Stops watching every notifier.
  void RemoveNotifiers();

  // Values the agent as if it had accepted a notification.
  void Accept();
  bool IsValued() const { return valued_; }
  // The notification and notifier that valued it last (null after Accept).
  KivNotification* GetLastNotification() const { return lastNotification_.get(); }
  KivCommand* GetLastNotifier() const { return lastNotifier_.get(); }
  // Re-arms the agent: it forgets its value(s) and may be valued again.
  virtual void InitializeAcquisition();
  // Changes each time the agent is valued; the engine uses it to tell a new
  // valuation from the one that fired a transition.
  long GetValuationSerial() const { return serial_; }

  // The filter consulted before a pick or a selection is taken.
  void SetFilter(KivAcquisitionFilter filter, void* data = nullptr);
  bool HasFilter() const { return static_cast<bool>(filter_); }

  // The state command whose state holds the agent (set by the command).
  KivStateCommand* GetOwnerCommand() const { return owner_; }
  void SetOwnerCommand(KivStateCommand* owner) { owner_ = owner; }

 protected:
  ~KivDialogAgent() override;
  // Marks the agent valued and tells the owner command.
  void SetValued();
  void SetUnvalued() { valued_ = false; }
  bool RunFilter();

 private:
  struct Watched {
    KivVar<KivCommand> notifier;
    KivCommand::ListenerId listener;
  };
  struct Accepted {
    KivCommand* notifier;  // null: any watched notifier
    std::string notificationClass;
  };
  void OnNotifierSent(KivCommand* sender, KivNotification* notification);

  KivAgentBehavior behavior_ = 0;
  bool valued_ = false;
  long serial_ = 0;
  KivVar<KivNotification> lastNotification_;
  KivVar<KivCommand> lastNotifier_;
  std::vector<Watched> watched_;
  std::vector<Accepted> accepted_;
  KivAcquisitionFilter filter_;
  void* filterData_ = nullptr;
  KivStateCommand* owner_ = nullptr;
};
KIV_DECLARE_VAR(KivDialogAgent);
