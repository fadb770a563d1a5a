#include "KivDocumentChangeUnit.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "KivMfgAssembly.h"
#include "KivProduct.h"
#include "KivSPPActivity.h"
#include "KivSPPControlNode.h"
#include "KivSPPProductLink.h"

namespace {
struct FlowNodeState {
  KivVar<KivSPPFlowNode> node;
  KivProcessDocument* document;
  KivSPPActivity* parent;
  KivUnicodeString name;
  std::vector<KivSPPFlowNode*> next, prev;
  KivPertNodeData nodeData;
};

struct ActivityState {
  KivVar<KivSPPActivity> activity;
  std::vector<KivVar<KivSPPActivity>> children;
  KivVar<KivSPPControlNode> start, stop;
  std::vector<KivVar<KivSPPProductLink>> links;
  std::vector<KivVar<KivSPPItemBase>> items;
  std::vector<KivVar<KivProduct>> resources;
  std::vector<KivSPPActivity::Attribute> attributes;
  double cycleTime;
};

struct ItemState {
  KivVar<KivSPPItemBase> item;
  KivProcessDocument* document;
  KivUnicodeString name;
  std::vector<KivSPPProductLink*> links;
  std::vector<KivMfgAssembly*> assemblies;
  std::vector<KivSPPActivity*> assignedTo;
};

struct ProductState {
  KivVar<KivProduct> product;
  KivProduct* father;
  std::vector<KivVar<KivProduct>> children;
  KivShowAttribut show;
  KivUnicodeString resourceType, alias;
};

struct LinkState {
  KivVar<KivSPPProductLink> link;
  KivSPPActivity* activity;
  KivVar<KivSPPItemBase> item;
};
}  // namespace

struct KivDocumentChangeUnit::Record {
  KivVar<KivSPPActivity> root;
  std::vector<KivVar<KivProduct>> productRoots, resourceRoots;
  std::vector<KivVar<KivMfgAssembly>> assemblies;
  std::unordered_map<std::string, KivBaseUnknown*> ids;
  long nextId;
  std::vector<FlowNodeState> nodes;
  std::vector<ActivityState> activities;
  std::vector<ItemState> items;
  std::vector<ProductState> products;
  std::vector<std::pair<KivVar<KivMfgAssembly>, std::vector<KivVar<KivSPPItemBase>>>>
      assemblyChildren;
  std::vector<LinkState> links;
};


// An object made inside a rolled-back unit: detached, and holding no raw
// pointer into the document that could outlive what it points at.
void KivDocumentChangeUnit::Forget(KivSPPFlowNode* node) {
  node->document_ = nullptr;
  node->parent_ = nullptr;
  node->next_.clear();
  node->prev_.clear();
}

void KivDocumentChangeUnit::Forget(KivSPPItemBase* item) {
  item->document_ = nullptr;
  item->links_.clear();
  item->assemblies_.clear();
  item->assignedTo_.clear();
  if (auto* product = dynamic_cast<KivProduct*>(item)) product->father_ = nullptr;
}

KivDocumentChangeUnit::KivDocumentChangeUnit(KivProcessDocument* document)
    : document_(document), record_(std::make_unique<Record>()) {
  if (!document) return;
  failedAtStart_ = document->failedChanges_;
  Record& r = *record_;
  // Lambdas of a member function share its access to the recorded classes.
  auto RecordNode = [](KivSPPFlowNode* node, std::vector<FlowNodeState>& out) {
    out.push_back({KivVar<KivSPPFlowNode>(node), node->document_, node->parent_, node->name_,
                   node->next_, node->prev_, node->nodeData_});
  };
  auto RecordItem = [](KivSPPItemBase* item, std::vector<ItemState>& out) {
    out.push_back({KivVar<KivSPPItemBase>(item), item->document_, item->name_, item->links_,
                   item->assemblies_, item->assignedTo_});
  };
  r.root = document->root_;
  r.productRoots = document->productRoots_;
  r.resourceRoots = document->resourceRoots_;
  r.assemblies = document->assemblies_;
  r.ids = document->ids_;
  r.nextId = document->nextId_;
  document->ForEachActivity([&](KivBaseUnknown* handle) {
    KivSPPActivity* a = document->ActivityOf(handle);
    if (!a) return;
    RecordNode(a, r.nodes);
    if (a->start_) RecordNode(a->start_.get(), r.nodes);
    if (a->stop_) RecordNode(a->stop_.get(), r.nodes);
    r.activities.push_back({KivVar<KivSPPActivity>(a), a->children_, a->start_, a->stop_,
                            a->links_, a->items_, a->resources_, a->attributes_, a->cycleTime_});
    for (auto& link : a->links_) r.links.push_back({link, link->activity_, link->item_});
  });
  auto recordProducts = [&](const KivListValKivBaseUnknown_var& list) {
    for (const auto& handle : list)
      if (KivProduct* p = document->ProductOf(handle.get())) {
        RecordItem(p, r.items);
        r.products.push_back({KivVar<KivProduct>(p), p->father_, p->children_, p->show_,
                              p->resourceType_, p->alias_});
      }
  };
  recordProducts(document->ListProducts());
  recordProducts(document->ListResources());
  for (auto& assembly : document->assemblies_) {
    RecordItem(assembly.get(), r.items);
    r.assemblyChildren.push_back({assembly, assembly->children_});
  }
}

KivDocumentChangeUnit::~KivDocumentChangeUnit() { Rollback(); }

void KivDocumentChangeUnit::Commit() { record_.reset(); }

bool KivDocumentChangeUnit::HasFailedChanges() const {
  return document_ && document_->failedChanges_ != failedAtStart_;
}

void KivDocumentChangeUnit::Rollback() {
  if (!record_ || !document_) return;
  const std::unique_ptr<Record> taken = std::move(record_);
  Record& r = *taken;
  KivProcessDocument* document = document_.get();

  // What the views must hear: activities made inside the unit (gone again),
  // and recorded activities whose children or links differ from the record.
  std::unordered_set<const KivSPPFlowNode*> recorded;
  for (auto& n : r.nodes) recorded.insert(n.node.get());
  std::vector<KivVar<KivSPPActivity>> made;
  document->ForEachActivity([&](KivBaseUnknown* handle) {
    if (KivSPPActivity* a = document->ActivityOf(handle); a && !recorded.count(a))
      made.emplace_back(a);
  });
  std::unordered_map<const KivSPPFlowNode*, const FlowNodeState*> stateOf;
  for (auto& n : r.nodes) stateOf[n.node.get()] = &n;
  std::vector<KivVar<KivSPPActivity>> changed;
  for (auto& s : r.activities) {
    KivSPPActivity* a = s.activity.get();
    if (a->document_ != document || a->children_ != s.children) {
      changed.push_back(s.activity);
      continue;
    }
    const auto* node = static_cast<const KivSPPFlowNode*>(a);
    if (const FlowNodeState* n = stateOf[node];
        n && (n->next != node->next_ || n->prev != node->prev_ || n->nodeData != node->nodeData_))
      changed.push_back(s.activity);
  }
  // Objects made inside the unit lose their place in the document.
  for (auto& a : made)
    for (KivSPPFlowNode* node : {static_cast<KivSPPFlowNode*>(a.get()),
                                 static_cast<KivSPPFlowNode*>(a->start_.get()),
                                 static_cast<KivSPPFlowNode*>(a->stop_.get())})
      if (node && !recorded.count(node)) Forget(node);
  std::unordered_set<const KivSPPItemBase*> recordedItems;
  for (auto& i : r.items) recordedItems.insert(i.item.get());
  for (auto& [id, object] : document->ids_)
    if (auto* item = dynamic_cast<KivSPPItemBase*>(object); item && !recordedItems.count(item))
      Forget(item);

  document->root_ = r.root;
  document->productRoots_ = r.productRoots;
  document->resourceRoots_ = r.resourceRoots;
  document->assemblies_ = r.assemblies;
  document->ids_ = r.ids;
  document->nextId_ = r.nextId;
  for (auto& n : r.nodes) {
    KivSPPFlowNode* node = n.node.get();
    node->document_ = n.document;
    node->parent_ = n.parent;
    node->name_ = n.name;
    node->next_ = n.next;
    node->prev_ = n.prev;
    node->nodeData_ = n.nodeData;
  }
  for (auto& s : r.activities) {
    KivSPPActivity* a = s.activity.get();
    a->children_ = s.children;
    a->start_ = s.start;
    a->stop_ = s.stop;
    a->links_ = s.links;
    a->items_ = s.items;
    a->resources_ = s.resources;
    a->attributes_ = s.attributes;
    a->cycleTime_ = s.cycleTime;
  }
  for (auto& i : r.items) {
    KivSPPItemBase* item = i.item.get();
    item->document_ = i.document;
    item->name_ = i.name;
    item->links_ = i.links;
    item->assemblies_ = i.assemblies;
    item->assignedTo_ = i.assignedTo;
  }
  for (auto& p : r.products) {
    KivProduct* product = p.product.get();
    product->father_ = p.father;
    product->children_ = p.children;
    product->show_ = p.show;
    product->resourceType_ = p.resourceType;
    product->alias_ = p.alias;
  }
  for (auto& [assembly, children] : r.assemblyChildren) assembly->children_ = children;
  for (auto& l : r.links) {
    l.link->activity_ = l.activity;
    l.link->item_ = l.item;
  }

  for (auto it = made.rbegin(); it != made.rend(); ++it) {
    KivBaseUnknown* gone = static_cast<KivSPPFlowNode*>(it->get());
    document->NotifyActivity(gone, gone, SPPActivityDeleted);
  }
  std::unordered_set<const KivSPPActivity*> told;
  for (auto& a : changed) {
    for (KivSPPActivity* target : {a->parent_, a.get()})
      if (target && told.insert(target).second) {
        KivBaseUnknown* father = static_cast<KivSPPFlowNode*>(target);
        document->NotifyActivity(father, father, SPPDataModified);
      }
  }
}
