#pragma once
// What a click at a point of the current viewer hits, named as a person
// would: a node by id and name, a status button by name and node (with the
// state the click left its list in), else the manipulator that took it.
#include <string>

#include "KivInteraction.h"

class PexSession;

// Clicks at (x, y) and says what was hit; fails when nothing takes the click.
KivStepResult PexClickAndSay(PexSession& session, float x, float y);
