#include "KivDlgPushItem.h"

bool KivDlgPushItem::Push() {
  if (!IsReachable()) return false;
  KivBaseUnknown_var keep(this);
  Notify<KivDlgMenuIActivateNotification>();
  return true;
}

void KivDlgContextualMenu::RemoveAllItems() {
  while (GetChildCount() > 0) GetChild(1)->RequestDelayedDestruction();
}
