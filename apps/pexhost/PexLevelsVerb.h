#pragma once
// `pexhost levels DOCUMENT`: the activity tree of the document, one activity
// a line, indented under its parent: id, name in quotes, type and the number
// of children (an activity with children is a level the viewer can open).
// 0 on success, 1 when the document cannot be opened, 2 for a bad command
// line.
#include <iosfwd>
#include <string>
#include <vector>

int PexRunLevelsVerb(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
