#include "KivSystemTrace.h"

const KivTrace& KivSystemTrace() {
  static const KivTrace trace("KivSystemTrace", "Traces for the host's system services");
  return trace;
}
