// Identifiers of the PERT editor's interfaces.
#include "KivInterfaceRegistry.h"
#include "MoxIGE0Config.h"
#include "MoxIPertNode.h"
#include "MoxIPertNodeExt.h"
#include "MoxIPertPosition.h"
#include "MoxIPertWindow.h"

KIV_REGISTER_INTERFACE_NAME(MoxIPertNode);
KIV_REGISTER_INTERFACE_NAME(MoxIPertNodeExt);
KIV_REGISTER_INTERFACE_NAME(MoxIPertPosition);
KIV_REGISTER_INTERFACE_NAME(MoxIPertWindow);
KIV_REGISTER_INTERFACE_NAME(MoxIGE0Config);
