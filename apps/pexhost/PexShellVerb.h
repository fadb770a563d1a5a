#pragma once
// `pexhost shell DOCUMENT`: the session script language typed line by line
// (docs/scripting.md). The document is opened first; a step that fails is
// reported and the session goes on. "help" lists the steps and checks of
// PexVerbRegistry ("help NAME" one of them); "quit" or the end of input ends
// it. `interactive`: standard input is a terminal, read with line editing
// and history (PexLineEditor) instead of `in`.
// 0 when every step succeeded, 1 when one failed or the document could not
// be opened, 2 for a bad command line.
#include <iosfwd>
#include <string>
#include <vector>

int PexRunShellVerb(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err, bool interactive);
