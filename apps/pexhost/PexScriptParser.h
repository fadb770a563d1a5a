#pragma once
// Reads a session script: one step per line, words separated by blanks, a
// word with blanks written in double quotes (\" and \\ inside), "#" starts a
// comment outside quotes. A line that cannot be read (an open quote, a
// character that is not text) is an error with its line number; nothing of
// a script with such a line is run.
#include <string>
#include <vector>

struct PexScriptStep {
  int line = 0;
  std::string verb;
  std::vector<std::string> args;
};

struct PexScriptParseResult {
  std::vector<PexScriptStep> steps;
  bool ok = true;
  int errorLine = 0;
  std::string error;
};

class PexScriptParser {
 public:
  static PexScriptParseResult Parse(const std::string& text);
  // The words of one line; false with the reason in `error` when it cannot
  // be read.
  static bool SplitLine(const std::string& line, std::vector<std::string>& words,
                        std::string& error);
};
