#pragma once
// Menus: a contextual menu holds push items; the user activating an item
// sends its menu-activate notification to the item's father (set with
// SetFather to the command that handles it, the menu otherwise).
#include "KivDialog.h"

class KivDlgPushItem : public KivDialog {
  KIV_CLASS(KivDlgPushItem, KivDialog, "Dialog")
 public:
  KivDlgPushItem(KivDialog* parent, const KivString& name, KivDlgStyle style = 0)
      : KivDialog(parent, name, style) {}

  KivNotification* GetMenuIActivateNotification() {
    return NotificationOf<KivDlgMenuIActivateNotification>();
  }
  // The user activating the item; false when not reachable.
  bool Push();

 protected:
  ~KivDlgPushItem() override = default;
};

class KivDlgContextualMenu : public KivDialog {
  KIV_CLASS(KivDlgContextualMenu, KivDialog, "Dialog")
 public:
  KivDlgContextualMenu(KivDialog* parent, const KivString& name, KivDlgStyle style = 0)
      : KivDialog(parent, name, style) {}

  // Gives every item up for delayed destruction (they leave the menu now).
  void RemoveAllItems();

 protected:
  ~KivDlgContextualMenu() override = default;
};
