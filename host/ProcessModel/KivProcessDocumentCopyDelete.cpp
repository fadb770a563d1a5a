// The model operations behind the host's copy, paste and cut of activities.
#include <unordered_map>
#include <unordered_set>

#include "KivProcessDocument.h"
#include "KivProduct.h"
#include "KivSPPActivity.h"
#include "KivSPPControlNode.h"
#include "KivSPPProductLink.h"

namespace {
// The listed activities of the document, each once, without those that lie
// below another listed activity (they go with it).
std::vector<KivSPPActivity*> TopmostActivities(
    const KivListValKivBaseUnknown_var& activities,
    const std::function<KivSPPActivity*(KivBaseUnknown*)>& resolve) {
  std::vector<KivSPPActivity*> listed;
  std::unordered_set<const KivSPPActivity*> seen;
  for (auto& handle : activities)
    if (KivSPPActivity* activity = resolve(handle.get()); activity && seen.insert(activity).second)
      listed.push_back(activity);
  std::vector<KivSPPActivity*> topmost;
  for (KivSPPActivity* activity : listed) {
    bool nested = false;
    for (const KivSPPActivity* up = activity->Parent(); up && !nested; up = up->Parent())
      nested = seen.count(up) > 0;
    if (!nested) topmost.push_back(activity);
  }
  return topmost;
}

// The activity and its descendants, descendants first (post-order).
void CollectPostOrder(KivSPPActivity* activity, std::vector<KivVar<KivSPPActivity>>& out) {
  std::vector<std::pair<KivSPPActivity*, bool>> pending{{activity, false}};
  while (!pending.empty()) {
    auto [current, expanded] = pending.back();
    pending.pop_back();
    if (expanded) {
      out.emplace_back(current);
      continue;
    }
    pending.push_back({current, true});
    const auto& children = current->Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it)
      pending.push_back({it->get(), false});
  }
}
}  // namespace

KivSPPActivity* KivProcessDocument::CopySubtree(
    KivSPPActivity* source, KivSPPActivity* parent,
    std::unordered_map<const KivSPPFlowNode*, KivSPPFlowNode*>& copies,
    std::vector<const KivSPPFlowNode*>& originals) {
  KivSPPActivity* copy = NewChildActivity(parent, source->Type(), source->Name(), {});
  copy->SetNodeDataQuietly(source->NodeData());
  copy->SetCycleTimeQuietly(source->CycleTime());
  copy->Attributes() = source->Attributes();
  copies[source] = copy;
  originals.push_back(source);
  if (source->StartNode()) {
    EnsureControlNodes(copy);
    copy->StartNode()->SetNodeDataQuietly(source->StartNode()->NodeData());
    copy->StopNode()->SetNodeDataQuietly(source->StopNode()->NodeData());
    copies[source->StartNode()] = copy->StartNode();
    copies[source->StopNode()] = copy->StopNode();
    originals.push_back(source->StartNode());
    originals.push_back(source->StopNode());
  }
  for (auto& item : source->Items()) {
    copy->Items().push_back(item);
    item->AssignedTo().push_back(copy);
  }
  for (auto& resource : source->Resources()) {
    copy->Resources().push_back(resource);
    resource->AssignedTo().push_back(copy);
  }
  for (auto& link : source->Links())
    if (link->Item()) NewLink(copy, link->Item(), link->Input());
  for (auto& child : source->Children()) CopySubtree(child.get(), copy, copies, originals);
  return copy;
}

KivListValKivBaseUnknown_var KivProcessDocument::CopyActivities(
    const KivListValKivBaseUnknown_var& activities, KivBaseUnknown* target) {
  if (!AdmitChange()) return {};
  KivListValKivBaseUnknown_var result;
  KivSPPActivity* targetImpl = ActivityOf(target);
  if (!targetImpl) return result;
  const auto sources =
      TopmostActivities(activities, [this](KivBaseUnknown* o) { return ActivityOf(o); });
  // Pasting into one of the copied subtrees would copy the copies.
  for (KivSPPActivity* source : sources)
    if (targetImpl->IsWithin(source)) return result;

  std::unordered_map<const KivSPPFlowNode*, KivSPPFlowNode*> copies;
  std::vector<const KivSPPFlowNode*> originals;
  std::vector<KivSPPActivity*> topCopies;
  for (KivSPPActivity* source : sources)
    topCopies.push_back(CopySubtree(source, targetImpl, copies, originals));
  // Only the links whose two ends were copied come along.
  for (const KivSPPFlowNode* original : originals)
    for (KivSPPFlowNode* next : original->NextNodes())
      if (auto it = copies.find(next); it != copies.end()) copies[original]->LinkBefore(it->second);

  for (KivSPPActivity* copy : topCopies) {
    KivBaseUnknown_var handle(static_cast<KivSPPFlowNode*>(copy));
    result.Append(handle);
    NotifyActivity(static_cast<KivSPPFlowNode*>(targetImpl), handle, SPPDataModified);
  }
  return result;
}

HRESULT KivProcessDocument::DeleteActivities(const KivListValKivBaseUnknown_var& activities) {
  if (!AdmitChange()) return E_FAIL;
  const auto tops =
      TopmostActivities(activities, [this](KivBaseUnknown* o) { return ActivityOf(o); });
  for (KivSPPActivity* top : tops)
    if (top->IsRoot()) return E_FAIL;
  if (tops.empty()) return S_FALSE;

  std::vector<KivVar<KivSPPActivity>> doomed;  // descendants first; keeps them alive
  for (KivSPPActivity* top : tops) CollectPostOrder(top, doomed);
  std::unordered_set<const KivSPPFlowNode*> doomedSet;
  for (auto& activity : doomed) doomedSet.insert(activity.get());

  // Survivors told that a child or a precedence neighbour went away.
  std::vector<std::pair<KivSPPFlowNode*, KivBaseUnknown_var>> survivors;
  std::unordered_set<const KivSPPFlowNode*> told;
  auto tell = [&](KivSPPFlowNode* survivor, KivSPPActivity* gone) {
    if (survivor->IsActivity() && !doomedSet.count(survivor) && told.insert(survivor).second)
      survivors.push_back({survivor, KivBaseUnknown_var(static_cast<KivSPPFlowNode*>(gone))});
  };
  for (KivSPPActivity* top : tops) {
    for (KivSPPFlowNode* neighbour : top->UnlinkAll()) tell(neighbour, top);
    KivSPPActivity* parent = top->Parent();
    tell(parent, top);
    KivTakeHandle(parent->Children(), top);  // `doomed` still holds it
    KivTouchPertPlacement();
  }
  for (auto& activity : doomed) {
    for (auto& link : activity->Links()) {
      if (KivSPPItemBase* item = link->Item()) KivEraseFirst(item->LinkingLinks(), link.get());
      UnregisterId(link->Id());
    }
    for (auto& item : activity->Items()) KivEraseFirst(item->AssignedTo(), activity.get());
    for (auto& resource : activity->Resources())
      KivEraseFirst(resource->AssignedTo(), activity.get());
    if (activity->StartNode()) UnregisterId(activity->StartNode()->Id());
    if (activity->StopNode()) UnregisterId(activity->StopNode()->Id());
    UnregisterId(activity->Id());
  }
  for (KivSPPActivity* top : tops) top->Detach();

  for (auto& activity : doomed) {
    KivBaseUnknown* gone = static_cast<KivSPPFlowNode*>(activity.get());
    NotifyActivity(gone, gone, SPPActivityDeleted);
  }
  for (auto& [survivor, gone] : survivors) NotifyActivity(survivor, gone, SPPDataModified);
  return S_OK;
}
