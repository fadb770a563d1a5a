// pexhost: the host shell. Loads the plug-in by module name and runs verbs.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "PexCommandLine.h"
#include "PexHostSetup.h"

int main(int argc, char** argv) {
  PexHostSetup::Apply(argc > 0 ? argv[0] : nullptr);
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return PexRunCommandLine(args, {std::cin, std::cout, std::cerr, isatty(STDIN_FILENO) != 0});
}
