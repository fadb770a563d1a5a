#pragma once
// One step verb of the session language (docs/scripting.md) and one check of
// its `expect` step: a name, the arguments it takes (with the usage text that
// names them) and the handler that runs it in a session. Verbs and checks are
// declared per area, in files of their own (PexDocumentSteps.cpp, ...), and
// registered with the PexVerbRegistry through PexStepAreas.def.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "KivInteraction.h"

class PexSession;

using PexStepHandler =
    std::function<KivStepResult(PexSession& session, const std::vector<std::string>& args)>;

struct PexVerb {
  std::string name;
  std::size_t minArgs = 0;
  std::size_t maxArgs = 0;
  // What the arguments are ("NODE X Y", "[ACTIVITY]"); empty for none.
  std::string usage;
  // Runs with a number of arguments between minArgs and maxArgs.
  PexStepHandler run;
  // What the step does, in one line (the shell's `help`).
  std::string summary{};
};

// `expect NAME ARGS...`: the handler hears ARGS, `arity` of them (up to
// `maxArity` when that is larger: optional ones at the end).
struct PexCheck {
  std::string name;
  std::size_t arity = 0;
  // What the arguments are ("NODE X Y"); "nothing" for none.
  std::string usage;
  PexStepHandler run;
  std::size_t maxArity = 0;
  // What holds when the check passes, in one line.
  std::string summary{};
};
