// The shell may use the public interface, not a module's header.
#include "MoxB.h"
#include "MoxIPublic.h"
