// The identifiers of the plug-in's own interfaces.
#include "KivInterfaceRegistry.h"
#include "MoxIListZitBltItem.h"
#include "MoxIListZitBltItemState.h"
#include "MoxIScrollListZitBlt.h"
#include "MoxIScrollListZitBltItemVisu.h"
#include "MoxIZitBltCBSubscriber.h"
#include "MoxIZitBltMgr.h"

KIV_DEFINE_IID(MoxIZitBltMgr, "{69A21240-62C8-11D6-80F7-0050040CD0C6}");
KIV_DEFINE_IID(MoxIZitBltCBSubscriber, "{24021498-F566-11D6-B77D-00065BDC7A21}");
KIV_DEFINE_IID(MoxIListZitBltItem, "{BC0CB1DE-BE3A-11D6-B770-00065BDC7A21}");
KIV_DEFINE_IID(MoxIListZitBltItemState, "{1D49381A-105D-43F2-A577-B6E53ACC3E51}");
KIV_DEFINE_IID_BY_NAME(MoxIScrollListZitBltItemVisu);
KIV_DEFINE_IID_BY_NAME(MoxIScrollListZitBlt);
