#pragma once
// A named state of a state command, holding the agents that are listened to
// while the command is in it.
#include <vector>

#include "KivDialogAgent.h"
#include "KivStateAction.h"
#include "KivString.h"

class KivStateCommand;

class KivDialogState {
 public:
  KivDialogState(KivStateCommand* command, const KivString& name)
      : command_(command), name_(name) {}
  KivDialogState(const KivDialogState&) = delete;
  KivDialogState& operator=(const KivDialogState&) = delete;
  ~KivDialogState();

  const KivString& GetName() const { return name_; }
  KivStateCommand* GetCommand() const { return command_; }
  // The state keeps a reference on the agent; an agent may sit in several
  // states of the same command.
  void AddDialogAgent(KivDialogAgent* agent);
  bool HoldsAgent(const KivDialogAgent* agent) const;
  const std::vector<KivDialogAgent_var>& GetAgents() const { return agents_; }

 private:
  KivStateCommand* command_;
  KivString name_;
  std::vector<KivDialogAgent_var> agents_;
};

// A transition from a state to another state, or to the end of the command
// (`to` null). `condition` empty: it fires when an agent of `from` is valued,
// or at once when `from` has no agent.
struct KivTransition {
  KivDialogState* from = nullptr;
  KivDialogState* to = nullptr;
  KivStateCondition condition;
  KivStateAction action;
};
