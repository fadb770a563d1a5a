#pragma once
// The lists of status buttons in the host shell: their rows in the JSON
// listing, the script steps that open a list, scroll it and pick a row, and
// the checks of rows (docs/scripting.md). The plug-in is reached through its
// public interfaces only (MoxIZitBltMgr, MoxIZitBltButton, MoxIScrollListZitBlt).
#include <string>

#include "KivInteraction.h"

class KivBaseUnknown;
class PexJsonWriter;

// Inside a button's JSON object: "first", "range" and "rows" of its list,
// when the button is a list.
void PexWriteListRows(KivBaseUnknown* button, PexJsonWriter& json);

// "--open NODE:BUTTON" of the view verb: opens that button's list.
KivStepResult PexOpenList(const std::string& nodeAndButton);
