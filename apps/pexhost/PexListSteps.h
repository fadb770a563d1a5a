#pragma once
// The lists of status buttons in the host shell: their rows in the JSON
// listing, and the script steps that open a list, scroll it, pick a row and
// check rows (docs/scripting.md). The plug-in is reached through its public
// interfaces only (MoxIScrollListZitBlt, MoxIScrollListZitBltItemVisu).
#include <string>
#include <vector>

#include "KivInteraction.h"

class KivBaseUnknown;
class KivViewer;
class PexJsonWriter;

// Inside a button's JSON object: "first", "range" and "rows" of its list,
// when the button is a list.
void PexWriteListRows(KivBaseUnknown* button, PexJsonWriter& json);

// The steps "list NODE BUTTON open|close", "scroll NODE BUTTON FIRST" and
// "row NODE BUTTON ROW select|hide|show" in the current viewer.
KivStepResult PexRunListStep(const std::string& verb, const std::vector<std::string>& args,
                             KivViewer* viewer);

// The checks "expect rows NODE BUTTON COUNT" and
// "expect row NODE BUTTON ROW NAME [visible|scrolled|normal|marked|SHOW|HIDDEN|PARTIAL]...".
KivStepResult PexExpectListRows(const std::vector<std::string>& args);

// "--open NODE:BUTTON" of the view verb: opens that button's list.
KivStepResult PexOpenList(const std::string& nodeAndButton);
