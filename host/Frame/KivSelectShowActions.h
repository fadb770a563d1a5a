#pragma once
// The host's select and hide/show actions on a picked object, as the user
// starts them on a rep of a viewer: an object that answers KivISelectShow is
// replaced by the element it stands for; any other object acts for itself.
// Each call is one user event (see KivInteraction).
#include "KivInteraction.h"
#include "KivProcessModelTypes.h"

class KivSelectShowActions {
 public:
  // Makes the element the current editor's selection.
  static KivStepResult Select(KivBaseUnknown* picked);
  // Hides (KivNoShow) or shows (KivShow) the element through its visual
  // properties; the document announces the change.
  static KivStepResult HideShow(KivBaseUnknown* picked, KivShowAttribut show);
};
