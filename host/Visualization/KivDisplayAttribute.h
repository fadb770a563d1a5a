#pragma once
// The host's numbered display attributes: looks that a client asks for by
// number instead of composing colours and widths itself.
//   1  a background area: filled light grey with a grey outline (the track
//      of a scroll bar)
//   8  a grip: a thick dark line (the thumb of a scroll bar)
// Other values leave the rep as it is.
#include "Kiv2DRep.h"

inline constexpr int kKivDisplayBackground = 1;
inline constexpr int kKivDisplayGrip = 8;

// Applies the look; false (nothing changed) for a value the host does not know.
bool KivApplyDisplayAttribute(Kiv2DRep& rep, int value);
