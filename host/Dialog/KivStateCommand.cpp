#include "KivStateCommand.h"

#include <algorithm>
#include <utility>

#include "KivCSO.h"
#include "KivTrace.h"

namespace {
const KivTrace& EngineTrace() {
  static const KivTrace trace("KivStateCommandTrace", "State command engine", "STDERR");
  return trace;
}
}  // namespace

KivStateCommand::KivStateCommand(const KivString& name, KivAgentBehavior behavior, int mode)
    : KivDialogAgent(name), commandBehavior_(behavior), mode_(mode) {}

KivStateCommand::~KivStateCommand() {
  // Agents may outlive the command (their owners release them later); they
  // must not call back into it.
  for (const auto& state : states_)
    for (const auto& agent : state->GetAgents())
      if (agent->GetOwnerCommand() == this) agent->SetOwnerCommand(nullptr);
}

KivDialogState* KivStateCommand::GetInitialState(const KivString& name) {
  if (!initial_) initial_ = AddDialogState(name);
  return initial_;
}

KivDialogState* KivStateCommand::AddDialogState(const KivString& name) {
  states_.push_back(std::make_unique<KivDialogState>(this, name));
  return states_.back().get();
}

KivDialogState* KivStateCommand::FindState(const KivString& name) const {
  for (const auto& state : states_)
    if (state->GetName() == name) return state.get();
  return nullptr;
}

bool KivStateCommand::IsStateOfThis(const KivDialogState* state) const {
  return std::any_of(states_.begin(), states_.end(),
                     [state](const auto& s) { return s.get() == state; });
}

KivTransition* KivStateCommand::AddTransition(KivDialogState* from, KivDialogState* to,
                                              KivStateCondition condition, KivStateAction action) {
  if (!from || !IsStateOfThis(from) || (to && !IsStateOfThis(to))) return nullptr;
  transitions_.push_back(std::make_unique<KivTransition>(
      KivTransition{from, to, std::move(condition), std::move(action)}));
  return transitions_.back().get();
}

KivTransition* KivStateCommand::AddTransition(KivDialogState* from, KivDialogState* to,
                                              KivStateAction action) {
  return AddTransition(from, to, KivStateCondition(), std::move(action));
}

KivStateCondition KivStateCommand::IsOutputSetCondition(KivDialogAgent* agent) {
  KivDialogAgent_var held(agent);
  return KivStateCondition([held] { return held && held->IsValued(); });
}

void KivStateCommand::AddCSOClient(KivPathElementAgent* agent) {
  if (agent) agent->SetCSOClient(true);
}

HRESULT KivStateCommand::Activate(KivCommand* caller, KivNotification* notification) {
  if (ended_) return E_FAIL;
  KivBaseUnknown_var keep(this);
  KivCommand::Activate(caller, notification);
  if (built_) {  // resuming
    Evaluate();
    return S_OK;
  }
  built_ = true;
  BuildGraph();
  if (!initial_) {
    EndCommand(false);
    return S_OK;
  }
  current_ = initial_;
  // A multi-value client of the selection takes what is already selected.
  evaluating_ = true;
  for (const auto& agent : initial_->GetAgents()) {
    KivPathElementAgent_var pathAgent = agent.get();
    if (pathAgent && pathAgent->IsCSOClient() && (pathAgent->GetBehavior() & KivAgentMultiValue))
      pathAgent->AcquireFromSelection(KivCSO::GetCurrent());
  }
  evaluating_ = false;
  Evaluate();
  return S_OK;
}

HRESULT KivStateCommand::Desactivate(KivCommand* caller, KivNotification* notification) {
  return KivCommand::Desactivate(caller, notification);
}

HRESULT KivStateCommand::Cancel(KivCommand* caller, KivNotification* notification) {
  if (ended_) return S_FALSE;
  KivBaseUnknown_var keep(this);
  EndCommand(true);
  return S_OK;
}

int KivStateCommand::OfferPicks(const KivListValKivBaseUnknown_var& paths) {
  if (!IsActive() || ended_ || !current_) return 0;
  KivBaseUnknown_var keep(this);
  std::vector<KivPathElementAgent_var> touched;
  int taken = 0;
  evaluating_ = true;
  for (const auto& element : paths) {
    KivPathElement_var path = element;
    if (!path) continue;
    for (const auto& agent : current_->GetAgents()) {
      KivPathElementAgent_var pathAgent = agent.get();
      if (!pathAgent) continue;
      if (pathAgent->OfferPick(path, false) == KivPathElementAgent::PickResult::Refused) continue;
      ++taken;
      if (std::find(touched.begin(), touched.end(), pathAgent) == touched.end())
        touched.push_back(pathAgent);
      break;
    }
  }
  evaluating_ = false;
  for (const auto& agent : touched) agent->ValueFromOffers();
  Evaluate();
  return taken;
}

void KivStateCommand::OnAgentValued(KivDialogAgent* agent) {
  if (evaluating_ || ended_ || !IsActive() || !current_ || !current_->HoldsAgent(agent)) return;
  Evaluate();
}

KivTransition* KivStateCommand::FirstReadyTransition() const {
  const auto& agents = current_->GetAgents();
  const bool anyValued =
      agents.empty() || std::any_of(agents.begin(), agents.end(),
                                    [](const KivDialogAgent_var& a) { return a->IsValued(); });
  for (const auto& transition : transitions_) {
    if (transition->from != current_) continue;
    const bool ready = transition->condition ? transition->condition.Evaluate() : anyValued;
    if (ready) return transition.get();
  }
  return nullptr;
}

void KivStateCommand::Evaluate() {
  if (evaluating_) return;
  KivBaseUnknown_var keep(this);
  evaluating_ = true;
  int chained = 0;
  while (current_ && !ended_ && IsActive()) {
    KivTransition* transition = FirstReadyTransition();
    if (!transition) break;
    if (++chained > kMaxChainedTransitions) {
      EngineTrace().Print("%s: transitions loop in state \"%s\"; the command ends",
                          GetName().c_str(), current_->GetName().c_str());
      EndCommand(true);
      break;
    }
    Fire(transition);
  }
  evaluating_ = false;
}

void KivStateCommand::Fire(KivTransition* transition) {
  // Remember which agents fired, so that a value given during the action
  // (e.g. Accept() on an agent of the target state) is not lost.
  std::vector<std::pair<KivDialogAgent_var, long>> fired;
  for (const auto& agent : transition->from->GetAgents())
    if (agent->IsValued()) fired.emplace_back(agent, agent->GetValuationSerial());
  KivDialogState* target = transition->to;
  if (transition->action) lastActionResult_ = transition->action.Run();
  if (ended_) return;  // the action ended or cancelled the command
  for (auto& [agent, serial] : fired)
    if (agent->GetValuationSerial() == serial) agent->InitializeAcquisition();
  if (target) {
    current_ = target;
  } else if (repeat_) {
    RearmAll();
    current_ = initial_;
  } else {
    EndCommand(false);
  }
}

void KivStateCommand::RearmAll() {
  for (const auto& state : states_)
    for (const auto& agent : state->GetAgents()) agent->InitializeAcquisition();
}

void KivStateCommand::EndCommand(bool cancelled) {
  if (ended_) return;
  ended_ = true;
  cancelled_ = cancelled;
  current_ = nullptr;
  RearmAll();
  KivCommand::Desactivate(nullptr, nullptr);
  if (EndCallback callback = std::exchange(onEnd_, nullptr)) callback(this);
}
