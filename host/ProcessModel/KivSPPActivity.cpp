#include "KivSPPActivity.h"

#include <deque>
#include <unordered_set>

#include "KivMfgAssembly.h"
#include "KivProcessDocument.h"
#include "KivProduct.h"
#include "KivSPPControlNode.h"
#include "KivSPPProductLink.h"

KivSPPActivity::KivSPPActivity(KivProcessDocument* document, KivSPPActivity* parent, std::string id,
                               const KivUnicodeString& type, const KivUnicodeString& name)
    : KivExtend(document, parent, std::move(id), name), type_(type) {}

KivSPPActivity::~KivSPPActivity() = default;

bool KivSPPActivity::IsRoot() const { return document_ && document_->RootImpl() == this; }

bool KivSPPActivity::IsWithin(const KivSPPActivity* ancestor) const {
  for (const KivSPPActivity* a = this; a; a = a->Parent())
    if (a == ancestor) return true;
  return false;
}

void KivSPPActivity::SetControlNodes(KivVar<KivSPPControlNode> start,
                                     KivVar<KivSPPControlNode> stop) {
  start_ = std::move(start);
  stop_ = std::move(stop);
}

void KivSPPActivity::Detach() {
  // Owned parts go first; the vectors are moved out so that releasing them
  // never runs while they are walked.
  auto children = std::move(children_);
  for (auto& child : children) child->Detach();
  if (auto start = std::move(start_)) start->Detach();
  if (auto stop = std::move(stop_)) stop->Detach();
  auto links = std::move(links_);
  for (auto& link : links) link->Detach();
  items_.clear();
  resources_.clear();
  attributes_.clear();
  KivSPPFlowNode::Detach();
}

void* KivSPPActivity::FindOwnInterface(const IID& iid) {
  if (iid == IID_MoxIBIWActivityStation && !IsStation()) return nullptr;
  if (iid == IID_MoxIBIWActivityGrouping && !IsGrouping()) return nullptr;
  if ((iid == IID_KivISPPActivityRoot || iid == IID_KivISPPActivityModificationEvents ||
       iid == IID_MoxIUpdateManufAssly) &&
      !IsRoot())
    return nullptr;
  return KivExtend::FindOwnInterface(iid);
}

// ---- KivISPPActivity / KivISPPAbstractActivity ------------------------------

KivISPPActivity_var KivSPPActivity::ParentActivity() { return KivISPPActivity_var(Parent()); }

KivISPPActivity_var KivSPPActivity::GetRootActivity() {
  return document_ ? document_->GetRootActivity() : KivISPPActivity_var();
}

KivBaseUnknown_var KivSPPActivity::GetProcessDocument() { return KivBaseUnknown_var(document_); }

KivISPPAbstractActivity_var KivSPPActivity::GetParentActivity() {
  return KivISPPAbstractActivity_var(Parent());
}

HRESULT KivSPPActivity::SetActivityLabel(const KivUnicodeString& label) {
  if (!document_ || !document_->AdmitChange()) return E_FAIL;
  SetName(label);
  document_->NotifyActivity(this, this, SPPDataModified);
  return S_OK;
}

KivString KivSPPActivity::ObjectType() { return KivString(type_.ConvertToUTF8()); }

KivBaseUnknown_var KivSPPActivity::GetOwner() {
  return document_ ? KivBaseUnknown_var(static_cast<KivSPPFlowNode*>(document_->RootImpl()))
                   : KivBaseUnknown_var();
}

// ---- product links ----------------------------------------------------------

KivISPPProductIO_var KivSPPActivity::CreateProductInput(KivBaseUnknown* item) {
  return document_ ? document_->AddProductInput(this, item) : KivISPPProductIO_var();
}

KivISPPProductIO_var KivSPPActivity::CreateProductOutput(KivBaseUnknown* item) {
  return document_ ? document_->AddProductOutput(this, item) : KivISPPProductIO_var();
}

HRESULT KivSPPActivity::RemoveProductLink(KivBaseUnknown* link) {
  if (!document_) return E_FAIL;
  KivSPPProductLink* impl = document_->LinkOf(link);
  if (!impl || impl->Activity() != this) return E_FAIL;
  return document_->RemoveProductLink(link);
}

KivSPPList KivSPPActivity::ProductLinks(const KivString& kind) {
  auto list = std::make_unique<KivListValKivBaseUnknown_var>();
  const bool inputs = kind == KivSPPProductLink::kInputType;
  const bool outputs = kind == KivSPPProductLink::kOutputType;
  for (auto& link : links_)
    if ((!inputs && !outputs) || link->Input() == inputs) list->Append(KivBaseUnknown_var(link));
  return list;
}

KivSPPList KivSPPActivity::LinksWithItem(KivBaseUnknown* item) {
  auto list = std::make_unique<KivListValKivBaseUnknown_var>();
  KivSPPItemBase* impl = document_ ? document_->ItemOf(item) : nullptr;
  if (impl)
    for (auto& link : links_)
      if (link->Item() == impl) list->Append(KivBaseUnknown_var(link));
  return list;
}

// ---- children ---------------------------------------------------------------

KivISPPActivity_var KivSPPActivity::AddChildActivity(const KivUnicodeString& type) {
  if (!document_ || type == KivUnicodeString("BIWActivityRoot")) return NULL_var;
  return document_->CreateActivity(this, type, type);
}

KivSPPList KivSPPActivity::ChildActivities(const KivString& type) {
  auto list = std::make_unique<KivListValKivBaseUnknown_var>();
  const bool all = type.IsEmpty();
  const bool anyActivity = type == "Activity";
  const KivUnicodeString wanted(all || anyActivity ? std::string() : type.str());
  if (all && start_) list->Append(KivBaseUnknown_var(static_cast<KivSPPFlowNode*>(start_.get())));
  for (auto& child : children_)
    if (all || anyActivity || child->Type() == wanted)
      list->Append(KivBaseUnknown_var(static_cast<KivSPPFlowNode*>(child.get())));
  if (all && stop_) list->Append(KivBaseUnknown_var(static_cast<KivSPPFlowNode*>(stop_.get())));
  return list;
}

KivBaseUnknown_var KivSPPActivity::GetStartNode() {
  return KivBaseUnknown_var(static_cast<KivSPPFlowNode*>(start_.get()));
}

KivBaseUnknown_var KivSPPActivity::GetStopNode() {
  return KivBaseUnknown_var(static_cast<KivSPPFlowNode*>(stop_.get()));
}

HRESULT KivSPPActivity::RemoveChildActivity(KivBaseUnknown* child) {
  if (!document_) return E_FAIL;
  KivSPPActivity* impl = document_->ActivityOf(child);
  if (!impl || impl->Parent() != this) return E_FAIL;
  return document_->DeleteActivities({KivBaseUnknown_var(child)});
}

// ---- items and resources ----------------------------------------------------

void KivSPPActivity::CollectItems(KivListValKivBaseUnknown_var& out, const KivString& type,
                                  bool deep) const {
  const bool any = type == "Item" || type.IsEmpty();
  for (auto& item : items_)
    if (any || item->GetItemType() == type) out.Append(KivBaseUnknown_var(item));
  if (deep)
    for (auto& child : children_) child->CollectItems(out, type, true);
}

KivSPPList KivSPPActivity::ListItems(const KivString& type, int mode) {
  auto list = std::make_unique<KivListValKivBaseUnknown_var>();
  CollectItems(*list, type, mode == 1);
  if (mode == 1) list->RemoveDuplicates();
  return list;
}

HRESULT KivSPPActivity::AssignItem(KivBaseUnknown* item, KivBaseUnknown* link,
                                   const KivUnicodeString&, int, int) {
  if (!document_) return E_FAIL;
  // A link given with the item must be one of ours and bring that item.
  if (link) {
    KivSPPProductLink* linkImpl = document_->LinkOf(link);
    if (!linkImpl || linkImpl->Activity() != this || linkImpl->Item() != document_->ItemOf(item))
      return E_FAIL;
  }
  return document_->AssignItem(this, item);
}

HRESULT KivSPPActivity::RemoveItem(KivBaseUnknown* item, int) {
  return document_ ? document_->UnassignItem(this, item) : E_FAIL;
}

KivBoolean KivSPPActivity::IsItemAssigned(KivBaseUnknown* item) {
  KivSPPItemBase* impl = document_ ? document_->ItemOf(item) : nullptr;
  for (auto& assigned : items_)
    if (assigned.get() == impl) return 1;
  return 0;
}

HRESULT KivSPPActivity::AssignResource(KivBaseUnknown* resource, int, int) {
  return document_ ? document_->AssignResource(this, resource) : E_FAIL;
}

HRESULT KivSPPActivity::RemoveResource(KivBaseUnknown* resource, int) {
  return document_ ? document_->UnassignResource(this, resource) : E_FAIL;
}

KivSPPList KivSPPActivity::AssignedResources(const KivString& type, int) {
  auto list = std::make_unique<KivListValKivBaseUnknown_var>();
  const bool any = type == "Resource" || type.IsEmpty();
  const KivUnicodeString wanted(type.str());
  for (auto& resource : resources_)
    if (any || resource->ResourceType() == wanted) list->Append(KivBaseUnknown_var(resource));
  return list;
}

// ---- body-in-white item information ------------------------------------------

HRESULT KivSPPActivity::GetInputProducts(KivListValKivBaseUnknown_var& out) {
  KivListValKivBaseUnknown_var found;
  for (auto& link : links_)
    if (link->Input() && link->Item()) found.Append(KivBaseUnknown_var(link->Item()));
  found.RemoveDuplicates();
  out.Append(found);
  return S_OK;
}

HRESULT KivSPPActivity::GetOutputs(KivListValKivBaseUnknown_var& out) {
  for (auto& link : links_)
    if (!link->Input()) out.Append(KivBaseUnknown_var(link));
  return S_OK;
}

void KivSPPActivity::AppendDescendantOutputs(KivListValKivBaseUnknown_var& out, bool deep) const {
  for (auto& child : children_) {
    for (auto& link : child->links_)
      if (!link->Input()) out.Append(KivBaseUnknown_var(link));
    if (deep) child->AppendDescendantOutputs(out, true);
  }
}

HRESULT KivSPPActivity::GetChildOutputs(KivListValKivBaseUnknown_var& out, int mode) {
  AppendDescendantOutputs(out, mode != 0);
  return S_OK;
}

HRESULT KivSPPActivity::GetPrecedingActivities(KivListValKivBaseUnknown_var& out) {
  // Breadth first against the flow, each node visited once: cycles end the
  // walk instead of looping, and the nearest predecessors come first.
  std::unordered_set<const KivSPPFlowNode*> seen{this};
  std::deque<const KivSPPFlowNode*> queue{this};
  while (!queue.empty()) {
    const KivSPPFlowNode* node = queue.front();
    queue.pop_front();
    for (KivSPPFlowNode* previous : node->PreviousNodes()) {
      if (!seen.insert(previous).second) continue;
      if (previous->IsActivity()) out.Append(KivBaseUnknown_var(previous));
      queue.push_back(previous);
    }
  }
  return S_OK;
}

HRESULT KivSPPActivity::ReplaceOutput(KivBaseUnknown* output, KivBaseUnknown* replacement) {
  if (!document_) return E_FAIL;
  return document_->ReplaceOutput(this, output, replacement);
}

// ---- user-defined attributes and cycle times ---------------------------------

HRESULT KivSPPActivity::GetAttributeValue(const KivUnicodeString& name, KivIPDValue& value) {
  for (auto& [key, stored] : attributes_)
    if (key == name) {
      value = stored;
      return S_OK;
    }
  return E_FAIL;
}

HRESULT KivSPPActivity::SetAttributeValue(const KivUnicodeString& name, const KivIPDValue& value) {
  return document_ ? document_->SetAttribute(this, name, value) : E_FAIL;
}

HRESULT KivSPPActivity::ListAttributeNames(KivListValKivUnicodeString& out) {
  for (auto& attribute : attributes_) out.Append(attribute.first);
  return S_OK;
}

HRESULT KivSPPActivity::SetStationCycleTime(double seconds) {
  return document_ ? document_->SetCycleTime(this, seconds) : E_FAIL;
}

HRESULT KivSPPActivity::SetGroupCycleTime(double seconds) {
  return document_ ? document_->SetCycleTime(this, seconds) : E_FAIL;
}

// ---- root-only interfaces ------------------------------------------------------

KivBaseUnknown_var KivSPPActivity::GetProcessContainer() {
  return document_ ? document_->RootContainer("KivISPPProcessContainer") : KivBaseUnknown_var();
}

HRESULT KivSPPActivity::GetUpdateState(KivBoolean& updating) {
  updating = updatingAssemblies_ ? 1 : 0;
  return S_OK;
}

HRESULT KivSPPActivity::SetUpdateState(KivBoolean updating) {
  updatingAssemblies_ = updating != 0;
  return S_OK;
}
