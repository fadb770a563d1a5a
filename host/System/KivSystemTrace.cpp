#include "KivSystemTrace.h"

const KivTrace& KivSystemTrace() {
  static const KivTrace trace("KivSystemTrace", "Traces for the host's system services");
  return trace;
}

// Registered when the library loads, so the module is listed from the start.
[[maybe_unused]] static const KivTrace& kRegisteredAtLoad = KivSystemTrace();
