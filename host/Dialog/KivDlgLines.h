#pragma once
// The lines of a combo or a selector list and which of them are selected.
// Lines are numbered from 0. A line appended with KivDlgLineSelectIfNone
// becomes the selection when nothing is selected yet.
#include <vector>

#include "KivUnicodeString.h"

inline constexpr int KivDlgLineSelectIfNone = 0x40;

class KivDlgLines {
 public:
  // position -1 appends; otherwise the line at `position` (0..count) is
  // replaced, or appended when position == count. Returns the line's index,
  // or -1 for a position out of range.
  int SetLine(const KivUnicodeString& text, int position, int flags);
  int GetLineCount() const { return static_cast<int>(lines_.size()); }
  // The text of line `index`, or an empty text out of range.
  KivUnicodeString GetLine(int index) const;
  // Index of the first line with that text, or -1.
  int FindLine(const KivUnicodeString& text) const;
  // Removes every line and the selection.
  void ClearLines();

  // Selection (indices in ascending order). Out-of-range indices are refused.
  bool Select(int index, bool multiple);
  bool Deselect(int index);
  void ClearSelection() { selected_.clear(); }
  // The first selected line, or -1.
  int GetSelect() const { return selected_.empty() ? -1 : selected_.front(); }
  const std::vector<int>& GetSelection() const { return selected_; }

 private:
  std::vector<KivUnicodeString> lines_;
  std::vector<int> selected_;
};
