#pragma once
// The super node side of a PERT node: an activity with child activities can
// be expanded in place (its children drawn inside its box) or collapsed.
#include "KivImplement.h"
#include "KivVar.h"

inline constexpr IID IID_MoxIPertNodeExt =
    KivGUID::Literal("{5B2E7A10-3C41-4F8E-9A61-0D7C2E4B1A02}");

class MoxIPertNodeExt : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIPertNodeExt)
 public:
  enum State { kPlainNode = 0, kExpanded = 1, kCollapsed = 2 };

  // flag 1: the effective state: 0 for a node without child activities,
  //         otherwise 1 (expanded) or 2 (collapsed) as stored;
  // flag 0: the state stored in the document, whatever the children.
  virtual HRESULT GetSuperNodeState(int& state, int flag = 1) = 0;
  // True when no open PERT chart shows the node: it sits inside a collapsed
  // super node, or outside every level being shown. A window removes the
  // status buttons of such a node.
  virtual bool IsNodeHidden() = 0;
  // Places the node's box as drawn: for an expanded super node the node and
  // its descendants move together so that the centre of the enclosing box
  // lands on (x, y); for any other node this is MoxIPertNode::SetPosition.
  virtual HRESULT SetPosition(double x, double y, int flag = 1) = 0;
};
KIV_DECLARE_VAR(MoxIPertNodeExt);
