#pragma once
// A list of lines where the user selects one line (or several, with a
// multi-selection style). ChooseLine is the user's choice and sends the
// list-select notification.
#include <vector>

#include "KivDialog.h"
#include "KivDlgLines.h"

inline constexpr KivDlgStyle KivDlgListMultiSelect = 0x1;

class KivDlgSelectorList : public KivDialog {
  KIV_CLASS(KivDlgSelectorList, KivDialog, "Dialog")
 public:
  KivDlgSelectorList(KivDialog* parent, const KivString& name, KivDlgStyle style = 0)
      : KivDialog(parent, name, style) {}

  int SetLine(const KivUnicodeString& text, int position = -1, int flags = 0) {
    return lines_.SetLine(text, position, flags);
  }
  int GetLineCount() const { return lines_.GetLineCount(); }
  KivUnicodeString GetLine(int index) const { return lines_.GetLine(index); }
  void ClearLine() { lines_.ClearLines(); }

  // Program selection of one line (replacing the selection unless the list
  // is multi-select); the notification only when `notify`.
  bool SetSelect(int index, bool notify = false);
  void ClearSelect() { lines_.ClearSelection(); }
  int GetSelectCount() const { return static_cast<int>(lines_.GetSelection().size()); }
  // Selected indices, ascending.
  const std::vector<int>& GetSelect() const { return lines_.GetSelection(); }
  // The first selected index, or -1.
  int GetFirstSelect() const { return lines_.GetSelect(); }
  KivNotification* GetListSelectNotification() {
    return NotificationOf<KivDlgListSelectNotification>();
  }
  bool ChooseLine(const KivUnicodeString& text);

 protected:
  ~KivDlgSelectorList() override = default;

 private:
  bool IsMulti() const { return (GetStyle() & KivDlgListMultiSelect) != 0; }
  KivDlgLines lines_;
};
