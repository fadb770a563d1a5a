#pragma once
// How the host starts a command by class name: the creation dictionary makes
// it, the starter activates it. State commands run one at a time: starting an
// exclusive one (KivCommandExclusive) cancels those that run; starting any
// other suspends the running one, which resumes when the new one ends. The
// starter keeps a reference on each running state command and gives it up
// through delayed destruction when the command ends.
#include "KivStateCommand.h"

class KivCommandStarter {
 public:
  struct Result {
    KivVar<KivCommand> command;  // empty on failure
    KivString message;           // why it failed
    explicit operator bool() const { return static_cast<bool>(command); }
  };

  // `argument` is passed to one-argument factories.
  static Result Start(const KivString& className, KivBaseUnknown* argument = nullptr);
  // Starts a command made by the caller (the starter takes its own reference).
  static Result StartInstance(KivCommand* command);

  // The state command that receives picks and dialog input, or null.
  static KivStateCommand* GetActiveStateCommand();
  static int RunningCount();
  // Cancels every running state command (the host closing, tests).
  static void CancelAll();
};
