#include "KivDlgLines.h"

#include <algorithm>

int KivDlgLines::SetLine(const KivUnicodeString& text, int position, int flags) {
  const int count = GetLineCount();
  int index = position;
  if (position == -1 || position == count) {
    lines_.push_back(text);
    index = count;
  } else if (position >= 0 && position < count) {
    lines_[static_cast<std::size_t>(position)] = text;
  } else {
    return -1;
  }
  if ((flags & KivDlgLineSelectIfNone) && selected_.empty()) selected_.push_back(index);
  return index;
}

KivUnicodeString KivDlgLines::GetLine(int index) const {
  if (index < 0 || index >= GetLineCount()) return {};
  return lines_[static_cast<std::size_t>(index)];
}

int KivDlgLines::FindLine(const KivUnicodeString& text) const {
  auto it = std::find(lines_.begin(), lines_.end(), text);
  return it == lines_.end() ? -1 : static_cast<int>(it - lines_.begin());
}

void KivDlgLines::ClearLines() {
  lines_.clear();
  selected_.clear();
}

bool KivDlgLines::Select(int index, bool multiple) {
  if (index < 0 || index >= GetLineCount()) return false;
  if (!multiple) selected_.clear();
  if (std::find(selected_.begin(), selected_.end(), index) == selected_.end()) {
    selected_.push_back(index);
    std::sort(selected_.begin(), selected_.end());
  }
  return true;
}

bool KivDlgLines::Deselect(int index) { return std::erase(selected_, index) > 0; }
