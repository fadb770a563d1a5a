#pragma once
// The process document: the owner of every object of one process model, and
// the construction and inspection API that the loader, the saver, the example
// generator, the host shell and the tests use.
//
// Objects and late types:
//   activities            "PhysicalActivity" (type name is data, see ActivityTypes())
//   Start / Stop nodes    "KivSPPControlNode" (children of an activity, not activities)
//   product links         "ProductInput" / "ProductOutput"
//   products, resources   "ASMPRODUCT" (two trees: products, and resources)
//   assemblies            "MoxMfgAssy"
//
// Every object has a stable string identifier, unique in the document (the
// file format references objects by it). Identifiers may be given at creation
// (a duplicate is refused) or are generated. Start and Stop nodes are named
// "<activity id>/Start" and "<activity id>/Stop".
//
// Ownership: the document owns everything. Handles given out keep an object
// alive, but once the object is deleted (or the document destroyed) it is
// detached: its queries answer empty or failure. Creation is O(1) amortised;
// every query is linear in what it returns or walks.
//
// Notifications: every change of an activity sends a KivSPPActivityNotification
// through the root activity's modification events (kinds in SPPModifyKind);
// show changes send KivShowNotif on the product's and its fathers' model events;
// assembly changes send MoxMfgUpdateNotification on the "MoxMBomNodesCont"
// container's model events; PERT node data changes send KivSPPNodeDataNotification.
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "KivCallback.h"
#include "KivICompoundContainer.h"
#include "KivIProduct.h"
#include "KivISPPActivity.h"
#include "KivISPPProductIO.h"
#include "KivImplement.h"
#include "KivInit.h"
#include "KivProcessModelTypes.h"
#include "KivString.h"
#include "MoxIMfgAssembly.h"

class KivSPPActivity;
class KivSPPFlowNode;
class KivSPPItemBase;
class KivSPPProductLink;
class KivProduct;
class KivMfgAssembly;
class KivSPPProcessContainer;
class KivSPPMemberContainer;

// A precedence link between two graph nodes of one level.
struct KivSPPPrecedence {
  KivBaseUnknown_var from;
  KivBaseUnknown_var to;
};

class KivProcessDocument : public KivImplement<KivInit, KivICompoundContainer> {
  KIV_CLASS_NAMED_BASE(KivProcessDocument, "KivProcess", "ProcessModel")
 public:
  static KivVar<KivProcessDocument> Create();

  // The eleven body-in-white activity type names, "BIWActivityRoot" first.
  static const std::vector<KivUnicodeString>& ActivityTypes();
  static bool IsActivityType(const KivUnicodeString& type);

  // ---- document -----------------------------------------------------------
  // The storage name (path) of the document; empty until loaded or saved.
  const KivUnicodeString& GetStorageName() const { return storageName_; }
  void SetStorageName(const KivUnicodeString& name) { storageName_ = name; }
  // The document environment: a "KivDocEnvironment", or an "IPDDocEnv" when
  // the planning-rule environment is on.
  KivBaseUnknown_var GetDocEnvironment() const;
  void SetRuleEnvironment(bool ipdRules);
  bool IsRuleEnvironment() const { return ruleEnvironment_; }

  // ---- activities -----------------------------------------------------------
  // The root activity ("BIWActivityRoot"); one per document. Empty when it
  // exists already or the id is taken.
  KivISPPActivity_var CreateRootActivity(const KivUnicodeString& name, const std::string& id = {});
  KivISPPActivity_var GetRootActivity() const;
  // A child activity of `parent` of a known type (ActivityTypes()); empty for a
  // foreign or deleted parent, an unknown type or a taken id. Root, station and
  // grouping activities get their Start and Stop nodes at once; any other
  // activity when its first child is created. Sends kind 3 on the parent.
  KivISPPActivity_var CreateActivity(KivBaseUnknown* parent, const KivUnicodeString& type,
                                     const KivUnicodeString& name, const std::string& id = {});
  // Moves an activity (with its subtree) under another activity of the same
  // document, at the end of its children. Its precedence links (which belong to
  // the old level) are removed. Refused (E_FAIL, nothing changed) for the root,
  // or when the new parent is the activity itself or one of its descendants.
  HRESULT MoveActivity(KivBaseUnknown* activity, KivBaseUnknown* newParent);
  // The Start / Stop node of an activity (empty when it has none).
  KivBaseUnknown_var GetStartNode(KivBaseUnknown* activity) const;
  KivBaseUnknown_var GetStopNode(KivBaseUnknown* activity) const;

  // Precedence links between graph nodes (activities, Start and Stop nodes)
  // of the same level. See KivISPPFlowMgt::AddNextLink / RemoveLink.
  HRESULT AddPrecedence(KivBaseUnknown* from, KivBaseUnknown* to);
  HRESULT RemovePrecedence(KivBaseUnknown* from, KivBaseUnknown* to);

  // Station and grouping cycle times (E_FAIL for other types).
  HRESULT SetCycleTime(KivBaseUnknown* activity, double seconds);
  double GetCycleTime(KivBaseUnknown* activity) const;

  // ---- products, resources, assemblies ------------------------------------
  // A product under `father` (a product), or a new product tree root when
  // father is null (roots are "PPRProduct" members, alias = name).
  KivIProduct_var CreateProduct(KivBaseUnknown* father, const KivUnicodeString& name,
                                const std::string& id = {});
  // A resource of a type ("Robot", "Fixture", "WeldGun", ...) under `father` (a
  // resource, or null for a resource tree root).
  KivIProduct_var CreateResource(KivBaseUnknown* father, const KivUnicodeString& name,
                                 const KivUnicodeString& resourceType, const std::string& id = {});
  // Moves a product or resource under another of the same tree; refused when
  // that would make it its own ancestor.
  HRESULT ReparentProduct(KivBaseUnknown* product, KivBaseUnknown* newFather);
  // Deletes a product or resource with its subtree: product links to them are
  // removed (kind 29), assignments undone (kinds 18, 16), assemblies forget them.
  HRESULT DeleteProduct(KivBaseUnknown* product);
  HRESULT SetShow(KivBaseUnknown* product, KivShowAttribut show);
  KivShowAttribut GetShow(KivBaseUnknown* product) const;
  // The shown state of a product or assembly: "SHOW", "HIDDEN" or "PARTIAL".
  // A hidden product is "HIDDEN"; a shown product without children "SHOW"; a
  // shown product with children and an assembly aggregate their children:
  // "PARTIAL" when any is partial or both shown and hidden occur, "HIDDEN"
  // when all are hidden, otherwise "SHOW".
  KivUnicodeString ShowState(KivBaseUnknown* item) const;

  // A manufacturing assembly ("MfgAssembly" member of "MoxMBomNodesCont").
  // Sends "MACreated".
  MoxIMfgAssembly_var CreateAssembly(const KivUnicodeString& name, const std::string& id = {});
  // See MoxIMfgAssembly::AddChild / RemoveChild.
  HRESULT AddAssemblyChild(KivBaseUnknown* assembly, KivBaseUnknown* child);
  HRESULT RemoveAssemblyChild(KivBaseUnknown* assembly, KivBaseUnknown* child);
  // Sends "MADeleting" first, then removes the assembly's remaining links
  // (kind 29) and assignments (kind 18), takes it out of other assemblies and
  // deletes it.
  HRESULT DeleteAssembly(KivBaseUnknown* assembly);

  // ---- assignments and product links ----------------------------------------
  KivISPPProductIO_var AddProductInput(KivBaseUnknown* activity, KivBaseUnknown* item);
  KivISPPProductIO_var AddProductOutput(KivBaseUnknown* activity, KivBaseUnknown* item);
  HRESULT RemoveProductLink(KivBaseUnknown* link);
  HRESULT AssignItem(KivBaseUnknown* activity, KivBaseUnknown* item);
  HRESULT UnassignItem(KivBaseUnknown* activity, KivBaseUnknown* item);
  HRESULT AssignResource(KivBaseUnknown* activity, KivBaseUnknown* resource);
  HRESULT UnassignResource(KivBaseUnknown* activity, KivBaseUnknown* resource);

  // ---- user-defined attributes and PERT node data ------------------------------
  HRESULT SetAttribute(KivBaseUnknown* activity, const KivUnicodeString& name,
                       const KivIPDValue& value);
  KivIPDValue GetAttribute(KivBaseUnknown* activity, const KivUnicodeString& name) const;
  // Graph nodes: activities and Start/Stop nodes. A change is announced by a
  // KivSPPNodeDataNotification on the model events of the node's parent
  // activity (the level showing it; the root announces on itself).
  HRESULT SetPertNodeData(KivBaseUnknown* node, const KivPertNodeData& data);
  KivPertNodeData GetPertNodeData(KivBaseUnknown* node) const;

  // ---- identifiers ---------------------------------------------------------
  // The identifier of an object of this document ("" for anything else).
  std::string IdOf(KivBaseUnknown* object) const;
  // The object with that identifier, or empty.
  KivBaseUnknown_var FindById(const std::string& id) const;

  // ---- iteration (for savers and tests) ----------------------------------------
  // Activities in tree order (pre-order, children in order), the root first.
  KivListValKivBaseUnknown_var ListActivities() const;
  void ForEachActivity(const std::function<void(KivBaseUnknown* activity)>& visit) const;
  // Products / resources in tree order (every father before its children),
  // tree roots in creation order.
  KivListValKivBaseUnknown_var ListProducts() const;
  KivListValKivBaseUnknown_var ListResources() const;
  // The roots of the product tree / of the resource tree, in creation order.
  KivListValKivBaseUnknown_var ListProductRoots() const;
  KivListValKivBaseUnknown_var ListResourceRoots() const;
  // Assemblies in creation order.
  KivListValKivBaseUnknown_var ListAssemblies() const;
  // Every precedence link, level by level in activity tree order, each level's
  // links in the order of their source nodes (Start first) and creation.
  std::vector<KivSPPPrecedence> ListPrecedences() const;
  // Counts, for tests and benchmarks.
  int ActivityCount() const;
  int ProductCount() const;

  // ---- copy, paste and cut ------------------------------------------------
  // Copies the activities (each with its children, Start and Stop nodes, cycle
  // time, attributes, PERT node data, assigned items and resources and product
  // links) under `target`, in order, and returns the copies. Precedence links
  // are copied only when both ends are copied; those of a copied activity's
  // children are copied with them. An activity listed together with one of its
  // ancestors is copied once, with that ancestor. Empty list (nothing copied)
  // when the target is foreign, deleted, or inside one of the copied activities.
  // Sends kind 3 on the target for each copy.
  KivListValKivBaseUnknown_var CopyActivities(const KivListValKivBaseUnknown_var& activities,
                                              KivBaseUnknown* target);
  // Deletes the activities with their descendants, Start and Stop nodes, product
  // links, assignments and precedence links. Sends kind 8 for each deleted
  // activity (father = son = that activity; descendants first), then kind 3 on
  // each surviving parent and precedence neighbour. The root cannot be deleted
  // (E_FAIL, nothing deleted). S_FALSE when nothing listed was in the document.
  HRESULT DeleteActivities(const KivListValKivBaseUnknown_var& activities);

  // ---- failures on demand ---------------------------------------------------
  // Makes a change fail, for tests of what a failure half-way leaves behind:
  // the change after the next `count` changes is refused (E_FAIL or an empty
  // result, nothing changed); -1 (the default) refuses none. A change is one
  // call of a changing operation of the document or of its objects.
  void FailChangeAfter(int count) { failAfter_ = count; }
  // How many changes were refused that way since the document was made.
  int FailedChangeCount() const { return failedChanges_; }

  // ---- events ---------------------------------------------------------------
  // The root activity's modification events (empty without a root).
  KivEventPublisher* GetActivityEvents() const;
  // The assembly events of the "MoxMBomNodesCont" container.
  KivEventPublisher* GetAssemblyEvents() const;

  // KivInit
  KivBaseUnknown_var RootContainer(const KivString& className) override;
  // KivICompoundContainer: "KivSPPPPRCont", "MoxMBomNodesCont".
  KivBaseUnknown_var GetContainer(const KivString& name) override;

 protected:
  KivProcessDocument();
  ~KivProcessDocument() override;

 private:
  // The model's own objects reach the document's bookkeeping.
  friend class KivSPPFlowNode;
  friend class KivSPPActivity;
  friend class KivSPPControlNode;
  friend class KivSPPItemBase;
  friend class KivProduct;
  friend class KivMfgAssembly;
  friend class KivSPPProductLink;
  friend class KivSPPProcessContainer;
  friend class KivSPPMemberContainer;
  friend class KivSPPReparentService;
  friend class KivDocumentChangeUnit;

  // Every changing operation asks first; false when a failure was asked for.
  bool AdmitChange();

  // Sends an activity notification through the root's modification events.
  void NotifyActivity(KivBaseUnknown* father, KivBaseUnknown* son, int kind);
  void NotifyAssembly(KivBaseUnknown* assembly, const char* modification);
  KivSPPActivity* RootImpl() const { return root_.get(); }
  // The implementation objects behind handles of this document (null otherwise
  // or when detached).
  KivSPPActivity* ActivityOf(KivBaseUnknown* object) const;
  KivSPPFlowNode* NodeOf(KivBaseUnknown* object) const;
  KivSPPItemBase* ItemOf(KivBaseUnknown* object) const;
  KivProduct* ProductOf(KivBaseUnknown* object) const;
  KivMfgAssembly* AssemblyOf(KivBaseUnknown* object) const;
  KivSPPProductLink* LinkOf(KivBaseUnknown* object) const;
  // A free identifier: `wanted` when it is free, a generated one (prefix +
  // number) when `wanted` is empty, "" when `wanted` is taken.
  std::string TakeId(const std::string& wanted, const char* prefix);
  void RegisterId(const std::string& id, KivBaseUnknown* object) { ids_[id] = object; }
  void UnregisterId(const std::string& id) { ids_.erase(id); }
  // Creation without notification.
  KivSPPActivity* NewChildActivity(KivSPPActivity* parent, const KivUnicodeString& type,
                                   const KivUnicodeString& name, const std::string& id);
  void EnsureControlNodes(KivSPPActivity* activity);
  KivVar<KivProduct> NewProduct(KivProduct* father, const KivUnicodeString& name, bool resource,
                                const KivUnicodeString& resourceType, const std::string& id);
  KivSPPProductLink* NewLink(KivSPPActivity* activity, KivSPPItemBase* item, bool input);
  // Takes a link off its activity and item, without notification.
  void DropLink(KivSPPProductLink* link);
  KivISPPProductIO_var AddProductLink(KivBaseUnknown* activity, KivBaseUnknown* item, bool input);
  HRESULT ReplaceOutput(KivSPPActivity* activity, KivBaseUnknown* output,
                        KivBaseUnknown* replacement);
  KivSPPActivity* CopySubtree(KivSPPActivity* source, KivSPPActivity* parent,
                              std::unordered_map<const KivSPPFlowNode*, KivSPPFlowNode*>& copies,
                              std::vector<const KivSPPFlowNode*>& originals);
  KivUnicodeString ShowStateOf(KivSPPItemBase* item) const;

  KivUnicodeString storageName_;
  bool ruleEnvironment_ = false;
  KivBaseUnknown_var environment_;
  KivVar<KivSPPActivity> root_;
  std::vector<KivVar<KivProduct>> productRoots_;
  std::vector<KivVar<KivProduct>> resourceRoots_;
  std::vector<KivVar<KivMfgAssembly>> assemblies_;
  KivVar<KivSPPProcessContainer> processContainer_;
  KivVar<KivSPPMemberContainer> pprContainer_;
  KivVar<KivSPPMemberContainer> bomContainer_;
  std::unordered_map<std::string, KivBaseUnknown*> ids_;
  long nextId_ = 1;
  int failAfter_ = -1;
  int failedChanges_ = 0;
};
