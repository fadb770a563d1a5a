#pragma once
// Where activities stand to one another in the process tree and in the
// precedence flow, for the drag-and-drop rules of body-in-white planning.
// Every walk visits each activity once: a level with many joins costs its
// size, and a precedence cycle (accepted data) ends the walk.
#include "KivVar.h"

namespace MoxBIWFlow {

// True when `activity` lies anywhere below `ancestor` in the process tree.
bool FoundInChildren(KivBaseUnknown* activity, KivBaseUnknown* ancestor);

// True when `activity` is `ancestor` or lies below it.
bool IsSelfOrBelow(KivBaseUnknown* activity, KivBaseUnknown* ancestor);

// True when the producer is reached from the destination by following its
// next activities one or more steps, or lies below an activity reached so.
bool IsAssignedToAfterDestination(KivBaseUnknown* producer, KivBaseUnknown* destination);

// The activity whose product output link gives the item (the last one found,
// in the order the item lists the objects linking it); empty when none does.
KivBaseUnknown_var GetAssignedActivity(KivBaseUnknown* item);

// Whether the manufacturing assembly may become an input of the destination:
// not when the destination is its producer, stands above or below it in the
// tree, or precedes it in the flow. An assembly that nobody produces may.
bool MfgDropValid(KivBaseUnknown* assembly, KivBaseUnknown* destination);

}  // namespace MoxBIWFlow
