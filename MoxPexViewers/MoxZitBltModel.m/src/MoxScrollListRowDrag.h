#pragma once
// Dragging rows of a status button's list onto another activity node. Every
// row of the list is handled by the list's activity manipulator
// "ActivManip". The rows the user selects (the selection paths whose leaf's
// father is one of the list's row drawings) are dragged together: pressing
// one of them moves them all with the pointer, pressing another row moves
// that row alone, and the viewer's cursor says whether the activity under
// the pointer takes every dragged item (8) or not (5). Released over an
// activity that takes them, the items move there (MoxIListZitBltItemDD)
// while the activities' subscribers ignore the document's notifications,
// then the lists of the activities involved, of their ancestors and of the
// activities after them in the flow are rebuilt. Released anywhere else,
// nothing changes and the rows go back to their places.
#include <vector>

#include "KivCallback.h"
#include "KivMathPoint2Df.h"
#include "KivVar.h"
#include "MoxIScrollListZitBltItemVisu.h"

class KivCSO;
class KivCommand;
class KivPathElement;
class KivViewer;
class Kiv2DManipulator;
class MoxBaseScrollListZitBltRep;

class MoxScrollListRowDrag {
 public:
  using Rows = std::vector<MoxIScrollListZitBltItemVisu_var>;
  static constexpr int kCursorRefused = 5;
  static constexpr int kCursorAccepted = 8;

  // Follows the current editor's selection (when there is one).
  explicit MoxScrollListRowDrag(MoxBaseScrollListZitBltRep* list);
  ~MoxScrollListRowDrag();
  MoxScrollListRowDrag(const MoxScrollListRowDrag&) = delete;
  MoxScrollListRowDrag& operator=(const MoxScrollListRowDrag&) = delete;

  Kiv2DManipulator* GetManipulator() const { return manipulator_.get(); }
  // A row drawn in the list: pressing it starts a drag.
  void AddRow(const MoxIScrollListZitBltItemVisu_var& row);
  // A notification of the activity manipulator.
  void OnManipulatorNotification(KivNotification* notification);
  // The list's rows are about to be released: they leave the dragged set
  // and the selection.
  void ForgetRows(const Rows& rows);

 private:
  void OnCSONotif(KivBaseUnknown*, KivNotification* notification, void*);
  void ValidateAddRemElem(KivPathElement* path, bool remove);
  void AddObjectToManip(const MoxIScrollListZitBltItemVisu_var& row);
  void RemoveObjectToManip(const MoxIScrollListZitBltItemVisu_var& row);
  void OnKivManipulate();
  void OnKivEndManipulate();
  Rows RowsToMove(KivViewer* viewer);
  bool TakesEveryItem(const Rows& rows, KivBaseUnknown* source, KivBaseUnknown* target);
  void Drop(const Rows& rows, KivBaseUnknown* source, KivBaseUnknown* target);
  void PutRowsBack(KivBaseUnknown* source);
  void EndDrag();

  MoxBaseScrollListZitBltRep* list_;
  KivVar<Kiv2DManipulator> manipulator_;
  KivVar<KivCSO> selection_;
  KivCallbackId selectionCallback_ = kKivNoCallback;
  // The selected rows, and those the drag under way moves.
  Rows dragged_;
  Rows moving_;
  bool dragging_ = false;
  bool dropAllowed_ = false;
  KivBaseUnknown_var target_;
  KivMathPoint2Df dragOrigin_;
  int cursorBefore_ = 0;
};
