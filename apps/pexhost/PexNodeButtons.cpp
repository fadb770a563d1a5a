#include "PexNodeButtons.h"

#include "KivBaseUnknown.h"
#include "PexJsonWriter.h"

void PexWriteNodeButtons(KivBaseUnknown*, PexJsonWriter&) {
  // No button model is wired into the shell yet: a node reports no buttons.
}
