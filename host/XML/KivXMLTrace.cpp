#include "KivXMLTrace.h"

namespace {
const KivTrace gTrace("KivXMLTrace", "Traces for module KivXMLTrace", "STDERR");
}

const KivTrace& KivXMLTrace() { return gTrace; }
