#include "KivDlgEditor.h"

bool KivDlgEditor::Type(const KivUnicodeString& text) {
  if (!IsReachable()) return false;
  KivBaseUnknown_var keep(this);
  text_ = text;
  Notify<KivDlgEditModifyNotification>();
  return true;
}
