// The identifiers of the plug-in's own interfaces.
#include "KivInterfaceRegistry.h"
#include "MoxIZitBltCBSubscriber.h"
#include "MoxIZitBltMgr.h"

KIV_DEFINE_IID(MoxIZitBltMgr, "{69A21240-62C8-11D6-80F7-0050040CD0C6}");
KIV_DEFINE_IID(MoxIZitBltCBSubscriber, "{24021498-F566-11D6-B77D-00065BDC7A21}");
