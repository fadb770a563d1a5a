#pragma once
// The XML framework's trace module, "KivXMLTrace", registered when the
// library loads.
#include "KivTrace.h"

const KivTrace& KivXMLTrace();
