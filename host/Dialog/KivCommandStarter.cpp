#include "KivCommandStarter.h"

#include <algorithm>
#include <vector>

#include "KivCreationDictionary.h"
#include "KivDelayedDestruction.h"

namespace {
// Running state commands, the active one last.
std::vector<KivStateCommand_var>& Running() {
  static std::vector<KivStateCommand_var> running;
  return running;
}
bool& CancellingAll() {
  static bool cancelling = false;
  return cancelling;
}

void OnCommandEnded(KivStateCommand* command) {
  auto& running = Running();
  auto it = std::find_if(running.begin(), running.end(),
                         [command](const KivStateCommand_var& c) { return c.get() == command; });
  if (it == running.end()) return;
  KivDelayedDestruction::Request(it->Detach());
  running.erase(it);
  if (CancellingAll() || running.empty()) return;
  KivStateCommand* resumed = running.back();
  if (!resumed->IsActive() && !resumed->IsEnded()) resumed->Activate(nullptr, nullptr);
}
}  // namespace

KivCommandStarter::Result KivCommandStarter::Start(const KivString& className,
                                                   KivBaseUnknown* argument) {
  if (!KivCreationDictionary::Find(className.c_str()))
    return {NULL_var, "no class \"" + className.str() + "\" in the creation dictionary"};
  KivBaseUnknown_var created =
      KivBaseUnknown_var::Adopt(KivCreationDictionary::Create(className.c_str(), argument));
  if (!created) return {NULL_var, "the factory of \"" + className.str() + "\" made nothing"};
  KivVar<KivCommand> command = created;
  if (!command) return {NULL_var, "\"" + className.str() + "\" is not a command"};
  return StartInstance(command);
}

KivCommandStarter::Result KivCommandStarter::StartInstance(KivCommand* command) {
  if (!command) return {NULL_var, "no command to start"};
  KivVar<KivCommand> handle(command);
  KivStateCommand_var stateCommand = command;
  if (!stateCommand) {
    command->Activate(nullptr, nullptr);
    return {handle, ""};
  }
  if (stateCommand->IsEnded()) return {NULL_var, "the command has already ended"};
  auto& running = Running();
  if (stateCommand->GetCommandBehavior() & KivCommandExclusive) {
    CancelAll();
  } else if (!running.empty() && running.back()->IsActive()) {
    running.back()->Desactivate(nullptr, nullptr);
  }
  running.push_back(stateCommand);
  stateCommand->SetEndCallback(OnCommandEnded);
  stateCommand->Activate(nullptr, nullptr);
  return {handle, ""};
}

KivStateCommand* KivCommandStarter::GetActiveStateCommand() {
  auto& running = Running();
  for (auto it = running.rbegin(); it != running.rend(); ++it)
    if ((*it)->IsActive()) return it->get();
  return nullptr;
}

int KivCommandStarter::RunningCount() { return static_cast<int>(Running().size()); }

void KivCommandStarter::CancelAll() {
  CancellingAll() = true;
  while (!Running().empty()) {
    KivStateCommand_var last = Running().back();
    last->Cancel(nullptr, nullptr);
    // A command that could not end is dropped all the same.
    if (!Running().empty() && Running().back() == last) OnCommandEnded(last);
  }
  CancellingAll() = false;
}
