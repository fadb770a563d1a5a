#include "KivFatalError.h"

#include <cstdio>
#include <cstdlib>

void KivFatalError(const char* assertion, const char* sourcePath, int line) {
  std::fprintf(stderr, "Fatal error: %s\n  at %s, line %d\n", assertion ? assertion : "",
               sourcePath ? sourcePath : "", line);
  std::fflush(stderr);
  std::fflush(stdout);
  std::_Exit(kKivFatalExitStatus);
}
