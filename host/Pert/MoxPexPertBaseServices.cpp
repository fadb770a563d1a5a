#include "MoxPexPertBaseServices.h"

#include "MoxIPertNode.h"
#include "MoxPertNodeAccess.h"

HRESULT MoxPexPertBaseServices::GetPertExtension(const KivBaseUnknown_var& node, bool& notPlaced) {
  KivPertNodeData data;
  if (!node || !MoxPertNodeAccess::Read(node.get(), data)) return E_FAIL;
  notPlaced = !data.placed;
  return S_OK;
}

HRESULT MoxPexPertBaseServices::InitNodePosition(const KivBaseUnknown_var& node) {
  KivPertNodeData data;
  if (!node || !MoxPertNodeAccess::Read(node.get(), data)) return E_FAIL;
  if (data.placed) return S_FALSE;
  // The node takes the cell that its rank among the unplaced siblings gives
  // it, so that unplaced siblings never share a cell and a second call
  // changes nothing.
  KivBaseUnknown_var parent = MoxPertNodeAccess::Parent(node.get());
  KivListValKivBaseUnknown_var unplaced;
  int rank = 0;
  for (const auto& sibling : MoxPertNodeAccess::Children(parent.get())) {
    KivPertNodeData d;
    if (!MoxPertNodeAccess::Read(sibling.get(), d) || d.placed) continue;
    unplaced.Append(sibling);
    if (KivIdentity(sibling.get()) == KivIdentity(node.get())) rank = unplaced.Size();
  }
  double x = 0.0, y = 0.0;
  if (rank > 0) {
    const auto cells = MoxPertNodeAccess::FirstFreeCells(parent.get(), unplaced, true);
    x = cells[static_cast<std::size_t>(rank - 1)].x;
    y = cells[static_cast<std::size_t>(rank - 1)].y;
  } else {
    // A root: its own cell.
    x = data.x;
    y = data.y;
  }
  MoxIPertNode_var pertNode(node.get());
  // Flag 0: the node gets a place to be drawn at but still counts as not
  // placed, so that a layout will place it.
  return pertNode ? pertNode->SetPosition(x, y, 0) : E_FAIL;
}
