#pragma once
// The node organiser of the product flow viewer module, as the plug-in's
// other modules use it: a full layout of one PERT level, or the placement of
// some new nodes among the placed ones.
#include "KivImplement.h"
#include "KivList.h"
#include "KivVar.h"

class MoxPertController;

inline constexpr IID IID_MoxIPFVNodeOrganiser = KivGUID::FromName("MoxIPFVNodeOrganiser");

class MoxIPFVNodeOrganiser : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIPFVNodeOrganiser)
 public:
  // Full layout of the root's child nodes. False for an empty root, a null
  // controller or a controller without a viewer; true otherwise (also when
  // the root has no child node).
  virtual bool ArrangeNodes(KivBaseUnknown_var root, MoxPertController* controller) = 0;
  // Places each given node (in order) and everything downstream of it. False
  // as ArrangeNodes, and for a null node list; nodes not in the level are
  // skipped.
  virtual bool PositionNewNode(KivBaseUnknown_var root, KivListValKivBaseUnknown_var*& nodes,
                               MoxPertController* controller) = 0;
};
KIV_DECLARE_VAR(MoxIPFVNodeOrganiser);

// A new organiser; the handle holds its creation reference.
MoxIPFVNodeOrganiser_var MoxCreateNodeOrganiser();
