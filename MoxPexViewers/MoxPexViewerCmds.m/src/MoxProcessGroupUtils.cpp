#include "MoxProcessGroupUtils.h"

#include "KivClassRegistry.h"
#include "KivCreationDictionary.h"

namespace {
KivBaseUnknown* CreateMoxProcessGroupUtils() { return new MoxProcessGroupUtils(); }
}  // namespace

KIV_DECLARE_CLASS(MoxProcessGroupUtils, "MoxPexViewers");
static const KivCreationRegistrar kMoxProcessGroupUtilsFactory("MoxProcessGroupUtils",
                                                               &CreateMoxProcessGroupUtils,
                                                               "MoxPexViewers");
