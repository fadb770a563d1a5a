// The identifiers of the plug-in's own interfaces.
#include "KivInterfaceRegistry.h"
#include "MoxIZitBltCBSubscriber.h"
#include "MoxIZitBltMgr.h"

KIV_REGISTER_INTERFACE_NAME(MoxIZitBltMgr);
KIV_REGISTER_INTERFACE_NAME(MoxIZitBltCBSubscriber);
