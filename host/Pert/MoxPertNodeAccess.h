#pragma once
// Reading and writing the PERT data that the process document keeps per
// graph node, and the geometry derived from it. Internal to the editor.
#include <vector>

#include "Kiv2DBoundingBox.h"
#include "KivList.h"
#include "KivProcessModelTypes.h"
#include "KivString.h"
#include "KivUnicodeString.h"
#include "KivVar.h"

namespace MoxPertNodeAccess {

// Room kept around the children inside an expanded super node, and the band
// at its top that holds its label.
inline constexpr float kSuperNodeMargin = 2.0f;
inline constexpr float kSuperNodeHeader = 3.0f;

// False when the object is not a graph node with PERT data.
bool Read(KivBaseUnknown* node, KivPertNodeData& data);
HRESULT Write(KivBaseUnknown* node, const KivPertNodeData& data);

// The child graph nodes (Start and Stop included), in child order.
KivListValKivBaseUnknown_var Children(KivBaseUnknown* node);
// The node whose level shows this node; empty for a root.
KivBaseUnknown_var Parent(KivBaseUnknown* node);
// The document's root activity above the node (the root itself for a root).
KivBaseUnknown_var RootActivity(KivBaseUnknown* node);
bool HasChildActivities(KivBaseUnknown* node);
bool IsControlNode(KivBaseUnknown* node);

// 0 plain node, 1 expanded, 2 collapsed: a node without child activities is
// plain whatever is stored; a super node stored as plain counts as collapsed.
int EffectiveState(KivBaseUnknown* node, const KivPertNodeData& data);
int EffectiveState(KivBaseUnknown* node);

// The node's plain box around its anchor.
Kiv2DBoundingBox PlainBox(const KivPertNodeData& data);
// The box as drawn: an expanded super node encloses its children's drawn
// boxes, its own plain box and its label band. Empty for a non-node.
Kiv2DBoundingBox DrawnBox(KivBaseUnknown* node);

// Moves every descendant of the node by (dx, dy).
void DisplaceDescendants(KivBaseUnknown* node, double dx, double dy);

// The text drawn in the node: the activity's name, "Start" or "Stop".
KivUnicodeString Label(KivBaseUnknown* node);
// The activity type ("BIWActivityStation", ...), "Start"/"Stop" for control
// nodes.
KivString TypeName(KivBaseUnknown* node);

// First places for children of `parent`: grid cell centres on the row under
// the parent's anchor, going right from the parent's column, skipping
// the cells that placed children hold when `skipPlaced`. Returns one cell
// per entry of `children`, in order.
struct Cell {
  double x;
  double y;
};
std::vector<Cell> FirstFreeCells(KivBaseUnknown* parent,
                                 const KivListValKivBaseUnknown_var& children, bool skipPlaced);

}  // namespace MoxPertNodeAccess
