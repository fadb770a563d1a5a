#pragma once
// The plug-in's four trace modules, registered once when the plug-in loads
// and written to "STDERR" while switched on through "KivTraces".
// Operations write their entry and exit lines ("... -->", "... <--") with a
// KivTraceScope on one of them.
#include "KivTrace.h"

const KivTrace& MoxPexCtxMenuTrace();
const KivTrace& MoxPexViewerCmdsTrace();
const KivTrace& MoxProductFlowViewerTrace();
const KivTrace& MoxZitBltModelTrace();
