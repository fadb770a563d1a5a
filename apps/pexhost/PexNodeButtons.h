#pragma once
// The status buttons of a node, as the shell reports and drives them: through
// the plug-in's public interfaces MoxIZitBltMgr and MoxIZitBltButton only
// (the plug-in is loaded at run time, never linked).
#include <string>

#include "KivInteraction.h"

class KivBaseUnknown;
class PexJsonWriter;

// Appends one JSON object per button of the node to the open array: name,
// location, "shown", "open", "greyed" (its list is empty), the button's
// position and, for an open list, its rows (PexWriteListRows). Nothing when
// the node has no buttons (or no module gives activities their buttons).
void PexWriteNodeButtons(KivBaseUnknown* node, PexJsonWriter& json);

// Why the node has no button of that name, with the names of those it has.
std::string PexNoSuchButton(KivBaseUnknown* node, const std::string& button);

// The script step "zitblt NODE BUTTON show|hide|click": shows or hides the
// button through its manager, or clicks it (opens or closes its list).
KivStepResult PexDriveNodeButton(KivBaseUnknown* node, const std::string& button,
                                 const std::string& action);

// The check "expect button NODE BUTTON shown|hidden|open|closed|greyed|coloured".
KivStepResult PexCheckNodeButton(KivBaseUnknown* node, const std::string& button,
                                 const std::string& state);
