#pragma once
// The pointer half of the host's interaction API: what a user does with the
// mouse in a 2D viewer. Each call is one user event, like the calls of
// KivInteraction: it answers whether it succeeded with a message, and the
// delayed destructions run after it.
//
//   click a rep          ClickAt / ClickRep: the activation of the manipulator
//                        of the topmost rep under the point;
//   drag it              Drag / DragRep: a press, steps (the manipulator moves
//                        its axis along its direction) and a release;
//   context menu         OpenContextMenu, then ChooseMenuItem;
//   move a PERT node     MovePertNode: a drag of the node's box, which stores
//                        the snapped place and sends the node notifications.
#include <string>
#include <vector>

#include "Kiv2DRep.h"
#include "KivDlgPushItem.h"
#include "KivInteraction.h"
#include "KivViewer.h"

class MoxPertController;

class KivPertInteraction {
 public:
  // The viewer and controller of the current window when it answers
  // MoxIPertWindow; null otherwise.
  static KivViewer* GetCurrentViewer();
  static MoxPertController* GetCurrentController();

  static KivStepResult ClickAt(KivViewer* viewer, float x, float y);
  // Clicks the centre of the rep's box (the rep must be in the viewer's
  // scene; what is topmost there receives the click, as for a user).
  static KivStepResult ClickRep(KivViewer* viewer, Kiv2DRep* rep);

  // Presses at `from`, moves through every point of `path` and releases at
  // its last point. The message gives the manipulator's axis origin before
  // the release.
  static KivStepResult Drag(KivViewer* viewer, const KivMathPoint2Df& from,
                            const std::vector<KivMathPoint2Df>& path);
  // Drags from the centre of the rep's box by `by`, in `steps` equal steps.
  static KivStepResult DragRep(KivViewer* viewer, Kiv2DRep* rep, const KivMathVector2Df& by,
                               int steps = 4);

  // Opens a contextual menu at the point: the manipulator under it and the
  // viewer's listeners fill it. It stays open until an item is chosen or it
  // is closed; opening another closes it.
  static KivStepResult OpenContextMenu(KivViewer* viewer, float x, float y);
  static KivDlgContextualMenu* GetOpenContextMenu();
  // The names of the open menu's items, in order.
  static std::vector<KivString> GetMenuItemNames();
  // Activates the item of the open menu with that name, then closes it.
  static KivStepResult ChooseMenuItem(const KivString& itemName);
  static KivStepResult CloseContextMenu();

  // Drags the node's box so that its centre goes to (x, y), in `steps` equal
  // steps; the controller snaps it to the grid.
  static KivStepResult MovePertNode(MoxPertController* controller, const KivBaseUnknown_var& node,
                                    double x, double y, int steps = 4);
  // The same in the current PERT window, the node given by identifier or name.
  static KivStepResult MovePertNode(const std::string& idOrName, double x, double y);
};
