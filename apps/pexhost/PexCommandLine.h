#pragma once
// The command line of pexhost: the verbs with their usage and help texts,
// `--version`, `VERB --help`, and `--option=value` read as `--option value`.
// Each verb parses its own arguments; this only finds the verb and runs it.
#include <iosfwd>
#include <string>
#include <vector>

struct PexCommandStreams {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  // Standard input is a terminal (the shell prompts and edits lines).
  bool interactive = false;
};

// The exit status: what the verb returns, 0 for help and the version, 2 for
// no verb or an unknown one (with the usage on standard error).
int PexRunCommandLine(const std::vector<std::string>& args, PexCommandStreams streams);

// `--name=value` words become `--name`, `value`; other words stay as they are.
std::vector<std::string> PexSplitOptionValues(const std::vector<std::string>& args);
