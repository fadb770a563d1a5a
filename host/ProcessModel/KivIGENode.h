#pragma once
// The graph node view of an activity or of a Start or Stop node.
// The child nodes of an activity are all its children, the Start and Stop
// nodes included: they are drawn and laid out in the PERT level with the
// activities (a Start or Stop node is linked by precedence links too).

#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_KivIGENode = KivGUID::FromName("KivIGENode");

class KivIGENode : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivIGENode)
 public:
  // A new list of the child nodes, in child order (Start first, Stop last).
  virtual KivSPPList GetChildNodes() = 0;
  // The activity whose level shows this node; empty for a root.
  virtual KivBaseUnknown_var GetParentNode() = 0;
  virtual KivUnicodeString GetNodeName() = 0;
};
KIV_DECLARE_VAR(KivIGENode);
