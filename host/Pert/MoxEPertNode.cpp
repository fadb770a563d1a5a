#include "MoxEPertNode.h"

#include <cmath>

#include "MoxPertController.h"
#include "MoxPertNodeAccess.h"

namespace {
// Activities and their Start and Stop nodes are the graph nodes.
constexpr const char* kControlNodeType = "KivSPPControlNode";
}  // namespace

KIV_BOA_CODE_EXTENSION(MoxIPertNode, MoxEPertNode, "PhysicalActivity");
KIV_BOA_CODE_EXTENSION(MoxIPertPosition, MoxEPertNode, "PhysicalActivity");
static const KivExtensionRegistrar kivBindingControlNode_MoxIPertNode(
    kControlNodeType, IID_MoxIPertNode, "MoxEPertNode", KivExtensionKind::Code,
    &CreateBOAMoxIPertNodeMoxEPertNode);
static const KivExtensionRegistrar kivBindingControlNode_MoxIPertPosition(
    kControlNodeType, IID_MoxIPertPosition, "MoxEPertNode", KivExtensionKind::Code,
    &CreateBOAMoxIPertPositionMoxEPertNode);

HRESULT MoxEPertNode::GetPosition(double& x, double& y, int flag) {
  KivPertNodeData data;
  if (!MoxPertNodeAccess::Read(GetImpl(), data)) return E_FAIL;
  if (flag == 1 && MoxPertNodeAccess::EffectiveState(GetImpl(), data) == 1) {
    const Kiv2DBoundingBox box = MoxPertNodeAccess::DrawnBox(GetImpl());
    x = (static_cast<double>(box.xmin) + box.xmax) / 2.0;
    y = (static_cast<double>(box.ymin) + box.ymax) / 2.0;
    return S_OK;
  }
  x = data.x;
  y = data.y;
  return S_OK;
}

HRESULT MoxEPertNode::SetPosition(double x, double y, int flag) {
  if (!std::isfinite(x) || !std::isfinite(y)) return E_INVALIDARG;
  KivBaseUnknown* node = GetImpl();
  KivPertNodeData data;
  if (!MoxPertNodeAccess::Read(node, data)) return E_FAIL;
  const double dx = x - data.x;
  const double dy = y - data.y;
  data.x = x;
  data.y = y;
  if (flag == 1) data.placed = true;
  const HRESULT hr = MoxPertNodeAccess::Write(node, data);
  if (FAILED(hr)) return hr;
  if (flag == 1 && (dx != 0.0 || dy != 0.0)) MoxPertNodeAccess::DisplaceDescendants(node, dx, dy);
  MoxPertController::RefreshEverywhere(node, 1);
  return S_OK;
}

HRESULT MoxEPertNode::GetSize(double& width, double& height, int flag) {
  KivPertNodeData data;
  if (!MoxPertNodeAccess::Read(GetImpl(), data)) return E_FAIL;
  if (flag == 1 && MoxPertNodeAccess::EffectiveState(GetImpl(), data) == 1) {
    const Kiv2DBoundingBox box = MoxPertNodeAccess::DrawnBox(GetImpl());
    width = box.Width();
    height = box.Height();
    return S_OK;
  }
  width = data.width;
  height = data.height;
  return S_OK;
}

KivBaseUnknown_var MoxEPertNode::GetPertPositionOwner() {
  return MoxPertNodeAccess::RootActivity(GetImpl());
}

HRESULT MoxEPertNode::GetPertPosition(double& x, double& y) { return GetPosition(x, y, 0); }

HRESULT MoxEPertNode::SetPertPosition(double x, double y) { return SetPosition(x, y, 1); }
