#pragma once
// The hook through which `pexhost view --json` reports the status buttons of
// a node: it appends one JSON object per button to the open array. Until a
// module gives activities their buttons there is nothing to report and the
// array stays empty.
class KivBaseUnknown;
class PexJsonWriter;

void PexWriteNodeButtons(KivBaseUnknown* node, PexJsonWriter& json);
