#pragma once
// A state command: a graph of named states holding agents, linked by
// transitions. BuildGraph() builds the graph when the command is first
// activated; the command then sits in its initial state. When an agent of the
// current state is valued, the transitions out of that state are tried in
// the order they were added: the first whose condition holds runs its action
// and moves to its target state, or ends the command when it has none (with
// repeat mode on, the command goes back to its initial state instead).
// Agents of the source state that were valued are re-armed after the action.
//
//   void MyCmd::BuildGraph() {
//     agent_ = new KivPathElementAgent("Activity");
//     agent_->SetElementType("KivISPPActivity");
//     AddCSOClient(agent_);
//     agent_->SetFilter(Filter(this, &MyCmd::IsValid));
//     KivDialogState* start = GetInitialState("SelectActivity");
//     start->AddDialogAgent(agent_);
//     AddTransition(start, nullptr, IsOutputSetCondition(agent_), Action(this, &MyCmd::Apply));
//   }
#include <functional>
#include <memory>
#include <vector>

#include "KivDialogAgent.h"
#include "KivDialogState.h"
#include "KivPathElementAgent.h"
#include "KivStateAction.h"

class KivStateCommand : public KivDialogAgent {
  KIV_CLASS(KivStateCommand, KivDialogAgent, "Dialog")
 public:
  // `behavior`: command flags (KivCommandExclusive); `mode`: kept for the
  // host's undo grouping, readable with GetMode().
  explicit KivStateCommand(const KivString& name, KivAgentBehavior behavior = 0, int mode = 0);

  // Builds the states, agents and transitions; called once, at the first
  // activation.
  virtual void BuildGraph() {}

  // The initial state, created under `name` at the first call; later calls
  // return it (whatever name they give).
  KivDialogState* GetInitialState(const KivString& name);
  KivDialogState* AddDialogState(const KivString& name);
  KivDialogState* GetCurrentState() const { return current_; }
  KivDialogState* FindState(const KivString& name) const;

  // Returns null (and adds nothing) when `from` is null or not a state of
  // this command.
  KivTransition* AddTransition(KivDialogState* from, KivDialogState* to,
                               KivStateCondition condition, KivStateAction action = {});
  KivTransition* AddTransition(KivDialogState* from, KivDialogState* to, KivStateAction action);
  int GetTransitionCount() const { return static_cast<int>(transitions_.size()); }

  // Condition: the agent is valued.
  static KivStateCondition IsOutputSetCondition(KivDialogAgent* agent);
  template <class Cmd>
  static KivStateCondition Condition(Cmd* self, bool (Cmd::*test)(void*), void* data = nullptr) {
    auto bound = KivBindStateMethod(self, test);
    return KivStateCondition([bound, data] { return bound ? bound(data) : false; });
  }
  template <class Cmd>
  static KivStateAction Action(Cmd* self, bool (Cmd::*run)(void*),
                               bool (Cmd::*undo)(void*) = nullptr,
                               bool (Cmd::*redo)(void*) = nullptr, void* data = nullptr) {
    return KivStateAction(KivBindStateMethod(self, run), KivBindStateMethod(self, undo),
                          KivBindStateMethod(self, redo), data);
  }
  template <class Cmd>
  static KivAcquisitionFilter Filter(Cmd* self, bool (Cmd::*test)(KivDialogAgent*, void*)) {
    return [self, test](KivDialogAgent* agent, void* data) { return (self->*test)(agent, data); };
  }

  // Makes the agent a client of the current selection (see KivPathElementAgent).
  void AddCSOClient(KivPathElementAgent* agent);

  void SetRepeatMode(bool repeat) { repeat_ = repeat; }
  bool GetRepeatMode() const { return repeat_; }
  KivAgentBehavior GetCommandBehavior() const { return commandBehavior_; }
  int GetMode() const { return mode_; }

  // Builds the graph on the first call and enters the initial state (a
  // multi-value client of the selection is valued from it at once); a later
  // call resumes a suspended command.
  HRESULT Activate(KivCommand* caller, KivNotification* notification) override;
  // Suspends the command: it stays in its state and ignores its agents.
  HRESULT Desactivate(KivCommand* caller, KivNotification* notification) override;
  // Ends the command.
  HRESULT Cancel(KivCommand* caller, KivNotification* notification) override;
  bool IsEnded() const { return ended_; }
  bool WasCancelled() const { return cancelled_; }
  // The result of the last action that ran (true before any).
  bool GetLastActionResult() const { return lastActionResult_; }

  // Offers picked paths (KivPathElement) to the path element agents of the
  // current state: each path goes to the first agent that takes it. Returns
  // how many paths were taken or taken back; then evaluates the transitions.
  int OfferPicks(const KivListValKivBaseUnknown_var& paths);

  // Called by agents when they are valued.
  void OnAgentValued(KivDialogAgent* agent);

  // Whoever started the command hears when it ends (once), e.g. to release it.
  using EndCallback = std::function<void(KivStateCommand*)>;
  void SetEndCallback(EndCallback callback) { onEnd_ = std::move(callback); }

  // Transitions chained without a new user input before the engine decides
  // that the graph loops and ends the command.
  static constexpr int kMaxChainedTransitions = 1000;

 protected:
  ~KivStateCommand() override;
  // Leaves the graph: the command is no longer active and its agents are
  // re-armed; the end callback runs.
  void EndCommand(bool cancelled);

 private:
  KivTransition* FirstReadyTransition() const;
  void Fire(KivTransition* transition);
  void Evaluate();
  bool IsStateOfThis(const KivDialogState* state) const;
  void RearmAll();

  KivAgentBehavior commandBehavior_;
  int mode_;
  bool repeat_ = false;
  bool built_ = false;
  bool ended_ = false;
  bool cancelled_ = false;
  bool evaluating_ = false;
  bool lastActionResult_ = true;
  std::vector<std::unique_ptr<KivDialogState>> states_;
  KivDialogState* initial_ = nullptr;
  KivDialogState* current_ = nullptr;
  std::vector<std::unique_ptr<KivTransition>> transitions_;
  EndCallback onEnd_;
};
KIV_DECLARE_VAR(KivStateCommand);
