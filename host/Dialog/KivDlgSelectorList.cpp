#include "KivDlgSelectorList.h"

bool KivDlgSelectorList::SetSelect(int index, bool notify) {
  if (!lines_.Select(index, IsMulti())) return false;
  if (notify) {
    KivBaseUnknown_var keep(this);
    Notify<KivDlgListSelectNotification>();
  }
  return true;
}

bool KivDlgSelectorList::ChooseLine(const KivUnicodeString& text) {
  if (!IsReachable()) return false;
  const int index = lines_.FindLine(text);
  if (index < 0) return false;
  return SetSelect(index, true);
}
