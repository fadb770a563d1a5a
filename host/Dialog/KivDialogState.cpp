#include "KivDialogState.h"

#include "KivStateCommand.h"

KivDialogState::~KivDialogState() = default;

void KivDialogState::AddDialogAgent(KivDialogAgent* agent) {
  if (!agent || HoldsAgent(agent)) return;
  agents_.push_back(KivDialogAgent_var(agent));
  agent->SetOwnerCommand(command_);
}

bool KivDialogState::HoldsAgent(const KivDialogAgent* agent) const {
  for (const auto& held : agents_)
    if (held.get() == agent) return true;
  return false;
}
