#include "KivDlgEditor.h"

bool KivDlgEditor::Type(const KivUnicodeString& text) {
  if (!IsReachable()) return false;
  KivBaseUnknown_var keep(static_cast<KivBaseUnknown*>(this));
  text_ = text;
  Notify<KivDlgEditModifyNotification>();
  return true;
}
