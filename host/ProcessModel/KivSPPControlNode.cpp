#include "KivSPPControlNode.h"

#include "KivSPPActivity.h"

KivSPPControlNode::KivSPPControlNode(KivProcessDocument* document, KivSPPActivity* owner,
                                     std::string id, Role role)
    : KivSPPFlowNode(document, owner, std::move(id), role == Role::Start ? "Start" : "Stop"),
      role_(role) {}

KivBaseUnknown_var KivSPPControlNode::GetOwner() {
  return KivBaseUnknown_var(static_cast<KivSPPFlowNode*>(Parent()));
}
