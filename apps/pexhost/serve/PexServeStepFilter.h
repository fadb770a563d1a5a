#pragma once
// The steps a served page may run: any step of the script language, except
// those that reach outside the served document. `open` is refused (a server
// serves one document), `render` too (the page gets its picture from the
// server); `save` writes the document over its own file, and `save NAME.xml`
// writes a copy beside it under a plain file name, never elsewhere.
#include <string>

#include "PexScriptParser.h"

class PexServeStepFilter {
 public:
  // Reads one step line into `step`, confined as above. `documentPath` is
  // where the served document is stored. False, with the reason in `error`,
  // for a line that cannot be read, holds no step or more than one, or asks
  // for what a page may not do.
  static bool Admit(const std::string& line, const std::string& documentPath, PexScriptStep& step,
                    std::string& error);
};
