#include "KivSPPFlowNode.h"

#include <algorithm>

#include "KivProcessDocument.h"
#include "KivSPPActivity.h"
#include "KivSPPItemBase.h"
#include "KivSPPNodeDataNotification.h"

KivSPPFlowNode::KivSPPFlowNode(KivProcessDocument* document, KivSPPActivity* parent, std::string id,
                               const KivUnicodeString& name)
    : document_(document), parent_(parent), id_(std::move(id)), name_(name) {
  KivTouchPertPlacement();
}

KivSPPFlowNode::~KivSPPFlowNode() { KivTouchPertPlacement(); }

namespace {
std::uint64_t gPertPlacementGeneration = 0;
}  // namespace

std::uint64_t KivPertPlacementGeneration() { return gPertPlacementGeneration; }

void KivTouchPertPlacement() { ++gPertPlacementGeneration; }

bool KivSPPFlowNode::PrecedesDirectly(const KivSPPFlowNode* other) const {
  return std::find(next_.begin(), next_.end(), other) != next_.end();
}

bool KivSPPFlowNode::LinkBefore(KivSPPFlowNode* next) {
  if (!next || next == this || PrecedesDirectly(next)) return false;
  next_.push_back(next);
  next->prev_.push_back(this);
  return true;
}

bool KivSPPFlowNode::UnlinkBefore(KivSPPFlowNode* next) {
  if (!next || !KivEraseFirst(next_, next)) return false;
  KivEraseFirst(next->prev_, static_cast<KivSPPFlowNode*>(this));
  return true;
}

std::vector<KivSPPFlowNode*> KivSPPFlowNode::UnlinkAll() {
  std::vector<KivSPPFlowNode*> neighbours;
  for (KivSPPFlowNode* n : next_) {
    KivEraseFirst(n->prev_, static_cast<KivSPPFlowNode*>(this));
    neighbours.push_back(n);
  }
  for (KivSPPFlowNode* p : prev_) {
    KivEraseFirst(p->next_, static_cast<KivSPPFlowNode*>(this));
    if (std::find(neighbours.begin(), neighbours.end(), p) == neighbours.end())
      neighbours.push_back(p);
  }
  next_.clear();
  prev_.clear();
  return neighbours;
}

void KivSPPFlowNode::Detach() {
  UnlinkAll();
  document_ = nullptr;
  parent_ = nullptr;
}

HRESULT KivSPPFlowNode::AddNextLink(KivISPPFlowMgt* next) {
  if (!document_ || !next) return E_FAIL;
  return document_->AddPrecedence(this, next);
}

HRESULT KivSPPFlowNode::RemoveLink(KivISPPFlowMgt* neighbour) {
  if (!document_ || !neighbour) return E_FAIL;
  const HRESULT forward = document_->RemovePrecedence(this, neighbour);
  const HRESULT backward = document_->RemovePrecedence(neighbour, this);
  if (forward == S_OK || backward == S_OK) return S_OK;
  return FAILED(forward) ? forward : S_FALSE;
}

KivSPPList KivSPPFlowNode::Filtered(const std::vector<KivSPPFlowNode*>& nodes,
                                    const KivString& kind) {
  auto list = std::make_unique<KivListValKivBaseUnknown_var>();
  const bool activitiesOnly = kind == "Activity";
  list->Reserve(static_cast<int>(nodes.size()));
  for (KivSPPFlowNode* n : nodes)
    if (!activitiesOnly || n->IsActivity()) list->Append(KivBaseUnknown_var(n));
  return list;
}

KivSPPList KivSPPFlowNode::PreviousActivities(const KivString& kind) {
  return Filtered(prev_, kind);
}

KivSPPList KivSPPFlowNode::NextActivities(const KivString& kind) { return Filtered(next_, kind); }

KivSPPList KivSPPFlowNode::ProductLinks(const KivString&) {
  return std::make_unique<KivListValKivBaseUnknown_var>();
}

KivSPPList KivSPPFlowNode::LinksWithItem(KivBaseUnknown*) {
  return std::make_unique<KivListValKivBaseUnknown_var>();
}

KivSPPList KivSPPFlowNode::GetChildNodes() {
  return std::make_unique<KivListValKivBaseUnknown_var>();
}

KivBaseUnknown_var KivSPPFlowNode::GetParentNode() {
  return KivBaseUnknown_var(static_cast<KivSPPFlowNode*>(parent_));
}

HRESULT KivSPPFlowNode::SetPertNodeData(const KivPertNodeData& data) {
  if (!document_) return E_FAIL;
  return document_->SetPertNodeData(this, data);
}

KivEventPublisher* KivSPPFlowNode::GetNotificationDispatcher() {
  if (!publisher_) publisher_ = KivMake<KivEventPublisher>();
  return publisher_.get();
}

HRESULT KivSPPFlowNode::Dispatch(KivNotification* notification) {
  if (!notification) return E_FAIL;
  if (publisher_) publisher_->Dispatch(notification);
  return S_OK;
}
