#pragma once
// The status buttons of a node, as the shell reports and drives them. The
// plug-in is loaded at run time, so the shell reaches the buttons only
// through the manager interface (queried by name) and the button rep's
// inline accessors and virtual operations.
#include <string>

#include "KivInteraction.h"

class KivBaseUnknown;
class MoxZitBltRep;
class PexJsonWriter;

// The button of that name on the node; null with `error` saying why.
MoxZitBltRep* PexFindNodeButton(KivBaseUnknown* node, const std::string& button,
                                std::string& error);

// Appends one JSON object per button of the node to the open array: name,
// location, "shown", "open", the button's position and, for an open list,
// its rows (PexWriteListRows). Nothing when the node
// has no buttons (or no module gives activities their buttons).
void PexWriteNodeButtons(KivBaseUnknown* node, PexJsonWriter& json);

// The script step "zitblt NODE BUTTON show|hide|click": shows or hides the
// button through its manager, or clicks it (opens or closes its list).
KivStepResult PexDriveNodeButton(KivBaseUnknown* node, const std::string& button,
                                 const std::string& action);

// The check "expect button NODE BUTTON shown|hidden|open|closed".
KivStepResult PexCheckNodeButton(KivBaseUnknown* node, const std::string& button,
                                 const std::string& state);
