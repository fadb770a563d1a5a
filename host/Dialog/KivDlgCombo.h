#pragma once
// A combo: a list of lines of which one is selected. SetLine with position
// -1 appends; the flag KivDlgLineSelectIfNone (0x40) selects the line when
// nothing is selected yet. ChooseLine is the user's choice and sends the
// combo-select notification.
#include "KivDialog.h"
#include "KivDlgLines.h"

class KivDlgCombo : public KivDialog {
  KIV_CLASS(KivDlgCombo, KivDialog, "Dialog")
 public:
  KivDlgCombo(KivDialog* parent, const KivString& name, KivDlgStyle style = 0)
      : KivDialog(parent, name, style) {}

  int SetLine(const KivUnicodeString& text, int position = -1, int flags = 0) {
    return lines_.SetLine(text, position, flags);
  }
  int GetLineCount() const { return lines_.GetLineCount(); }
  KivUnicodeString GetLine(int index) const { return lines_.GetLine(index); }
  // Removes every line (and the selection).
  void ClearLine() { lines_.ClearLines(); }

  // The selected line's index, or -1.
  int GetSelect() const { return lines_.GetSelect(); }
  // The selected line's text, or the empty text.
  KivUnicodeString GetSelectedLine() const { return lines_.GetLine(GetSelect()); }
  // Program selection; sends the notification only when `notify` and the
  // selection changed. False for an index out of range.
  bool SetSelect(int index, bool notify = false);
  KivNotification* GetComboSelectNotification() {
    return NotificationOf<KivDlgComboSelectNotification>();
  }
  // The user choosing a line by its text; false when it does not exist or
  // the combo is not reachable.
  bool ChooseLine(const KivUnicodeString& text);

 protected:
  ~KivDlgCombo() override = default;

 private:
  KivDlgLines lines_;
};
