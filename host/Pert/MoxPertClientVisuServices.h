#pragma once
// Services of the PERT chart for its clients: the grid, snapping to it, the
// client kind ("viewer name") and the first places of child nodes.
//
// The grid has a step of 25 units; its cells have their centres at
// 12.5 + 25k on both axes. A node snaps to the centre of the cell that holds
// its point, so snapping a snapped point changes nothing.
#include "Kiv2DBoundingBox.h"
#include "KivVar.h"

class KivViewer;
class MoxPertGrid;

class MoxPertClientVisuServices {
 public:
  static constexpr double kGridStep = 25.0;
  enum SnapIndex { kSnapToCellCentre = 1, kSnapToGridLine = 2 };

  // Draws the grid beneath everything else in the viewer and returns it (the
  // viewer's scene owns it). A second call on the same viewer returns the
  // grid it already has. The grid follows the chart's extent as nodes are
  // drawn and moved. Null for a null viewer.
  static MoxPertGrid* CreateGrid(KivViewer* viewer);
  static MoxPertGrid* GetGrid(KivViewer* viewer);
  // Fits the viewer's grid (if any) to what is drawn, with one cell to
  // spare on each side; charts call it after taking nodes away.
  static void UpdateGrid(KivViewer* viewer);
  // Grows the viewer's grid (if any) so that it covers `box` as well.
  static void ExtendGrid(KivViewer* viewer, const Kiv2DBoundingBox& box);

  // Snaps (x, y) in place. index 1: to the centre of the cell holding the
  // point; index 2: to the nearest grid line crossing. `node` is the node
  // being placed (may be empty; the grid is the same for every node).
  // E_INVALIDARG (x, y untouched) for another index or a coordinate that is
  // not finite.
  static HRESULT CalculateSnapPositionInPert(double& x, double& y, int index,
                                             const KivBaseUnknown_var& node);

  // The kind of client that uses the PERT services: 0 for the host's own
  // chart, 1 for a plug-in viewer window. Kept for the clients that ask.
  static void SetViewerName(int value);
  static int GetViewerName();
  static void ResetViewerName() { SetViewerName(0); }

  // Gives a place to the child nodes of `node`. flag 1: only the children
  // not placed yet; flag 0: every child. The children go, in child order, to
  // the first free grid cells of the row under the node's anchor (from
  // the node's column rightwards), and count as placed. S_FALSE when nothing needed a place, E_FAIL
  // when `node` is not a graph node.
  static HRESULT SetChildPertPositions(const KivBaseUnknown_var& node, int flag);
};
