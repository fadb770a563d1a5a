#pragma once
// `pexhost view DOCUMENT [--activity NAME] [-o FILE.svg|FILE.png|-] [--json]`:
// opens the document, opens the product flow viewer on the activity's level
// (the root's by default) through the viewer command, and draws it to the
// picture (`-o -`: SVG to `out`) and/or prints its nodes as JSON. 0 on
// success, 1 when a step failed, 2 for a bad command line.
#include <iosfwd>
#include <string>
#include <vector>

int PexRunViewVerb(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
