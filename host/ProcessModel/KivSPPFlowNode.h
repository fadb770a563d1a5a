#pragma once
// The common part of every graph node of a process document: activities and
// their Start and Stop nodes. It keeps the node's precedence links (both
// directions, so that every flow query is linear in what it returns), its
// PERT node data and its model events.
#include <string>
#include <vector>

#include "KivCallback.h"
#include "KivIGENode.h"
#include "KivISPPFlowMgt.h"
#include "KivISPPNodeData.h"
#include "KivIModelObject.h"
#include "KivImplement.h"

class KivProcessDocument;
class KivSPPActivity;

class KivSPPFlowNode : public KivImplement<KivISPPFlowMgt, KivIModelObject, KivIGENode,
                                           KivISPPNodeData, KivIModelEvents> {
  KIV_CLASS(KivSPPFlowNode, KivBaseUnknown, "ProcessModel")
 public:
  KivProcessDocument* Document() const { return document_; }
  KivSPPActivity* Parent() const { return parent_; }
  const std::string& Id() const { return id_; }
  bool IsAttached() const { return document_ != nullptr; }
  virtual bool IsActivity() const = 0;

  const std::vector<KivSPPFlowNode*>& NextNodes() const { return next_; }
  const std::vector<KivSPPFlowNode*>& PreviousNodes() const { return prev_; }
  bool PrecedesDirectly(const KivSPPFlowNode* other) const;
  // Links / unlinks this -> next without notifications (the document sends them).
  bool LinkBefore(KivSPPFlowNode* next);
  bool UnlinkBefore(KivSPPFlowNode* next);
  // Removes every precedence link of this node; returns the former neighbours.
  std::vector<KivSPPFlowNode*> UnlinkAll();

  const KivPertNodeData& NodeData() const { return nodeData_; }
  void SetNodeDataQuietly(const KivPertNodeData& data) {
    if (nodeData_.placed || data.placed) KivTouchPertPlacement();
    nodeData_ = data;
  }
  void SetParent(KivSPPActivity* parent) { parent_ = parent; }
  void SetName(const KivUnicodeString& name) { name_ = name; }
  const KivUnicodeString& Name() const { return name_; }
  // Cuts the node off its document: links dropped, queries answer empty.
  virtual void Detach();
  // Whether anybody listens to this node's model events.
  bool HasListeners() const { return publisher_ && publisher_->CallbackCount() > 0; }

  // KivISPPFlowMgt (precedence part; product links belong to activities)
  HRESULT AddNextLink(KivISPPFlowMgt* next) override;
  KivSPPList PreviousActivities(const KivString& kind) override;
  KivSPPList NextActivities(const KivString& kind) override;
  HRESULT RemoveLink(KivISPPFlowMgt* neighbour) override;
  KivISPPProductIO_var CreateProductInput(KivBaseUnknown*) override { return NULL_var; }
  KivISPPProductIO_var CreateProductOutput(KivBaseUnknown*) override { return NULL_var; }
  HRESULT RemoveProductLink(KivBaseUnknown*) override { return E_FAIL; }
  KivSPPList ProductLinks(const KivString&) override;
  KivSPPList LinksWithItem(KivBaseUnknown*) override;

  // KivIModelObject
  KivUnicodeString ObjectName() override { return name_; }

  // KivIGENode
  KivSPPList GetChildNodes() override;
  KivBaseUnknown_var GetParentNode() override;
  KivUnicodeString GetNodeName() override { return name_; }

  // KivISPPNodeData
  KivPertNodeData GetPertNodeData() override { return nodeData_; }
  HRESULT SetPertNodeData(const KivPertNodeData& data) override;

  // KivIModelEvents (the publisher is made on first use)
  KivEventPublisher* GetNotificationDispatcher() override;
  HRESULT Dispatch(KivNotification* notification) override;

 protected:
  KivSPPFlowNode(KivProcessDocument* document, KivSPPActivity* parent, std::string id,
                 const KivUnicodeString& name);
  ~KivSPPFlowNode() override;

  KivProcessDocument* document_;
  KivSPPActivity* parent_;

 private:
  // A change unit puts every field back as it was (KivDocumentChangeUnit.h).
  friend class KivDocumentChangeUnit;
  static KivSPPList Filtered(const std::vector<KivSPPFlowNode*>& nodes, const KivString& kind);

  std::string id_;
  KivUnicodeString name_;
  std::vector<KivSPPFlowNode*> next_;
  std::vector<KivSPPFlowNode*> prev_;
  KivPertNodeData nodeData_;
  KivVar<KivEventPublisher> publisher_;
};
