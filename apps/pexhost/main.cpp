// pexhost: the host shell. Loads the plug-in by module name and runs verbs.
#include <iostream>
#include <string>
#include <vector>

#include "PexHostSetup.h"
#include "PexModulesVerb.h"

namespace {
void Usage(std::ostream& out) {
  out << "Usage: pexhost [modules [MODULE...]]\n"
         "  modules   load the modules (default MoxPexViewers) and list what they registered\n"
         "            (the default verb)\n"
         "Environment: KivStartupPath (resources), KivModulePath (modules),\n"
         "             KivTraces (trace modules to switch on), KivUserSettingsPath (settings)\n";
}
}  // namespace

int main(int argc, char** argv) {
  PexHostSetup::Apply(argc > 0 ? argv[0] : nullptr);
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const std::string verb = args.empty() ? "modules" : args[0];
  if (verb == "modules") {
    const std::vector<std::string> modules(args.empty() ? args.end() : args.begin() + 1,
                                           args.end());
    return PexRunModulesVerb(modules, std::cout, std::cerr);
  }
  if (verb == "help" || verb == "--help" || verb == "-h") {
    Usage(std::cout);
    return 0;
  }
  std::cerr << "pexhost: unknown verb \"" << verb << "\"\n";
  Usage(std::cerr);
  return 2;
}
