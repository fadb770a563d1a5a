// Identifiers of the PERT editor's interfaces.
#include "KivInterfaceRegistry.h"
#include "MoxIGE0Config.h"
#include "MoxIPertNode.h"
#include "MoxIPertNodeExt.h"
#include "MoxIPertPosition.h"
#include "MoxIPertWindow.h"

KIV_DEFINE_IID(MoxIPertNode, "{5B2E7A10-3C41-4F8E-9A61-0D7C2E4B1A01}");
KIV_DEFINE_IID(MoxIPertNodeExt, "{5B2E7A10-3C41-4F8E-9A61-0D7C2E4B1A02}");
KIV_DEFINE_IID(MoxIPertPosition, "{5B2E7A10-3C41-4F8E-9A61-0D7C2E4B1A03}");
KIV_DEFINE_IID(MoxIPertWindow, "{5B2E7A10-3C41-4F8E-9A61-0D7C2E4B1A04}");
KIV_DEFINE_IID(MoxIGE0Config, "{5B2E7A10-3C41-4F8E-9A61-0D7C2E4B1A05}");
