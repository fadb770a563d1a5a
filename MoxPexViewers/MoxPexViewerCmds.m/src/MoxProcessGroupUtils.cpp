#include "MoxProcessGroupUtils.h"

#include "KivClassRegistry.h"
#include "KivCreationDictionary.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPActivity.h"
#include "KivISPPChildManagement.h"

namespace {
KivBaseUnknown* CreateMoxProcessGroupUtils() { return new MoxProcessGroupUtils(); }
}  // namespace

KIV_DECLARE_CLASS(MoxProcessGroupUtils, "MoxPexViewers");
static const KivCreationRegistrar kMoxProcessGroupUtilsFactory("MoxProcessGroupUtils",
                                                               &CreateMoxProcessGroupUtils,
                                                               "MoxPexViewers");

KivBaseUnknown_var MoxProcessGroupUtils::CreateAfterOperation(
    KivISPPFlowMgt_var anchor, const KivUnicodeString& type,
    KivListValKivBaseUnknown_var takeOver) {
  if (!anchor) return {};
  KivISPPAbstractActivity_var abstract(anchor.get());
  KivISPPActivity_var activity(anchor.get());
  KivISPPActivity_var parent = activity ? activity->ParentActivity() : KivISPPActivity_var();
  KivISPPChildManagement_var children(parent.get());
  if (!abstract || !children) return {};
  KivISPPActivity_var created = children->AddChildActivity(type);
  KivISPPFlowMgt_var flow(created.get());
  if (!flow) return {};
  if (auto next = anchor->NextActivities("Activity")) {
    for (const auto& successor : *next) {
      if (!takeOver.Locate(successor)) continue;
      KivISPPFlowMgt_var successorFlow(successor.get());
      if (!successorFlow || FAILED(anchor->RemoveLink(successorFlow.get())) ||
          FAILED(flow->AddNextLink(successorFlow.get())))
        return {};
    }
  }
  if (FAILED(anchor->AddNextLink(flow.get()))) return {};
  return KivBaseUnknown_var(created.get());
}
