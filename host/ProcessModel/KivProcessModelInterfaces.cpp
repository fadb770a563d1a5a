// Identifiers of the process model interfaces.
#include "KivICompoundContainer.h"
#include "KivIContainer.h"
#include "KivIGENode.h"
#include "KivIIPDAttributeMgt.h"
#include "KivILinkableObject.h"
#include "KivIPointingObjects.h"
#include "KivIProduct.h"
#include "KivIProductInSession.h"
#include "KivIResource.h"
#include "KivIResourceFactory.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPActivity.h"
#include "KivISPPActivityModificationEvents.h"
#include "KivISPPActivityRoot.h"
#include "KivISPPChildManagement.h"
#include "KivISPPFlowMgt.h"
#include "KivISPPItem.h"
#include "KivISPPItemMgt.h"
#include "KivISPPNodeData.h"
#include "KivISPPProcessContainer.h"
#include "KivISPPProductIO.h"
#include "KivISPPResourceManagement.h"
#include "KivISpecObject.h"
#include "KivIVisProperties.h"
#include "KivInit.h"
#include "KivInterfaceRegistry.h"
#include "MoxIBIWActivityGrouping.h"
#include "MoxIBIWActivityStation.h"
#include "MoxIBIWItemInfo.h"
#include "MoxIMfgAssembly.h"
#include "MoxIUpdateManufAssly.h"

KIV_DEFINE_IID_BY_NAME(KivICompoundContainer);
KIV_DEFINE_IID_BY_NAME(KivIContainer);
KIV_DEFINE_IID_BY_NAME(KivIGENode);
KIV_DEFINE_IID_BY_NAME(KivIIPDAttributeMgt);
KIV_DEFINE_IID_BY_NAME(KivILinkableObject);
KIV_DEFINE_IID_BY_NAME(KivIPointingObjects);
KIV_DEFINE_IID_BY_NAME(KivIProduct);
KIV_DEFINE_IID_BY_NAME(KivIProductInSession);
KIV_DEFINE_IID_BY_NAME(KivIResource);
KIV_DEFINE_IID_BY_NAME(KivIResourceFactory);
KIV_DEFINE_IID_BY_NAME(KivISPPAbstractActivity);
KIV_DEFINE_IID_BY_NAME(KivISPPActivity);
KIV_DEFINE_IID_BY_NAME(KivISPPActivityModificationEvents);
KIV_DEFINE_IID_BY_NAME(KivISPPActivityRoot);
KIV_DEFINE_IID_BY_NAME(KivISPPChildManagement);
KIV_DEFINE_IID_BY_NAME(KivISPPFlowMgt);
KIV_DEFINE_IID_BY_NAME(KivISPPItem);
KIV_DEFINE_IID_BY_NAME(KivISPPItemMgt);
KIV_DEFINE_IID_BY_NAME(KivISPPNodeData);
KIV_DEFINE_IID_BY_NAME(KivISPPProcessContainer);
KIV_DEFINE_IID_BY_NAME(KivISPPProductIO);
KIV_DEFINE_IID_BY_NAME(KivISPPResourceManagement);
KIV_DEFINE_IID_BY_NAME(KivISpecObject);
KIV_DEFINE_IID_BY_NAME(KivIVisProperties);
KIV_DEFINE_IID_BY_NAME(KivInit);
KIV_DEFINE_IID_BY_NAME(MoxIBIWActivityGrouping);
KIV_DEFINE_IID_BY_NAME(MoxIBIWActivityStation);
KIV_DEFINE_IID_BY_NAME(MoxIBIWItemInfo);
KIV_DEFINE_IID_BY_NAME(MoxIMfgAssembly);
KIV_DEFINE_IID_BY_NAME(MoxIUpdateManufAssly);
