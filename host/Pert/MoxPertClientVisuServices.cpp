#include "MoxPertClientVisuServices.h"

#include <cmath>

#include "KivViewer.h"
#include "MoxIPertNode.h"
#include "MoxPertGrid.h"
#include "MoxPertNodeAccess.h"

namespace {
int gViewerName = 0;

double SnapToCellCentre(double c) {
  const double step = MoxPertClientVisuServices::kGridStep;
  return step * std::floor(c / step) + step / 2.0;
}

double SnapToGridLine(double c) {
  const double step = MoxPertClientVisuServices::kGridStep;
  return step * std::round(c / step);
}
}  // namespace

MoxPertGrid* MoxPertClientVisuServices::CreateGrid(KivViewer* viewer) {
  if (!viewer) return nullptr;
  if (MoxPertGrid* existing = GetGrid(viewer)) return existing;
  // The grid goes beneath what the scene holds already: it is drawn first.
  auto grid = KivMake<MoxPertGrid>();
  viewer->GetRootBag()->InsertChild(1, grid);
  grid->Fit(viewer->GetSceneBounds());
  return grid.get();
}

MoxPertGrid* MoxPertClientVisuServices::GetGrid(KivViewer* viewer) {
  if (!viewer) return nullptr;
  // The grid is a child of the viewer's own scene; the scene holds few
  // children (the grid and the charts), so looking is cheap.
  for (const auto& child : viewer->GetRootBag()->GetChildren())
    if (auto* grid = dynamic_cast<MoxPertGrid*>(child.get())) return grid;
  return nullptr;
}

void MoxPertClientVisuServices::UpdateGrid(KivViewer* viewer) {
  MoxPertGrid* grid = viewer ? GetGrid(viewer) : nullptr;
  if (!grid) return;
  Kiv2DBoundingBox box;
  for (const auto& child : viewer->GetRootBag()->GetChildren())
    if (child.get() != grid) box.Extend(child->GetBoundingElement());
  grid->Fit(box);
}

void MoxPertClientVisuServices::ExtendGrid(KivViewer* viewer, const Kiv2DBoundingBox& box) {
  if (MoxPertGrid* grid = viewer ? GetGrid(viewer) : nullptr) grid->Extend(box);
}

HRESULT MoxPertClientVisuServices::CalculateSnapPositionInPert(double& x, double& y, int index,
                                                               const KivBaseUnknown_var&) {
  if (!std::isfinite(x) || !std::isfinite(y)) return E_INVALIDARG;
  switch (index) {
    case kSnapToCellCentre:
      x = SnapToCellCentre(x);
      y = SnapToCellCentre(y);
      return S_OK;
    case kSnapToGridLine:
      x = SnapToGridLine(x);
      y = SnapToGridLine(y);
      return S_OK;
    default:
      return E_INVALIDARG;
  }
}

void MoxPertClientVisuServices::SetViewerName(int value) { gViewerName = value; }

int MoxPertClientVisuServices::GetViewerName() { return gViewerName; }

HRESULT MoxPertClientVisuServices::SetChildPertPositions(const KivBaseUnknown_var& node, int flag) {
  KivPertNodeData parentData;
  if (!node || !MoxPertNodeAccess::Read(node.get(), parentData)) return E_FAIL;
  KivListValKivBaseUnknown_var toPlace;
  for (const auto& child : MoxPertNodeAccess::Children(node.get())) {
    KivPertNodeData data;
    if (MoxPertNodeAccess::Read(child.get(), data) && (flag != 1 || !data.placed))
      toPlace.Append(child);
  }
  if (toPlace.IsEmpty()) return S_FALSE;
  const auto cells = MoxPertNodeAccess::FirstFreeCells(node.get(), toPlace, flag == 1);
  for (int i = 1; i <= toPlace.Size(); ++i) {
    MoxIPertNode_var child(toPlace[i].get());
    const auto& cell = cells[static_cast<std::size_t>(i - 1)];
    // Flag 1 on the node: it counts as placed; its own children follow it.
    if (child) child->SetPosition(cell.x, cell.y, 1);
  }
  return S_OK;
}
