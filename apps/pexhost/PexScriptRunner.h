#pragma once
// Runs a session script (docs/scripting.md) step by step in a PexSession and
// stops at the first step that fails, naming the script, the line and what
// went wrong.
#include <iosfwd>
#include <string>
#include <vector>

#include "PexScriptParser.h"
#include "PexSession.h"

class PexScriptRunner {
 public:
  // `scriptName` is used in messages; `out` hears one line per step.
  PexScriptRunner(PexSession& session, std::string scriptName, std::ostream& out);

  // Runs every step; false at the first failure, whose message is
  // "<script>:<line>: <verb>: <reason>".
  bool Run(const std::vector<PexScriptStep>& steps);
  const std::string& GetError() const { return error_; }
  int GetFailedLine() const { return failedLine_; }

  // Runs one step through the verb its name finds in PexVerbRegistry.
  KivStepResult RunStep(const PexScriptStep& step);

 private:
  PexSession& session_;
  std::string scriptName_;
  std::ostream& out_;
  std::string error_;
  int failedLine_ = 0;
};

// `pexhost run SCRIPT`: 0 when every step passed, 1 when one failed, 2 when
// the script cannot be read. "-" reads the script from `standardInput`; its
// messages call it "stdin" and its relative files are in the current folder.
int PexRunScriptVerb(const std::string& path, std::istream& standardInput, std::ostream& out,
                     std::ostream& err);
