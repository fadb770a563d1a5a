#include "PexVerbRegistry.h"

#include <algorithm>

#include "KivFatalError.h"
#include "PexStepArgs.h"

#define PEX_STEP_AREA(Function) void Function(PexVerbRegistry& registry);
#include "PexStepAreas.def"
#undef PEX_STEP_AREA

PexVerbRegistry::PexVerbRegistry() {
  // `expect` takes a check's name and at least the arguments of the check
  // that takes most (AddCheck widens it).
  AddVerb({"expect", 1, 1, "WHAT ...",
           [this](PexSession& session, const auto& args) { return RunCheck(session, args); },
           "fails unless the check WHAT holds"});
}

const PexVerbRegistry& PexVerbRegistry::Standard() {
  static PexVerbRegistry registry;
  static const bool registered = [] {
#define PEX_STEP_AREA(Function) Function(registry);
#include "PexStepAreas.def"
#undef PEX_STEP_AREA
    return true;
  }();
  (void)registered;
  return registry;
}

void PexVerbRegistry::AddVerb(PexVerb verb) {
  if (verbs_.count(verb.name))
    KivFatalError(("AssertionFailed:the verb " + verb.name + " is registered once").c_str(),
                  __FILE__, __LINE__);
  const std::string name = verb.name;
  verbs_.emplace(name, std::move(verb));
}

void PexVerbRegistry::AddCheck(PexCheck check) {
  if (FindCheck(check.name))
    KivFatalError(("AssertionFailed:the check " + check.name + " is registered once").c_str(),
                  __FILE__, __LINE__);
  check.maxArity = std::max(check.maxArity, check.arity);
  PexVerb& expect = verbs_.at("expect");
  expect.maxArgs = std::max(expect.maxArgs, check.maxArity + 1);
  checks_.push_back(std::move(check));
}

const PexVerb* PexVerbRegistry::FindVerb(const std::string& name) const {
  const auto found = verbs_.find(name);
  return found == verbs_.end() ? nullptr : &found->second;
}

const PexCheck* PexVerbRegistry::FindCheck(const std::string& name) const {
  const auto found = std::find_if(checks_.begin(), checks_.end(),
                                  [&](const PexCheck& c) { return c.name == name; });
  return found == checks_.end() ? nullptr : &*found;
}

KivStepResult PexVerbRegistry::RunCheck(PexSession& session,
                                        const std::vector<std::string>& args) const {
  const std::string& what = args[0];
  const PexCheck* check = FindCheck(what);
  if (!check) {
    std::string names;
    for (const PexCheck& c : checks_) names += (names.empty() ? "" : ", ") + c.name;
    return KivStepResult::Fail("unknown expectation " + PexQuoted(what) + " (" + names + ")");
  }
  if (args.size() < check->arity + 1 || args.size() > check->maxArity + 1)
    return KivStepResult::Fail("expect " + what + " takes " + check->usage);
  return check->run(session, {args.begin() + 1, args.end()});
}
