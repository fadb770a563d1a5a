#pragma once
// A PERT graph node: an activity drawn as a box in a PERT chart. Positions and
// sizes are in viewer units, y growing upwards; the position is kept in the
// process document so that it is saved with it.
#include "KivImplement.h"
#include "KivVar.h"

inline constexpr IID IID_MoxIPertNode = KivGUID::Literal("{5B2E7A10-3C41-4F8E-9A61-0D7C2E4B1A01}");

class MoxIPertNode : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIPertNode)
 public:
  // flag 1: the centre of the box as drawn (an expanded super node's box
  //         encloses its shown children, so its centre moves with them);
  // flag 0: the node's own anchor, the centre of its plain box.
  virtual HRESULT GetPosition(double& x, double& y, int flag = 1) = 0;
  // Sets the node's anchor.
  // flag 1: the node counts as placed, and its descendants keep their place
  //         relative to it (they move by the same displacement);
  // flag 0: only the anchor moves and the placed flag is left as it is.
  // Charts that draw the node are redrawn. E_INVALIDARG for a coordinate
  // that is not finite (nothing changes).
  virtual HRESULT SetPosition(double x, double y, int flag = 1) = 0;
  // flag 1: width and height of the box as drawn; flag 0: of the plain box.
  virtual HRESULT GetSize(double& width, double& height, int flag = 1) = 0;
};
KIV_DECLARE_VAR(MoxIPertNode);
