#include "KivSPPLinkServices.h"

#include "KivSPPFlowNode.h"

int KivSPPLinkServices::AreAllreadyLinked(KivISPPFlowMgt* from, KivISPPFlowMgt* to) {
  auto* source = from ? dynamic_cast<KivSPPFlowNode*>(from->GetImpl()) : nullptr;
  auto* target = to ? dynamic_cast<KivSPPFlowNode*>(to->GetImpl()) : nullptr;
  if (!source || !target || !source->IsAttached()) return 0;
  return source->PrecedesDirectly(target) ? 0 : 1;
}
