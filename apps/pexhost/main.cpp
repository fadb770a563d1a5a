// pexhost: the host shell. Loads the plug-in by module name and runs verbs.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "PexHostSetup.h"
#include "PexModulesVerb.h"
#include "PexScriptRunner.h"
#include "PexServeVerb.h"
#include "PexShellVerb.h"
#include "PexViewVerb.h"

namespace {
void Usage(std::ostream& out) {
  out << "Usage: pexhost [modules [MODULE...]]\n"
         "       pexhost view DOCUMENT [--activity NAME] [-o FILE.svg|FILE.png] [--json]\n"
         "       pexhost run SCRIPT\n"
         "       pexhost shell DOCUMENT\n"
         "       pexhost serve DOCUMENT [--port N]\n"
         "  modules   load the modules (default MoxPexViewers) and list what they registered\n"
         "            (the default verb)\n"
         "  view      open the product flow viewer on the activity's level (default: the\n"
         "            root's), draw it to the picture, print its nodes as JSON\n"
         "  run       run a session script (docs/scripting.md); stops at the first failing\n"
         "            step with its line number\n"
         "  shell     open the document and run steps typed one per line\n"
         "  serve     open the document and serve the viewer as a page on 127.0.0.1\n"
         "            (the address with its access token is printed; Ctrl+C stops)\n"
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
  if (verb == "view") return PexRunViewVerb({args.begin() + 1, args.end()}, std::cout, std::cerr);
  if (verb == "run") {
    if (args.size() != 2) {
      std::cerr << "pexhost run: give exactly one script\n";
      return 2;
    }
    return PexRunScriptVerb(args[1], std::cout, std::cerr);
  }
  if (verb == "shell")
    return PexRunShellVerb({args.begin() + 1, args.end()}, std::cin, std::cout, std::cerr,
                           isatty(STDIN_FILENO) != 0);
  if (verb == "serve") return PexRunServeVerb({args.begin() + 1, args.end()}, std::cout, std::cerr);
  if (verb == "help" || verb == "--help" || verb == "-h") {
    Usage(std::cout);
    return 0;
  }
  std::cerr << "pexhost: unknown verb \"" << verb << "\"\n";
  Usage(std::cerr);
  return 2;
}
