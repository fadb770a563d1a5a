#pragma once
// Value types shared by the process model's interfaces.
#include <cstdint>
#include <memory>
#include <variant>

#include "KivList.h"
#include "KivUnicodeString.h"

// A list that a model query creates for its caller, who owns it. An empty
// pointer means the query could not be answered (as opposed to an empty list).
using KivSPPList = std::unique_ptr<KivListValKivBaseUnknown_var>;

// Modification kinds carried by activity notifications (KivSPPActivityNotification).
enum SPPModifyKind : int {
  // The activity's data changed: label, cycle time, user attributes,
  // precedence links, children added or removed, products relocated.
  SPPDataModified = 3,
  // The activity was deleted (father and son are the deleted activity).
  SPPActivityDeleted = 8,
  SPPResourceAssigned = 15,
  SPPResourceUnassigned = 16,
  SPPItemAssigned = 17,
  SPPItemUnassigned = 18,
  // A product input or output link was added or removed (son = the link).
  SPPProductLinkChanged = 29,
  // The activity's outputs were replaced (MoxIBIWItemInfo::ReplaceOutput).
  SPPOutputsReplaced = 39,
};

// The show attribute of a product (its visual properties).
enum KivShowAttribut : int { KivShow = 0, KivNoShow = 1 };

// What the PERT editor stores per graph node (activities, Start and Stop
// nodes): centre position and size in viewer units, the super node state
// (0 plain node, 1 expanded super node, 2 collapsed super node) and whether
// the node has been placed yet (an unplaced node is laid out automatically).
struct KivPertNodeData {
  double x = 0.0;
  double y = 0.0;
  double width = 16.0;
  double height = 8.0;
  int superNodeState = 0;
  bool placed = false;

  friend bool operator==(const KivPertNodeData&, const KivPertNodeData&) = default;
};

// Counts the changes that can move the first free cells of a level: a graph
// node made, reparented or taken out of its level, and any write of a node
// that is or becomes placed. Writes that leave a node unplaced do not count,
// so that a cache of cell assignments survives giving unplaced nodes a
// provisional place. Process-wide: a change in any document counts.
std::uint64_t KivPertPlacementGeneration();
void KivTouchPertPlacement();

// A user-defined attribute value: none, a long integer, a double or a string.
using KivIPDValue = std::variant<std::monostate, long, double, KivUnicodeString>;
