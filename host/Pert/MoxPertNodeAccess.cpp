#include "MoxPertNodeAccess.h"

#include <cmath>
#include <set>
#include <string_view>
#include <utility>

#include "KivIGENode.h"
#include "KivIModelObject.h"
#include "KivISPPActivity.h"
#include "KivISPPChildManagement.h"
#include "KivISPPNodeData.h"
#include "MoxPertClientVisuServices.h"

namespace MoxPertNodeAccess {

bool Read(KivBaseUnknown* node, KivPertNodeData& data) {
  KivISPPNodeData_var access(node);
  if (!access) return false;
  data = access->GetPertNodeData();
  return true;
}

HRESULT Write(KivBaseUnknown* node, const KivPertNodeData& data) {
  KivISPPNodeData_var access(node);
  return access ? access->SetPertNodeData(data) : E_FAIL;
}

KivListValKivBaseUnknown_var Children(KivBaseUnknown* node) {
  KivIGENode_var graphNode(node);
  if (!graphNode) return {};
  KivSPPList children = graphNode->GetChildNodes();
  return children ? *children : KivListValKivBaseUnknown_var();
}

KivBaseUnknown_var Parent(KivBaseUnknown* node) {
  KivIGENode_var graphNode(node);
  return graphNode ? graphNode->GetParentNode() : KivBaseUnknown_var();
}

KivBaseUnknown_var RootActivity(KivBaseUnknown* node) {
  KivBaseUnknown_var activity(node);
  if (IsControlNode(node)) activity = Parent(node);
  KivISPPActivity_var asActivity(activity.get());
  if (!asActivity || !asActivity->IsAttached()) return {};
  KivISPPActivity_var root = asActivity->GetRootActivity();
  return KivBaseUnknown_var(root.get());
}

bool HasChildActivities(KivBaseUnknown* node) {
  KivISPPChildManagement_var children(node);
  return children && children->HasChildActivities();
}

bool IsControlNode(KivBaseUnknown* node) {
  return node && std::string_view(node->GetImpl()->GetLateType()) == "KivSPPControlNode";
}

int EffectiveState(KivBaseUnknown* node, const KivPertNodeData& data) {
  if (!HasChildActivities(node)) return 0;
  return data.superNodeState == 1 ? 1 : 2;
}

int EffectiveState(KivBaseUnknown* node) {
  KivPertNodeData data;
  return Read(node, data) ? EffectiveState(node, data) : 0;
}

Kiv2DBoundingBox PlainBox(const KivPertNodeData& data) {
  const double hw = data.width / 2.0;
  const double hh = data.height / 2.0;
  return Kiv2DBoundingBox::FromCorners(
      static_cast<float>(data.x - hw), static_cast<float>(data.y - hh),
      static_cast<float>(data.x + hw), static_cast<float>(data.y + hh));
}

Kiv2DBoundingBox DrawnBox(KivBaseUnknown* node) {
  KivPertNodeData data;
  if (!Read(node, data)) return {};
  Kiv2DBoundingBox box = PlainBox(data);
  if (EffectiveState(node, data) != 1) return box;
  for (const auto& child : Children(node)) box.Extend(DrawnBox(child.get()));
  box.xmin -= kSuperNodeMargin;
  box.xmax += kSuperNodeMargin;
  box.ymin -= kSuperNodeMargin;
  box.ymax += kSuperNodeMargin + kSuperNodeHeader;
  return box;
}

void DisplaceDescendants(KivBaseUnknown* node, double dx, double dy) {
  // Iterative, so that a deep activity tree cannot exhaust the stack.
  KivListValKivBaseUnknown_var pending = Children(node);
  while (!pending.IsEmpty()) {
    KivBaseUnknown_var next = pending[pending.Size()];
    pending.RemovePosition(pending.Size());
    KivPertNodeData data;
    if (Read(next.get(), data)) {
      data.x += dx;
      data.y += dy;
      Write(next.get(), data);
    }
    pending.Append(Children(next.get()));
  }
}

KivUnicodeString Label(KivBaseUnknown* node) {
  if (IsControlNode(node)) return KivUnicodeString(TypeName(node).str());
  KivIGENode_var graphNode(node);
  if (graphNode) return graphNode->GetNodeName();
  KivIModelObject_var named(node);
  return named ? named->ObjectName() : KivUnicodeString();
}

KivString TypeName(KivBaseUnknown* node) {
  KivIModelObject_var named(node);
  if (named) return named->ObjectType();
  KivISPPActivity_var activity(node);
  return activity ? KivString(activity->TypeName().ConvertToUTF8()) : KivString();
}

std::vector<Cell> FirstFreeCells(KivBaseUnknown* parent,
                                 const KivListValKivBaseUnknown_var& children, bool skipPlaced) {
  KivPertNodeData anchor;
  Read(parent, anchor);
  double x = anchor.x;
  double y = anchor.y;
  MoxPertClientVisuServices::CalculateSnapPositionInPert(x, y, 1, {});
  std::set<std::pair<long long, long long>> taken;
  auto key = [](double cx, double cy) {
    return std::make_pair(std::llround(cx * 2.0), std::llround(cy * 2.0));
  };
  if (skipPlaced) {
    for (const auto& child : Children(parent)) {
      KivPertNodeData data;
      if (!Read(child.get(), data) || !data.placed) continue;
      double cx = data.x;
      double cy = data.y;
      if (SUCCEEDED(MoxPertClientVisuServices::CalculateSnapPositionInPert(cx, cy, 1, {})))
        taken.insert(key(cx, cy));
    }
  }
  // The row under the parent's, from the parent's column rightwards: an
  // expanded parent then grows downwards, away from the flow of its level.
  const double row = y - MoxPertClientVisuServices::kGridStep;
  std::vector<Cell> cells;
  cells.reserve(static_cast<std::size_t>(children.Size()));
  double cx = x - MoxPertClientVisuServices::kGridStep;
  for (int i = 1; i <= children.Size(); ++i) {
    do {
      cx += MoxPertClientVisuServices::kGridStep;
    } while (taken.count(key(cx, row)));
    cells.push_back({cx, row});
  }
  return cells;
}

}  // namespace MoxPertNodeAccess
