#include "KivDlgCombo.h"

bool KivDlgCombo::SetSelect(int index, bool notify) {
  const int before = lines_.GetSelect();
  if (!lines_.Select(index, false)) return false;
  if (notify && before != index) {
    KivBaseUnknown_var keep(this);
    Notify<KivDlgComboSelectNotification>();
  }
  return true;
}

bool KivDlgCombo::ChooseLine(const KivUnicodeString& text) {
  if (!IsReachable()) return false;
  const int index = lines_.FindLine(text);
  if (index < 0) return false;
  KivBaseUnknown_var keep(this);
  lines_.Select(index, false);
  Notify<KivDlgComboSelectNotification>();
  return true;
}
