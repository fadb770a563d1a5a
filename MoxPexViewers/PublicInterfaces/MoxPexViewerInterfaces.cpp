// The identifiers of the plug-in's own interfaces.
#include "KivInterfaceRegistry.h"
#include "MoxIListZitBltItem.h"
#include "MoxIListZitBltItemDD.h"
#include "MoxIListZitBltItemState.h"
#include "MoxIZitBltCBSubscriber.h"
#include "MoxIZitBltMgr.h"

KIV_REGISTER_INTERFACE_NAME(MoxIZitBltMgr);
KIV_REGISTER_INTERFACE_NAME(MoxIZitBltCBSubscriber);
KIV_REGISTER_INTERFACE_NAME(MoxIListZitBltItem);
KIV_REGISTER_INTERFACE_NAME(MoxIListZitBltItemState);
KIV_REGISTER_INTERFACE_NAME(MoxIListZitBltItemDD);
