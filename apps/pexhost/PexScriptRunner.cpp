#include "PexScriptRunner.h"

#include <istream>
#include <ostream>
#include <sstream>

#include "KivSafeFile.h"
#include "PexVerbRegistry.h"

PexScriptRunner::PexScriptRunner(PexSession& session, std::string scriptName, std::ostream& out)
    : session_(session), scriptName_(std::move(scriptName)), out_(out) {}

bool PexScriptRunner::Run(const std::vector<PexScriptStep>& steps) {
  for (const PexScriptStep& step : steps) {
    KivStepResult result = RunStep(step);
    if (!result) {
      failedLine_ = step.line;
      error_ =
          scriptName_ + ":" + std::to_string(step.line) + ": " + step.verb + ": " + result.message;
      return false;
    }
    out_ << scriptName_ << ":" << step.line << ": " << step.verb << " ok"
         << (result.message.empty() ? std::string() : " (" + result.message + ")") << "\n";
  }
  return true;
}

KivStepResult PexScriptRunner::RunStep(const PexScriptStep& step) {
  const PexVerb* verb = PexVerbRegistry::Standard().FindVerb(step.verb);
  if (!verb) return KivStepResult::Fail("unknown verb");
  const std::vector<std::string>& a = step.args;
  if (a.size() < verb->minArgs || a.size() > verb->maxArgs)
    return KivStepResult::Fail("expects " + verb->usage +
                               (verb->maxArgs == 0 ? "no argument" : "") + ", got " +
                               std::to_string(a.size()) + " argument" + (a.size() == 1 ? "" : "s"));
  return verb->run(session_, a);
}

int PexRunScriptVerb(const std::string& path, std::istream& standardInput, std::ostream& out,
                     std::ostream& err) {
  const bool fromInput = path == "-";
  // Messages name a script read from standard input "stdin".
  const std::string scriptPath = fromInput ? std::string("stdin") : path;
  std::string text;
  if (fromInput) {
    std::stringstream buffer;
    buffer << standardInput.rdbuf();
    text = buffer.str();
  } else {
    std::string reason;
    if (!KivSafeFile::Read(path, text, reason)) {
      err << "pexhost: cannot read script " << path << ": " << reason << "\n";
      return 2;
    }
  }
  const PexScriptParseResult parsed = PexScriptParser::Parse(text);
  if (!parsed.ok) {
    err << scriptPath << ":" << parsed.errorLine << ": " << parsed.error << "\n";
    return 2;
  }
  const std::size_t slash = fromInput ? std::string::npos : path.find_last_of('/');
  PexSession session(slash == std::string::npos ? std::string(".") : path.substr(0, slash));
  if (KivStepResult loaded = session.LoadPlugIn(); !loaded) {
    err << "pexhost: " << loaded.message << "\n";
    return 1;
  }
  PexScriptRunner runner(session, scriptPath, out);
  if (!runner.Run(parsed.steps)) {
    err << runner.GetError() << "\n";
    return 1;
  }
  out << scriptPath << ": all " << parsed.steps.size() << " steps succeeded\n";
  return 0;
}
