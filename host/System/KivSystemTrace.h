#pragma once
// The trace module of the host's system services (path search, catalogues,
// settings, module loading). Their failures give an empty or default result
// and explain themselves here; switch it on with KivTraces=KivSystemTrace.
#include "KivTrace.h"

const KivTrace& KivSystemTrace();
