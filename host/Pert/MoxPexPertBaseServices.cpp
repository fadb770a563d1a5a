#include "MoxPexPertBaseServices.h"

#include <cstdint>
#include <unordered_map>

#include "MoxIPertNode.h"
#include "MoxPertNodeAccess.h"

namespace {

// The first cells of the unplaced children of one level, by child. A client
// gives the children their cells one call at a time; working them out once
// per level keeps that linear. Valid while no placement changed anywhere
// (KivPertPlacementGeneration) and the level's anchor stays where it was.
struct LevelCells {
  KivBaseUnknown* parent = nullptr;
  std::uint64_t generation = 0;
  double anchorX = 0.0;
  double anchorY = 0.0;
  std::unordered_map<KivBaseUnknown*, MoxPertNodeAccess::Cell> cells;
};

LevelCells& Cached() {
  static LevelCells cache;
  return cache;
}

const LevelCells& CellsOfLevel(KivBaseUnknown* parent) {
  LevelCells& cache = Cached();
  KivPertNodeData anchor;
  MoxPertNodeAccess::Read(parent, anchor);
  if (cache.parent == parent && cache.generation == KivPertPlacementGeneration() &&
      cache.anchorX == anchor.x && cache.anchorY == anchor.y)
    return cache;
  cache = LevelCells{parent, KivPertPlacementGeneration(), anchor.x, anchor.y, {}};
  // Each unplaced child takes the cell that its rank among the unplaced
  // children gives it, so that they never share a cell.
  KivListValKivBaseUnknown_var unplaced;
  for (const auto& child : MoxPertNodeAccess::Children(parent)) {
    KivPertNodeData data;
    if (MoxPertNodeAccess::Read(child.get(), data) && !data.placed) unplaced.Append(child);
  }
  const auto cells = MoxPertNodeAccess::FirstFreeCells(parent, unplaced, true);
  cache.cells.reserve(cells.size());
  for (int i = 1; i <= unplaced.Size(); ++i)
    cache.cells.emplace(KivIdentity(unplaced[i].get()), cells[static_cast<std::size_t>(i - 1)]);
  return cache;
}

}  // namespace

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
  double x = data.x;  // a root keeps its own cell
  double y = data.y;
  if (KivBaseUnknown_var parent = MoxPertNodeAccess::Parent(node.get())) {
    const LevelCells& level = CellsOfLevel(KivIdentity(parent.get()));
    const auto it = level.cells.find(KivIdentity(node.get()));
    if (it != level.cells.end()) {
      x = it->second.x;
      y = it->second.y;
    }
  }
  MoxIPertNode_var pertNode(node.get());
  // Flag 0: the node gets a place to be drawn at but still counts as not
  // placed, so that a layout will place it. That write leaves the cache valid.
  return pertNode ? pertNode->SetPosition(x, y, 0) : E_FAIL;
}
