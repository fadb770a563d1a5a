#pragma once
// The status button that opens a list: beside the button (in its expanded
// bag) one row per item related to the activity, a window of at most
// "range" visible rows and, when the list is longer than that, a scroll bar
// whose thumb the user drags. The list commands fill it (RemoveAllItems,
// AppendItem per item, DrawScrollList); each row is drawn by a row drawing
// (MoxIScrollListZitBltItemVisu) laid out by its index and the button's
// location. Other modules and the host shell read it through
// MoxIScrollListZitBlt.
//
// The rows of a closed list are drawn when it opens: a level of a thousand
// nodes fills thousands of lists that nobody looks at.
//
// Locations fall in two groups for scrolling: lists that grow downwards
// ("leftbottom", "bottomleft", "bottommiddle", "leftmiddle", "rightbottom",
// "bottomright") move their rows up by one step when scrolling forward, the
// others move them down. "leftmiddle" and "rightmiddle" lists have no
// scroll bar: they show their first rows.
#include <memory>
#include <unordered_set>
#include <vector>

#include "MoxIListZitBltItemState.h"
#include "MoxIScrollListZitBlt.h"
#include "MoxScrollListItemVisuFactory.h"
#include "MoxZitBltRep.h"

class MoxScrollListRowDrag;

class MoxBaseScrollListZitBltRep : public KivExtend<MoxZitBltRep, MoxIScrollListZitBlt> {
  KIV_CLASS(MoxBaseScrollListZitBltRep, MoxZitBltRep, "MoxPexViewers")
 public:
  static constexpr float kRowStep = 2.5f;
  static constexpr int kNormalColour = 249;
  static constexpr int kMarkedColour = 247;

  // `owner`: the activity node (not held: it owns the rep through its
  // manager). The range is "ScrollListRange" when that is set, else `range`.
  MoxBaseScrollListZitBltRep(KivBaseUnknown* owner, int range);

  // Builds the button and, for a non-empty list, its rows; an empty list
  // greys the button.
  void BuildRep(KivViewer* viewer) override;
  // Opening draws the rows when they are not drawn yet.
  void ExpandZitBlt() override;
  int AnalyseNotification(KivCommand* sender, KivNotification* notification) override;

  // Adds an item with its assignment state (MoxIListZitBltItemState: 0
  // normal, 1 marked, 2 none) without drawing. Null items, items already
  // listed (the same component through any interface) and items that give
  // no label are left out.
  void AppendItem(const KivBaseUnknown_var& item, int state);
  // Builds the rows and the scroll bar of the present items, places the
  // window and redraws; for a closed list, when it opens.
  void DrawScrollList();
  // Empties the list and its drawing; `grey` non-zero greys the button.
  void RemoveAllItems(unsigned char grey);
  // Rebuilds the whole list at a location.
  void ReFreshZitBltReps(const KivUnicodeString& location);
  void SetScrollRange(int range);
  // Hidden: every row is shown and there is no scroll bar.
  void SetZitbltScrollBarHideState(unsigned char hidden);
  bool IsScrollBarHidden() const { return scrollBarHidden_; }
  bool IsItDuplicate(const KivBaseUnknown_var& item) const;
  bool IsUpward() const { return upward_; }
  KivBaseUnknown* GetOwner() const { return owner_; }
  Kiv2DManipulator* GetScrollManipulator();
  // Whether the row drawing is one of this list's rows.
  bool HoldsRow(const KivBaseUnknown* row) const;

  // MoxIScrollListZitBlt
  int GetRowCount() override { return static_cast<int>(items_.size()); }
  bool GetRow(int row, MoxScrollListRow& out) override;
  int GetFirstVisible() override { return firstVisible_; }
  int GetScrollRange() override { return range_; }
  Kiv2DRep* GetScrollThumb() override { return thumb_.get(); }
  KivMathVector2Df GetThumbDragTo(int first) override;
  int GetRefreshCount() override { return refreshes_; }
  // The list's command is about to fill it again after a change.
  void CountRefresh() { ++refreshes_; }

 protected:
  ~MoxBaseScrollListZitBltRep() override;

 private:
  struct Entry {
    KivBaseUnknown_var item;
    int state;  // as given to AppendItem
  };
  static int ColourOf(const Entry& e) {
    return e.state == MoxIListZitBltItemState::kMarked ? kMarkedColour : kNormalColour;
  }

  void DrawRows();
  void AppendScrollList(const KivBaseUnknown_var& item, int colour);
  void AddListItemRep(Kiv2DBagRep* bag, const KivBaseUnknown_var& item, int index, int colour);
  void ReleaseRows();
  void AddScroller();
  void RemoveScroller();
  // Moves every row's label by `steps` row steps in the list's scrolling
  // direction (forward for positive steps) and shows the window's rows.
  void ShiftRows(int steps);
  void ShowWindow();
  void OnScrollbarManipulate();
  void OnScrollerMoved();
  void OnZitBtnContextMenu(KivNotification* notification);
  void OnButtonMoved();
  // The thumb's manipulator reading: the first visible row it points at.
  float ScrollReading() const;
  void SetScrollReading(float reading);

  std::vector<Entry> items_;
  // The components listed, for constant-time duplicate checks.
  std::unordered_set<const KivBaseUnknown*> listed_;
  std::vector<MoxIScrollListZitBltItemVisu_var> rows_;
  KivVar<Kiv2DManipulator> scrollManipulator_;
  bool upward_ = false;
  bool scrollBarHidden_ = false;
  // The items changed since the rows were drawn.
  bool rowsStale_ = false;
  KivBaseUnknown* owner_;
  int firstVisible_ = 1;
  int range_;
  int previousFirst_ = 1;
  int refreshes_ = 0;
  // Dragging the selected rows onto other activities; made with the first row.
  std::unique_ptr<MoxScrollListRowDrag> rowDrag_;
  KivVar<Kiv2DRep> track_;
  KivVar<Kiv2DRep> thumb_;
};

extern "C" KivBaseUnknown* fctCreateMoxBaseScrollListZitBltRep(KivBaseUnknown* owner);
