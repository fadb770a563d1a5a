#include "KivProcessDocument.h"

#include "KivDocEnvironment.h"
#include "KivMfgAssembly.h"
#include "KivProcessDocumentFormat.h"
#include "KivProduct.h"
#include "KivSPPActivity.h"
#include "KivSPPActivityNotification.h"
#include "KivSPPControlNode.h"
#include "KivSPPMemberContainer.h"
#include "KivSPPNodeDataNotification.h"
#include "KivSPPProcessContainer.h"
#include "KivSPPProductLink.h"
#include "MoxMfgUpdateNotification.h"

namespace {
bool IsContainerType(const KivUnicodeString& type) {
  return type == KivUnicodeString("BIWActivityRoot") ||
         type == KivUnicodeString("BIWActivityStation") ||
         type == KivUnicodeString("BIWActivityGrouping");
}
}  // namespace

KivVar<KivProcessDocument> KivProcessDocument::Create() {
  return KivVar<KivProcessDocument>::Adopt(new KivProcessDocument());
}

const std::vector<KivUnicodeString>& KivProcessDocument::ActivityTypes() {
  static const std::vector<KivUnicodeString> types = {"BIWActivityRoot",
                                                      "BIWActivityStation",
                                                      "BIWActivityGrouping",
                                                      "BIWActivityLoading",
                                                      "BIWActivitySpotWelding",
                                                      "BIWActivityStudWelding",
                                                      "BIWActivitySpotGluing",
                                                      "BIWActivityArcWelding",
                                                      "BIWActivityAdhesiveApplication",
                                                      "BIWActivitySealantApplication",
                                                      "BIWActivityClinching"};
  return types;
}

bool KivProcessDocument::IsActivityType(const KivUnicodeString& type) {
  for (const auto& known : ActivityTypes())
    if (known == type) return true;
  return false;
}

KivProcessDocument::KivProcessDocument()
    : environment_(KivMake<KivDocEnvironment>()),
      processContainer_(KivMake<KivSPPProcessContainer>(this)),
      pprContainer_(KivMake<KivSPPMemberContainer>(this, "KivSPPPPRCont")),
      bomContainer_(KivMake<KivSPPMemberContainer>(this, "MoxMBomNodesCont")) {}

KivProcessDocument::~KivProcessDocument() {
  // Detaching cuts every reference between the document's objects, so that
  // handles still held elsewhere keep only their own object alive, answering
  // empty.
  if (auto root = std::move(root_)) root->Detach();
  for (auto& product : productRoots_) product->Detach();
  for (auto& resource : resourceRoots_) resource->Detach();
  for (auto& assembly : assemblies_) assembly->Detach();
  processContainer_->Detach();
  pprContainer_->Detach();
  bomContainer_->Detach();
  ids_.clear();
}

// ---- document -----------------------------------------------------------------

KivBaseUnknown_var KivProcessDocument::GetDocEnvironment() const { return environment_; }

void KivProcessDocument::SetRuleEnvironment(bool ipdRules) {
  ruleEnvironment_ = ipdRules;
  environment_ = ipdRules ? KivBaseUnknown_var(KivMake<IPDDocEnv>())
                          : KivBaseUnknown_var(KivMake<KivDocEnvironment>());
}

KivBaseUnknown_var KivProcessDocument::RootContainer(const KivString& className) {
  if (className == "KivISPPProcessContainer") return KivBaseUnknown_var(processContainer_);
  return NULL_var;
}

KivBaseUnknown_var KivProcessDocument::GetContainer(const KivString& name) {
  if (name == "KivSPPPPRCont") return KivBaseUnknown_var(pprContainer_);
  if (name == "MoxMBomNodesCont") return KivBaseUnknown_var(bomContainer_);
  return NULL_var;
}

KivEventPublisher* KivProcessDocument::GetActivityEvents() const {
  return root_ ? root_->GetNotificationDispatcher() : nullptr;
}

KivEventPublisher* KivProcessDocument::GetAssemblyEvents() const {
  return bomContainer_->GetNotificationDispatcher();
}

void KivProcessDocument::NotifyActivity(KivBaseUnknown* father, KivBaseUnknown* son, int kind) {
  // Nothing is built while nobody listens (a loading document sends many).
  if (!root_ || !root_->HasListeners()) return;
  auto notification = KivMake<KivSPPActivityNotification>(father, son, kind);
  root_->Dispatch(notification.get());
}

void KivProcessDocument::NotifyAssembly(KivBaseUnknown* assembly, const char* modification) {
  if (!bomContainer_->HasListeners()) return;
  auto notification = KivMake<MoxMfgUpdateNotification>(assembly, modification);
  bomContainer_->Dispatch(notification.get());
}

// ---- implementation lookup ------------------------------------------------------

KivSPPActivity* KivProcessDocument::ActivityOf(KivBaseUnknown* object) const {
  auto* impl = object ? dynamic_cast<KivSPPActivity*>(object->GetImpl()) : nullptr;
  return impl && impl->Document() == this ? impl : nullptr;
}

KivSPPFlowNode* KivProcessDocument::NodeOf(KivBaseUnknown* object) const {
  auto* impl = object ? dynamic_cast<KivSPPFlowNode*>(object->GetImpl()) : nullptr;
  return impl && impl->Document() == this ? impl : nullptr;
}

KivSPPItemBase* KivProcessDocument::ItemOf(KivBaseUnknown* object) const {
  auto* impl = object ? dynamic_cast<KivSPPItemBase*>(object->GetImpl()) : nullptr;
  return impl && impl->Document() == this ? impl : nullptr;
}

KivProduct* KivProcessDocument::ProductOf(KivBaseUnknown* object) const {
  auto* impl = object ? dynamic_cast<KivProduct*>(object->GetImpl()) : nullptr;
  return impl && impl->Document() == this ? impl : nullptr;
}

KivMfgAssembly* KivProcessDocument::AssemblyOf(KivBaseUnknown* object) const {
  auto* impl = object ? dynamic_cast<KivMfgAssembly*>(object->GetImpl()) : nullptr;
  return impl && impl->Document() == this ? impl : nullptr;
}

KivSPPProductLink* KivProcessDocument::LinkOf(KivBaseUnknown* object) const {
  auto* impl = object ? dynamic_cast<KivSPPProductLink*>(object->GetImpl()) : nullptr;
  return impl && impl->Activity() && impl->Activity()->Document() == this ? impl : nullptr;
}

// ---- identifiers ----------------------------------------------------------------

std::string KivProcessDocument::TakeId(const std::string& wanted, const char* prefix) {
  if (!wanted.empty()) return ids_.count(wanted) ? std::string() : wanted;
  std::string id;
  do {
    id = prefix + std::to_string(nextId_++);
  } while (ids_.count(id));
  return id;
}

std::string KivProcessDocument::IdOf(KivBaseUnknown* object) const {
  if (KivSPPFlowNode* node = NodeOf(object)) return node->Id();
  if (KivSPPItemBase* item = ItemOf(object)) return item->Id();
  if (KivSPPProductLink* link = LinkOf(object)) return link->Id();
  return {};
}

KivBaseUnknown_var KivProcessDocument::FindById(const std::string& id) const {
  auto it = ids_.find(id);
  return it == ids_.end() ? KivBaseUnknown_var() : KivBaseUnknown_var(it->second);
}

// ---- activities ------------------------------------------------------------------

bool KivProcessDocument::AdmitChange() {
  if (failAfter_ < 0) return true;
  if (failAfter_-- > 0) return true;
  ++failedChanges_;
  return false;
}

KivISPPActivity_var KivProcessDocument::CreateRootActivity(const KivUnicodeString& name,
                                                           const std::string& id) {
  if (root_) return NULL_var;
  const std::string rootId = TakeId(id, "A");
  if (rootId.empty()) return NULL_var;
  root_ = KivMake<KivSPPActivity>(this, nullptr, rootId, "BIWActivityRoot", name);
  RegisterId(rootId, static_cast<KivSPPFlowNode*>(root_.get()));
  EnsureControlNodes(root_.get());
  return KivISPPActivity_var(root_);
}

KivISPPActivity_var KivProcessDocument::GetRootActivity() const {
  return KivISPPActivity_var(root_);
}

void KivProcessDocument::EnsureControlNodes(KivSPPActivity* activity) {
  if (activity->StartNode()) return;
  using Role = KivSPPControlNode::Role;
  // "<activity id>/Start" and "/Stop", unless a loaded object took that name.
  auto controlId = [&](const char* suffix) {
    std::string id = TakeId(activity->Id() + suffix, "N");
    return id.empty() ? TakeId({}, "N") : id;
  };
  const std::string startId = controlId("/Start");
  auto start = KivMake<KivSPPControlNode>(this, activity, startId, Role::Start);
  RegisterId(startId, static_cast<KivSPPFlowNode*>(start.get()));
  const std::string stopId = controlId("/Stop");
  auto stop = KivMake<KivSPPControlNode>(this, activity, stopId, Role::Stop);
  RegisterId(stopId, static_cast<KivSPPFlowNode*>(stop.get()));
  activity->SetControlNodes(std::move(start), std::move(stop));
}

KivSPPActivity* KivProcessDocument::NewChildActivity(KivSPPActivity* parent,
                                                     const KivUnicodeString& type,
                                                     const KivUnicodeString& name,
                                                     const std::string& id) {
  const std::string childId = TakeId(id, "A");
  if (childId.empty()) return nullptr;
  auto child = KivMake<KivSPPActivity>(this, parent, childId, type, name);
  RegisterId(childId, static_cast<KivSPPFlowNode*>(child.get()));
  EnsureControlNodes(parent);
  if (IsContainerType(type)) EnsureControlNodes(child.get());
  parent->Children().push_back(child);
  return child.get();
}

KivISPPActivity_var KivProcessDocument::CreateActivity(KivBaseUnknown* parent,
                                                       const KivUnicodeString& type,
                                                       const KivUnicodeString& name,
                                                       const std::string& id) {
  if (!AdmitChange()) return NULL_var;
  KivSPPActivity* parentImpl = ActivityOf(parent);
  if (!parentImpl || !IsActivityType(type)) return NULL_var;
  KivSPPActivity* child = NewChildActivity(parentImpl, type, name, id);
  if (!child) return NULL_var;
  KivISPPActivity_var handle(child);
  NotifyActivity(static_cast<KivSPPFlowNode*>(parentImpl), static_cast<KivSPPFlowNode*>(child),
                 SPPDataModified);
  return handle;
}

HRESULT KivProcessDocument::MoveActivity(KivBaseUnknown* activity, KivBaseUnknown* newParent) {
  if (!AdmitChange()) return E_FAIL;
  KivSPPActivity* moved = ActivityOf(activity);
  KivSPPActivity* parent = ActivityOf(newParent);
  if (!moved || !parent || moved->IsRoot() || parent->IsWithin(moved)) return E_FAIL;
  KivSPPActivity* oldParent = moved->Parent();
  if (oldParent == parent) return S_FALSE;
  const std::vector<KivSPPFlowNode*> neighbours = moved->UnlinkAll();
  KivVar<KivSPPActivity> keep = KivTakeHandle(oldParent->Children(), moved);
  EnsureControlNodes(parent);
  parent->Children().push_back(keep);
  moved->SetParent(parent);
  KivTouchPertPlacement();
  KivBaseUnknown* son = static_cast<KivSPPFlowNode*>(moved);
  for (KivSPPFlowNode* neighbour : neighbours)
    if (neighbour->IsActivity()) NotifyActivity(neighbour, son, SPPDataModified);
  NotifyActivity(static_cast<KivSPPFlowNode*>(oldParent), son, SPPDataModified);
  NotifyActivity(static_cast<KivSPPFlowNode*>(parent), son, SPPDataModified);
  return S_OK;
}

KivBaseUnknown_var KivProcessDocument::GetStartNode(KivBaseUnknown* activity) const {
  KivSPPActivity* impl = ActivityOf(activity);
  return impl ? impl->GetStartNode() : KivBaseUnknown_var();
}

KivBaseUnknown_var KivProcessDocument::GetStopNode(KivBaseUnknown* activity) const {
  KivSPPActivity* impl = ActivityOf(activity);
  return impl ? impl->GetStopNode() : KivBaseUnknown_var();
}

HRESULT KivProcessDocument::AddPrecedence(KivBaseUnknown* from, KivBaseUnknown* to) {
  if (!AdmitChange()) return E_FAIL;
  KivSPPFlowNode* source = NodeOf(from);
  KivSPPFlowNode* target = NodeOf(to);
  if (!source || !target || source == target || !source->Parent() ||
      source->Parent() != target->Parent())
    return E_FAIL;
  if (!source->LinkBefore(target)) return S_FALSE;
  if (source->IsActivity()) NotifyActivity(source, target, SPPDataModified);
  if (target->IsActivity()) NotifyActivity(target, source, SPPDataModified);
  return S_OK;
}

HRESULT KivProcessDocument::RemovePrecedence(KivBaseUnknown* from, KivBaseUnknown* to) {
  if (!AdmitChange()) return E_FAIL;
  KivSPPFlowNode* source = NodeOf(from);
  KivSPPFlowNode* target = NodeOf(to);
  if (!source || !target) return E_FAIL;
  if (!source->UnlinkBefore(target)) return S_FALSE;
  if (source->IsActivity()) NotifyActivity(source, target, SPPDataModified);
  if (target->IsActivity()) NotifyActivity(target, source, SPPDataModified);
  return S_OK;
}

HRESULT KivProcessDocument::SetCycleTime(KivBaseUnknown* activity, double seconds) {
  if (!AdmitChange()) return E_FAIL;
  KivSPPActivity* impl = ActivityOf(activity);
  if (!impl || !impl->HasCycleTime()) return E_FAIL;
  impl->SetCycleTimeQuietly(seconds);
  NotifyActivity(static_cast<KivSPPFlowNode*>(impl), static_cast<KivSPPFlowNode*>(impl),
                 SPPDataModified);
  return S_OK;
}

double KivProcessDocument::GetCycleTime(KivBaseUnknown* activity) const {
  KivSPPActivity* impl = ActivityOf(activity);
  return impl ? impl->CycleTime() : 0.0;
}

// ---- attributes and PERT node data --------------------------------------------------

HRESULT KivProcessDocument::SetAttribute(KivBaseUnknown* activity, const KivUnicodeString& name,
                                         const KivIPDValue& value) {
  if (!AdmitChange()) return E_FAIL;
  KivSPPActivity* impl = ActivityOf(activity);
  if (!impl || name.IsEmpty()) return E_FAIL;
  auto& attributes = impl->Attributes();
  auto it = attributes.begin();
  while (it != attributes.end() && it->first != name) ++it;
  if (std::holds_alternative<std::monostate>(value)) {
    if (it == attributes.end()) return S_FALSE;
    attributes.erase(it);
  } else if (it == attributes.end()) {
    attributes.emplace_back(name, value);
  } else {
    it->second = value;
  }
  NotifyActivity(static_cast<KivSPPFlowNode*>(impl), static_cast<KivSPPFlowNode*>(impl),
                 SPPDataModified);
  return S_OK;
}

KivIPDValue KivProcessDocument::GetAttribute(KivBaseUnknown* activity,
                                             const KivUnicodeString& name) const {
  KivIPDValue value;
  if (KivSPPActivity* impl = ActivityOf(activity)) impl->GetAttributeValue(name, value);
  return value;
}

HRESULT KivProcessDocument::SetPertNodeData(KivBaseUnknown* node, const KivPertNodeData& data) {
  if (!AdmitChange()) return E_FAIL;
  KivSPPFlowNode* impl = NodeOf(node);
  if (!impl) return E_FAIL;
  // Only what the reader accepts back, so that a saved document loads again.
  namespace fmt = KivProcessDocumentFormat;
  if (!fmt::IsStorableCoordinate(data.x) || !fmt::IsStorableCoordinate(data.y) ||
      !fmt::IsStorableCoordinate(data.width) || !fmt::IsStorableCoordinate(data.height) ||
      data.width < 0 || data.height < 0)
    return E_INVALIDARG;
  impl->SetNodeDataQuietly(data);
  KivSPPFlowNode* level = impl->Parent() ? static_cast<KivSPPFlowNode*>(impl->Parent()) : impl;
  if (level->HasListeners()) {
    auto notification = KivMake<KivSPPNodeDataNotification>(impl, data);
    level->Dispatch(notification.get());
  }
  return S_OK;
}

KivPertNodeData KivProcessDocument::GetPertNodeData(KivBaseUnknown* node) const {
  KivSPPFlowNode* impl = NodeOf(node);
  return impl ? impl->NodeData() : KivPertNodeData();
}

// ---- product links and assignments ------------------------------------------------

KivSPPProductLink* KivProcessDocument::NewLink(KivSPPActivity* activity, KivSPPItemBase* item,
                                               bool input) {
  const std::string id = TakeId({}, "L");
  auto link = KivMake<KivSPPProductLink>(activity, item, input, id);
  RegisterId(id, link.get());
  activity->Links().push_back(link);
  item->LinkingLinks().push_back(link.get());
  return link.get();
}

void KivProcessDocument::DropLink(KivSPPProductLink* link) {
  KivVar<KivSPPProductLink> keep = KivTakeHandle(link->Activity()->Links(), link);
  if (KivSPPItemBase* item = link->Item()) KivEraseFirst(item->LinkingLinks(), link);
  UnregisterId(link->Id());
  link->Detach();
}

KivISPPProductIO_var KivProcessDocument::AddProductLink(KivBaseUnknown* activity,
                                                        KivBaseUnknown* item, bool input) {
  if (!AdmitChange()) return NULL_var;
  KivSPPActivity* activityImpl = ActivityOf(activity);
  KivSPPItemBase* itemImpl = ItemOf(item);
  KivProduct* product = ProductOf(item);
  if (!activityImpl || !itemImpl || (product && product->IsResource())) return NULL_var;
  KivSPPProductLink* link = NewLink(activityImpl, itemImpl, input);
  KivISPPProductIO_var handle(link);
  NotifyActivity(static_cast<KivSPPFlowNode*>(activityImpl), link, SPPProductLinkChanged);
  return handle;
}

KivISPPProductIO_var KivProcessDocument::AddProductInput(KivBaseUnknown* activity,
                                                         KivBaseUnknown* item) {
  return AddProductLink(activity, item, true);
}

KivISPPProductIO_var KivProcessDocument::AddProductOutput(KivBaseUnknown* activity,
                                                          KivBaseUnknown* item) {
  return AddProductLink(activity, item, false);
}

HRESULT KivProcessDocument::RemoveProductLink(KivBaseUnknown* link) {
  if (!AdmitChange()) return E_FAIL;
  KivSPPProductLink* impl = LinkOf(link);
  if (!impl) return E_FAIL;
  KivVar<KivSPPProductLink> keep(impl);
  KivBaseUnknown_var activity(static_cast<KivSPPFlowNode*>(impl->Activity()));
  DropLink(impl);
  NotifyActivity(activity, impl, SPPProductLinkChanged);
  return S_OK;
}

HRESULT KivProcessDocument::ReplaceOutput(KivSPPActivity* activity, KivBaseUnknown* output,
                                          KivBaseUnknown* replacement) {
  KivSPPProductLink* old = LinkOf(output);
  if (!old || old->Activity() != activity || old->Input()) return E_FAIL;
  KivSPPItemBase* item = replacement ? ItemOf(replacement) : nullptr;
  KivProduct* product = ProductOf(replacement);
  if (replacement && (!item || (product && product->IsResource()))) return E_FAIL;
  KivVar<KivSPPProductLink> keep(old);
  DropLink(old);
  KivBaseUnknown_var son(keep.get());
  if (item) son = KivBaseUnknown_var(NewLink(activity, item, false));
  NotifyActivity(static_cast<KivSPPFlowNode*>(activity), son, SPPOutputsReplaced);
  return S_OK;
}

HRESULT KivProcessDocument::AssignItem(KivBaseUnknown* activity, KivBaseUnknown* item) {
  if (!AdmitChange()) return E_FAIL;
  KivSPPActivity* activityImpl = ActivityOf(activity);
  KivSPPItemBase* itemImpl = ItemOf(item);
  KivProduct* product = ProductOf(item);
  if (!activityImpl || !itemImpl || (product && product->IsResource())) return E_FAIL;
  for (auto& assigned : activityImpl->Items())
    if (assigned.get() == itemImpl) return S_FALSE;
  activityImpl->Items().emplace_back(itemImpl);
  itemImpl->AssignedTo().push_back(activityImpl);
  NotifyActivity(static_cast<KivSPPFlowNode*>(activityImpl), itemImpl, SPPItemAssigned);
  return S_OK;
}

HRESULT KivProcessDocument::UnassignItem(KivBaseUnknown* activity, KivBaseUnknown* item) {
  if (!AdmitChange()) return E_FAIL;
  KivSPPActivity* activityImpl = ActivityOf(activity);
  KivSPPItemBase* itemImpl = ItemOf(item);
  if (!activityImpl || !itemImpl) return E_FAIL;
  KivVar<KivSPPItemBase> keep = KivTakeHandle(activityImpl->Items(), itemImpl);
  if (!keep) return S_FALSE;
  KivEraseFirst(itemImpl->AssignedTo(), activityImpl);
  NotifyActivity(static_cast<KivSPPFlowNode*>(activityImpl), itemImpl, SPPItemUnassigned);
  return S_OK;
}

HRESULT KivProcessDocument::AssignResource(KivBaseUnknown* activity, KivBaseUnknown* resource) {
  if (!AdmitChange()) return E_FAIL;
  KivSPPActivity* activityImpl = ActivityOf(activity);
  KivProduct* resourceImpl = ProductOf(resource);
  if (!activityImpl || !resourceImpl || !resourceImpl->IsResource()) return E_FAIL;
  for (auto& assigned : activityImpl->Resources())
    if (assigned.get() == resourceImpl) return S_FALSE;
  activityImpl->Resources().emplace_back(resourceImpl);
  resourceImpl->AssignedTo().push_back(activityImpl);
  NotifyActivity(static_cast<KivSPPFlowNode*>(activityImpl),
                 static_cast<KivSPPItemBase*>(resourceImpl), SPPResourceAssigned);
  return S_OK;
}

HRESULT KivProcessDocument::UnassignResource(KivBaseUnknown* activity, KivBaseUnknown* resource) {
  if (!AdmitChange()) return E_FAIL;
  KivSPPActivity* activityImpl = ActivityOf(activity);
  KivProduct* resourceImpl = ProductOf(resource);
  if (!activityImpl || !resourceImpl) return E_FAIL;
  KivVar<KivProduct> keep = KivTakeHandle(activityImpl->Resources(), resourceImpl);
  if (!keep) return S_FALSE;
  KivEraseFirst(resourceImpl->AssignedTo(), activityImpl);
  NotifyActivity(static_cast<KivSPPFlowNode*>(activityImpl),
                 static_cast<KivSPPItemBase*>(resourceImpl), SPPResourceUnassigned);
  return S_OK;
}

// ---- iteration ------------------------------------------------------------------

void KivProcessDocument::ForEachActivity(
    const std::function<void(KivBaseUnknown* activity)>& visit) const {
  if (!root_) return;
  // Explicit stack: deep processes must not exhaust the call stack.
  std::vector<KivSPPActivity*> pending{root_.get()};
  while (!pending.empty()) {
    KivSPPActivity* activity = pending.back();
    pending.pop_back();
    visit(static_cast<KivSPPFlowNode*>(activity));
    const auto& children = activity->Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) pending.push_back(it->get());
  }
}

KivListValKivBaseUnknown_var KivProcessDocument::ListActivities() const {
  KivListValKivBaseUnknown_var list;
  ForEachActivity([&list](KivBaseUnknown* activity) { list.Append(KivBaseUnknown_var(activity)); });
  return list;
}

int KivProcessDocument::ActivityCount() const {
  int count = 0;
  ForEachActivity([&count](KivBaseUnknown*) { ++count; });
  return count;
}

namespace {
void AppendTree(const std::vector<KivVar<KivProduct>>& roots, KivListValKivBaseUnknown_var& out) {
  std::vector<KivProduct*> pending;
  for (auto it = roots.rbegin(); it != roots.rend(); ++it) pending.push_back(it->get());
  while (!pending.empty()) {
    KivProduct* product = pending.back();
    pending.pop_back();
    out.Append(KivBaseUnknown_var(static_cast<KivSPPItemBase*>(product)));
    const auto& children = product->Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) pending.push_back(it->get());
  }
}

KivListValKivBaseUnknown_var Handles(const std::vector<KivVar<KivProduct>>& products) {
  KivListValKivBaseUnknown_var list;
  for (auto& product : products) list.Append(KivBaseUnknown_var(product));
  return list;
}
}  // namespace

KivListValKivBaseUnknown_var KivProcessDocument::ListProducts() const {
  KivListValKivBaseUnknown_var list;
  AppendTree(productRoots_, list);
  return list;
}

KivListValKivBaseUnknown_var KivProcessDocument::ListResources() const {
  KivListValKivBaseUnknown_var list;
  AppendTree(resourceRoots_, list);
  return list;
}

KivListValKivBaseUnknown_var KivProcessDocument::ListProductRoots() const {
  return Handles(productRoots_);
}

KivListValKivBaseUnknown_var KivProcessDocument::ListResourceRoots() const {
  return Handles(resourceRoots_);
}

int KivProcessDocument::ProductCount() const { return ListProducts().Size(); }

KivListValKivBaseUnknown_var KivProcessDocument::ListAssemblies() const {
  KivListValKivBaseUnknown_var list;
  for (auto& assembly : assemblies_) list.Append(KivBaseUnknown_var(assembly));
  return list;
}

std::vector<KivSPPPrecedence> KivProcessDocument::ListPrecedences() const {
  std::vector<KivSPPPrecedence> links;
  auto appendFrom = [&links](KivSPPFlowNode* node) {
    for (KivSPPFlowNode* next : node->NextNodes())
      links.push_back({KivBaseUnknown_var(node), KivBaseUnknown_var(next)});
  };
  ForEachActivity([&](KivBaseUnknown* object) {
    auto* activity = dynamic_cast<KivSPPActivity*>(object);
    if (activity->StartNode()) appendFrom(activity->StartNode());
    for (auto& child : activity->Children()) appendFrom(child.get());
    if (activity->StopNode()) appendFrom(activity->StopNode());
  });
  return links;
}
