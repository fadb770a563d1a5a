#pragma once
// The Start or Stop node of an activity: a graph node of the activity's level
// that can be linked by precedence links but is not an activity.
#include "KivSPPFlowNode.h"

class KivSPPControlNode : public KivSPPFlowNode {
  KIV_CLASS(KivSPPControlNode, KivSPPFlowNode, "ProcessModel")
 public:
  enum class Role { Start, Stop };
  // `owner` is the activity whose Start or Stop node this is.
  KivSPPControlNode(KivProcessDocument* document, KivSPPActivity* owner, std::string id, Role role);

  Role GetRole() const { return role_; }
  bool IsActivity() const override { return false; }

  // KivIModelObject
  KivString ObjectType() override { return role_ == Role::Start ? "Start" : "Stop"; }
  KivBaseUnknown_var GetOwner() override;

 protected:
  ~KivSPPControlNode() override = default;

 private:
  Role role_;
};
