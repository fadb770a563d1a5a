#include "MoxPexTraces.h"

namespace {
// Namespace-scope objects, so the modules are registered at load time, not
// on first use.
const KivTrace gCtxMenuTrace("MoxPexCtxMenuTrace", "Traces for module MoxPexCtxMenuTrace",
                             "STDERR");
const KivTrace gViewerCmdsTrace("MoxPexViewerCmdsTrace", "Traces for module MoxPexViewerCmdsTrace",
                                "STDERR");
const KivTrace gProductFlowViewerTrace("MoxProductFlowViewerTrace",
                                       "Traces for module MoxProductFlowViewer", "STDERR");
const KivTrace gZitBltModelTrace("MoxZitBltModelTrace", "Traces for module MoxZitBltModel",
                                 "STDERR");
}  // namespace

const KivTrace& MoxPexCtxMenuTrace() { return gCtxMenuTrace; }
const KivTrace& MoxPexViewerCmdsTrace() { return gViewerCmdsTrace; }
const KivTrace& MoxProductFlowViewerTrace() { return gProductFlowViewerTrace; }
const KivTrace& MoxZitBltModelTrace() { return gZitBltModelTrace; }
