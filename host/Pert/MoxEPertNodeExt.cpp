#include "MoxEPertNodeExt.h"

#include <cmath>

#include "MoxIPertNode.h"
#include "MoxPertController.h"
#include "MoxPertNodeAccess.h"

KIV_BOA_CODE_EXTENSION(MoxIPertNodeExt, MoxEPertNodeExt, "PhysicalActivity");
static const KivExtensionRegistrar kivBindingControlNode_MoxIPertNodeExt(
    "KivSPPControlNode", IID_MoxIPertNodeExt, "MoxEPertNodeExt", KivExtensionKind::Code,
    &CreateBOAMoxIPertNodeExtMoxEPertNodeExt);

HRESULT MoxEPertNodeExt::GetSuperNodeState(int& state, int flag) {
  KivPertNodeData data;
  if (!MoxPertNodeAccess::Read(GetImpl(), data)) return E_FAIL;
  state = flag == 1 ? MoxPertNodeAccess::EffectiveState(GetImpl(), data) : data.superNodeState;
  return S_OK;
}

bool MoxEPertNodeExt::IsNodeHidden() { return !MoxPertController::IsNodeDrawnAnywhere(GetImpl()); }

HRESULT MoxEPertNodeExt::SetPosition(double x, double y, int flag) {
  if (!std::isfinite(x) || !std::isfinite(y)) return E_INVALIDARG;
  MoxIPertNode_var node(GetImpl());
  if (!node) return E_FAIL;
  if (MoxPertNodeAccess::EffectiveState(GetImpl()) != 1) return node->SetPosition(x, y, flag);
  // Move the anchor (and with it the children) so that the enclosing box is
  // centred on (x, y).
  double cx = 0.0, cy = 0.0, ax = 0.0, ay = 0.0;
  node->GetPosition(cx, cy, 1);
  node->GetPosition(ax, ay, 0);
  return node->SetPosition(ax + (x - cx), ay + (y - cy), 1);
}
