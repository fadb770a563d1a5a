#pragma once
// "pexhost modules [MODULE...]": loads each module (the plug-in
// "MoxPexViewers" when none is named) and prints what it registered: trace
// modules with their descriptions, classes with their meta-objects, creation
// dictionary entries and extension bindings.
#include <ostream>
#include <string>
#include <vector>

// 0 when every module loaded; 1 otherwise, with the reason on `err`.
int PexRunModulesVerb(const std::vector<std::string>& modules, std::ostream& out,
                      std::ostream& err);
