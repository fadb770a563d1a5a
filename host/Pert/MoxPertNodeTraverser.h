#pragma once
// Expands and collapses the super nodes of one chart. Show/Hide change what
// the chart draws; ChangePertNodeShape stores the super node state in the
// document and redraws the node's box in that shape. The node given last to
// Show/HideChildrenNodes is the current node that ChangePertNodeShape(state)
// applies to.
#include "KivImplement.h"
#include "KivVar.h"

class MoxPertController;

class MoxPertNodeTraverser : public KivImplement<> {
  KIV_CLASS(MoxPertNodeTraverser, KivBaseUnknown, "Pert")
 public:
  explicit MoxPertNodeTraverser(MoxPertController* controller);

  // Draws the children of the super node inside its box (giving a place to
  // those without one) and sends MoxPertAppInfoNotify (attach) for each.
  HRESULT ShowChildrenNodes(const KivBaseUnknown_var& superNode);
  // Takes the super node's descendants off the chart and sends
  // MoxPertAppInfoNotify (remove) for each.
  HRESULT HideChildrenNodes(const KivBaseUnknown_var& superNode);
  // state 1 (expanded) or 2 (collapsed); E_INVALIDARG otherwise, E_FAIL
  // without a current node.
  HRESULT ChangePertNodeShape(int state);
  HRESULT ChangePertNodeShape(const KivBaseUnknown_var& node, int state);

  const KivBaseUnknown_var& GetCurrentNode() const { return current_; }

 protected:
  ~MoxPertNodeTraverser() override;

 private:
  KivVar<MoxPertController> controller_;
  KivBaseUnknown_var current_;
};
