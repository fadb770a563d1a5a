#pragma once
// The notifications that dialogs and widgets send to their father. A widget
// hands out one instance per kind (GetDiaOKNotification(), ...), used to name
// the kind when subscribing: AcceptOnNotify(dialog, dialog->GetDiaOKNotification()).
#include "KivNotification.h"

class KivDlgNotification : public KivNotification {
  KIV_CLASS(KivDlgNotification, KivNotification, "Dialog")
};

#define KIV_DLG_NOTIFICATION(Name)                \
  class Name : public KivDlgNotification {        \
    KIV_CLASS(Name, KivDlgNotification, "Dialog") \
  };

KIV_DLG_NOTIFICATION(KivDlgDiaOKNotification)
KIV_DLG_NOTIFICATION(KivDlgDiaCANCELNotification)
KIV_DLG_NOTIFICATION(KivDlgWindCloseNotification)
KIV_DLG_NOTIFICATION(KivDlgEditModifyNotification)
KIV_DLG_NOTIFICATION(KivDlgComboSelectNotification)
KIV_DLG_NOTIFICATION(KivDlgChkBModifyNotification)
KIV_DLG_NOTIFICATION(KivDlgListSelectNotification)
KIV_DLG_NOTIFICATION(KivDlgMenuIActivateNotification)
KIV_DLG_NOTIFICATION(KivDlgPushBActivateNotification)

#undef KIV_DLG_NOTIFICATION
