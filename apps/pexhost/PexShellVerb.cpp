#include "PexShellVerb.h"

#include <istream>
#include <ostream>

#include "PexScriptParser.h"
#include "PexScriptRunner.h"
#include "PexSession.h"

int PexRunShellVerb(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err, bool prompt) {
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
  PexScriptRunner runner(session, "shell", out);
  bool failed = false;
  std::string line;
  for (int number = 1;; ++number) {
    if (prompt) out << "pexhost> " << std::flush;
    if (!std::getline(in, line)) break;
    std::vector<std::string> words;
    std::string error;
    if (!PexScriptParser::SplitLine(line, words, error)) {
      err << "shell:" << number << ": " << error << "\n";
      failed = true;
      continue;
    }
    if (words.empty()) continue;
    if (words[0] == "quit" || words[0] == "exit") break;
    PexScriptStep step{number, words[0], {words.begin() + 1, words.end()}};
    if (!runner.Run({step})) {
      err << runner.GetError() << "\n";
      failed = true;
    }
  }
  if (prompt) out << "\n";
  return failed ? 1 : 0;
}
