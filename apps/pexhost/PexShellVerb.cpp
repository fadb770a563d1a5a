#include "PexShellVerb.h"

#include <cstdio>
#include <istream>
#include <memory>
#include <ostream>

#include "PexLineEditor.h"
#include "PexScriptParser.h"
#include "PexScriptRunner.h"
#include "PexSession.h"
#include "PexVerbRegistry.h"

namespace {
void HelpLine(const std::string& step, const std::string& summary, std::ostream& out) {
  constexpr std::size_t kColumn = 44;
  out << "  " << step;
  if (step.size() + 2 < kColumn)
    out << std::string(kColumn - 2 - step.size(), ' ');
  else
    out << "\n" << std::string(kColumn, ' ');
  out << summary << "\n";
}

std::string Step(const std::string& name, const std::string& usage) {
  return usage.empty() || usage == "nothing" ? name : name + " " + usage;
}

// `help`: every step and check, one line each; `help NAME`: the step or the
// check of that name. False for a name that is neither.
bool Help(const std::vector<std::string>& topic, std::ostream& out) {
  const PexVerbRegistry& registry = PexVerbRegistry::Standard();
  bool found = false;
  for (const auto& [name, verb] : registry.Verbs())
    if (topic.empty() || topic[0] == name) {
      if (topic.empty() && !found)
        out << "Steps (\"help NAME\" shows one, \"quit\" ends the session):\n";
      HelpLine(Step(name, verb.usage), verb.summary, out);
      found = true;
    }
  bool checks = false;
  for (const PexCheck& check : registry.Checks())
    if (topic.empty() || topic[0] == check.name || (topic[0] == "expect" && topic.size() == 1)) {
      if (!checks && (topic.empty() || topic[0] == "expect")) out << "Checks:\n";
      HelpLine(Step("expect " + check.name, check.usage), check.summary, out);
      found = checks = true;
    }
  return found;
}
}  // namespace

int PexRunShellVerb(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err, bool interactive) {
  if (args.size() != 1) {
    err << "pexhost shell: give exactly one document\n";
    return 2;
  }
  PexSession session;
  if (KivStepResult r = session.LoadPlugIn(); !r) {
    err << "pexhost shell: " << r.message << "\n";
    return 1;
  }
  if (KivStepResult r = session.Open(args[0]); !r) {
    err << "pexhost shell: open " << args[0] << ": " << r.message << "\n";
    return 1;
  }
  // A terminal gets line editing and history; other input is read as it comes.
  std::unique_ptr<PexLineEditor> editor;
  if (interactive) {
    out << "Type steps one per line; \"help\" lists them, \"quit\" ends.\n" << std::flush;
    editor = std::make_unique<PexLineEditor>("pexhost", stdin, stdout, stderr);
  }
  const auto readLine = [&](std::string& line) {
    if (editor) return editor->ReadLine("pexhost> ", line);
    return static_cast<bool>(std::getline(in, line));
  };
  PexScriptRunner runner(session, "shell", out);
  bool failed = false;
  std::string line;
  for (int number = 1; readLine(line); ++number) {
    std::vector<std::string> words;
    std::string error;
    if (!PexScriptParser::SplitLine(line, words, error)) {
      err << "shell:" << number << ": " << error << "\n";
      failed = true;
      continue;
    }
    if (words.empty()) continue;
    if (words[0] == "quit" || words[0] == "exit") break;
    if (words[0] == "help") {
      if (!Help({words.begin() + 1, words.end()}, out)) {
        err << "shell:" << number << ": help: no step or check \"" << words[1] << "\"\n";
        failed = true;
      }
      continue;
    }
    PexScriptStep step{number, words[0], {words.begin() + 1, words.end()}};
    if (!runner.Run({step})) {
      err << runner.GetError() << "\n";
      failed = true;
    }
  }
  if (interactive) out << "\n";
  return failed ? 1 : 0;
}
