#pragma once
// The show state of a listed product or assembly, as its row's icon draws
// it: "SHOW", "HIDDEN" or "PARTIAL".
//   - a hidden product is "HIDDEN", whatever its children are;
//   - a shown product without children is "SHOW";
//   - a shown product with children, and an assembly, aggregate their
//     children: "PARTIAL" when any is partial or both shown and hidden
//     occur, "HIDDEN" when all are hidden, otherwise "SHOW".
// An object with neither view (no product, no assembly) has no state: "".
#include "KivPixelImage.h"
#include "KivUnicodeString.h"
#include "KivVar.h"

class MoxPFViewerShowState {
 public:
  static KivUnicodeString GetIconName(KivBaseUnknown* item);
  // The icon of a state ("I_PODShownInputPart", "I_PODHiddenInputPart",
  // "I_PODPartiallyHiddenInputPart" with ".bmp", through the image path),
  // its corner colour transparent; null when it cannot be loaded.
  static KivVar<KivPixelImage> GetShowHiddenIcon(const KivUnicodeString& state);
};
