#pragma once
// An activity of a process document (late type "PhysicalActivity"; its type
// name is data). It owns its child activities, its Start and Stop nodes and its
// product links, and keeps its assigned items and resources. Every interface
// operation that changes the model goes through the document, which sends
// the notifications.
#include <utility>
#include <vector>

#include "KivIIPDAttributeMgt.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPActivity.h"
#include "KivISPPActivityModificationEvents.h"
#include "KivISPPActivityRoot.h"
#include "KivISPPChildManagement.h"
#include "KivISPPItemMgt.h"
#include "KivISPPResourceManagement.h"
#include "KivSPPFlowNode.h"
#include "MoxIBIWActivityGrouping.h"
#include "MoxIBIWActivityStation.h"
#include "MoxIBIWItemInfo.h"
#include "MoxIUpdateManufAssly.h"

class KivSPPControlNode;
class KivSPPProductLink;
class KivSPPItemBase;
class KivProduct;

class KivSPPActivity
    : public KivExtend<KivSPPFlowNode, KivISPPActivity, KivISPPAbstractActivity,
                       KivISPPChildManagement, KivISPPItemMgt, KivISPPResourceManagement,
                       MoxIBIWItemInfo, KivIIPDAttributeMgt, MoxIBIWActivityStation,
                       MoxIBIWActivityGrouping, KivISPPActivityRoot,
                       KivISPPActivityModificationEvents, MoxIUpdateManufAssly> {
  KIV_CLASS_NAMED_BASE(KivSPPActivity, "PhysicalActivity", "ProcessModel")
 public:
  static constexpr const char* kLateType = "PhysicalActivity";

  KivSPPActivity(KivProcessDocument* document, KivSPPActivity* parent, std::string id,
                 const KivUnicodeString& type, const KivUnicodeString& name);

  const char* GetLateType() const override { return kLateType; }
  bool IsActivity() const override { return true; }
  bool IsRoot() const;
  const KivUnicodeString& Type() const { return type_; }
  bool IsStation() const { return type_ == KivUnicodeString("BIWActivityStation"); }
  bool IsGrouping() const { return type_ == KivUnicodeString("BIWActivityGrouping"); }
  bool HasCycleTime() const { return IsStation() || IsGrouping(); }

  // Owned parts, for the document.
  std::vector<KivVar<KivSPPActivity>>& Children() { return children_; }
  const std::vector<KivVar<KivSPPActivity>>& Children() const { return children_; }
  KivSPPControlNode* StartNode() const { return start_.get(); }
  KivSPPControlNode* StopNode() const { return stop_.get(); }
  void SetControlNodes(KivVar<KivSPPControlNode> start, KivVar<KivSPPControlNode> stop);
  std::vector<KivVar<KivSPPProductLink>>& Links() { return links_; }
  const std::vector<KivVar<KivSPPProductLink>>& Links() const { return links_; }
  std::vector<KivVar<KivSPPItemBase>>& Items() { return items_; }
  const std::vector<KivVar<KivSPPItemBase>>& Items() const { return items_; }
  std::vector<KivVar<KivProduct>>& Resources() { return resources_; }
  const std::vector<KivVar<KivProduct>>& Resources() const { return resources_; }
  double CycleTime() const { return cycleTime_; }
  void SetCycleTimeQuietly(double seconds) { cycleTime_ = seconds; }
  using Attribute = std::pair<KivUnicodeString, KivIPDValue>;
  std::vector<Attribute>& Attributes() { return attributes_; }
  const std::vector<Attribute>& Attributes() const { return attributes_; }
  // True when `ancestor` is this activity or one of its parents.
  bool IsWithin(const KivSPPActivity* ancestor) const;
  void Detach() override;

  // KivISPPActivity
  KivISPPActivity_var ParentActivity() override;
  KivUnicodeString TypeName() override { return type_; }
  KivISPPActivity_var GetRootActivity() override;
  KivBaseUnknown_var GetProcessDocument() override;
  KivBoolean IsAttached() override { return KivSPPFlowNode::IsAttached() ? 1 : 0; }

  // KivISPPAbstractActivity
  KivISPPAbstractActivity_var GetParentActivity() override;
  HRESULT SetActivityLabel(const KivUnicodeString& label) override;
  KivUnicodeString GetActivityLabel() override { return Name(); }
  KivUnicodeString GetActivityType() override { return type_; }

  // KivIModelObject
  KivString ObjectType() override;
  KivBaseUnknown_var GetOwner() override;

  // KivIGENode
  KivSPPList GetChildNodes() override { return ChildActivities(""); }

  // KivISPPFlowMgt (product links)
  KivISPPProductIO_var CreateProductInput(KivBaseUnknown* item) override;
  KivISPPProductIO_var CreateProductOutput(KivBaseUnknown* item) override;
  HRESULT RemoveProductLink(KivBaseUnknown* link) override;
  KivSPPList ProductLinks(const KivString& kind) override;
  KivSPPList LinksWithItem(KivBaseUnknown* item) override;

  // KivISPPChildManagement
  KivISPPActivity_var AddChildActivity(const KivUnicodeString& type) override;
  KivSPPList ChildActivities(const KivString& type) override;
  bool HasChildActivities() override { return !children_.empty(); }
  KivBaseUnknown_var GetStartNode() override;
  KivBaseUnknown_var GetStopNode() override;
  HRESULT RemoveChildActivity(KivBaseUnknown* child) override;

  // KivISPPItemMgt
  KivSPPList ListItems(const KivString& type, int mode) override;
  HRESULT AssignItem(KivBaseUnknown* item, KivBaseUnknown* link, const KivUnicodeString& usage,
                     int notify, int mode) override;
  HRESULT RemoveItem(KivBaseUnknown* item, int count) override;
  KivBoolean IsItemAssigned(KivBaseUnknown* item) override;

  // KivISPPResourceManagement
  HRESULT AssignResource(KivBaseUnknown* resource, int notify, int mode) override;
  HRESULT RemoveResource(KivBaseUnknown* resource, int notify) override;
  KivSPPList AssignedResources(const KivString& type, int mode) override;

  // MoxIBIWItemInfo
  HRESULT GetInputProducts(KivListValKivBaseUnknown_var& out) override;
  HRESULT GetOutputs(KivListValKivBaseUnknown_var& out) override;
  HRESULT GetChildOutputs(KivListValKivBaseUnknown_var& out, int mode) override;
  HRESULT GetPrecedingActivities(KivListValKivBaseUnknown_var& out) override;
  HRESULT ReplaceOutput(KivBaseUnknown* output, KivBaseUnknown* replacement) override;

  // KivIIPDAttributeMgt
  HRESULT GetAttributeValue(const KivUnicodeString& name, KivIPDValue& value) override;
  HRESULT SetAttributeValue(const KivUnicodeString& name, const KivIPDValue& value) override;
  HRESULT ListAttributeNames(KivListValKivUnicodeString& out) override;

  // MoxIBIWActivityStation / MoxIBIWActivityGrouping
  double StationCycleTime() override { return cycleTime_; }
  HRESULT SetStationCycleTime(double seconds) override;
  double GroupCycleTime() override { return cycleTime_; }
  HRESULT SetGroupCycleTime(double seconds) override;

  // KivISPPActivityRoot
  KivBaseUnknown_var GetProcessContainer() override;

  // KivISPPActivityModificationEvents and KivIModelEvents share one publisher.
  KivEventPublisher* GetNotificationDispatcher() override {
    return KivSPPFlowNode::GetNotificationDispatcher();
  }
  HRESULT Dispatch(KivNotification* notification) override {
    return KivSPPFlowNode::Dispatch(notification);
  }

  // MoxIUpdateManufAssly
  HRESULT GetUpdateState(KivBoolean& updating) override;
  HRESULT SetUpdateState(KivBoolean updating) override;

 protected:
  ~KivSPPActivity() override;
  // Station, grouping and root-only interfaces are answered by the activities
  // they belong to only.
  void* FindOwnInterface(const IID& iid) override;

 private:
  // A change unit puts every field back as it was (KivDocumentChangeUnit.h).
  friend class KivDocumentChangeUnit;
  void AppendDescendantOutputs(KivListValKivBaseUnknown_var& out, bool deep) const;
  void CollectItems(KivListValKivBaseUnknown_var& out, const KivString& type, bool deep) const;

  KivUnicodeString type_;
  std::vector<KivVar<KivSPPActivity>> children_;
  KivVar<KivSPPControlNode> start_;
  KivVar<KivSPPControlNode> stop_;
  std::vector<KivVar<KivSPPProductLink>> links_;
  std::vector<KivVar<KivSPPItemBase>> items_;
  std::vector<KivVar<KivProduct>> resources_;
  std::vector<Attribute> attributes_;
  double cycleTime_ = 0.0;
  bool updatingAssemblies_ = false;
};
