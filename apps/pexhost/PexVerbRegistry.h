#pragma once
// The verbs a session script may use and the checks of its `expect` step, by
// name. `expect` itself is the registry's own verb: it runs the check its
// first argument names with the arguments after it.
#include <map>
#include <string>
#include <vector>

#include "PexVerb.h"

class PexVerbRegistry {
 public:
  PexVerbRegistry();
  PexVerbRegistry(const PexVerbRegistry&) = delete;
  PexVerbRegistry& operator=(const PexVerbRegistry&) = delete;

  // Every verb and check of pexhost, registered once from PexStepAreas.def.
  static const PexVerbRegistry& Standard();

  // A second verb or check of a name already taken is a programming error
  // (KivFatalError).
  void AddVerb(PexVerb verb);
  void AddCheck(PexCheck check);

  // Null for an unknown name.
  const PexVerb* FindVerb(const std::string& name) const;
  const PexCheck* FindCheck(const std::string& name) const;

  // Verbs by name; checks in the order they were registered.
  const std::map<std::string, PexVerb>& Verbs() const { return verbs_; }
  const std::vector<PexCheck>& Checks() const { return checks_; }

 private:
  KivStepResult RunCheck(PexSession& session, const std::vector<std::string>& args) const;

  std::map<std::string, PexVerb> verbs_;
  std::vector<PexCheck> checks_;  // in registration order, the order they are listed in
};
