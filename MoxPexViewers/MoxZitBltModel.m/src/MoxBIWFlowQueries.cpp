#include "MoxBIWFlowQueries.h"

#include <deque>
#include <unordered_map>
#include <unordered_set>

#include "KivILinkableObject.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPFlowMgt.h"
#include "KivISPPProductIO.h"
#include "KivIModelObject.h"
#include "MoxIMfgAssembly.h"

namespace MoxBIWFlow {
namespace {
using Identities = std::unordered_set<const KivBaseUnknown*>;

// The activity and its ancestors. A parent chain that loops (a corrupt
// document) stops at the first repeat.
Identities SelfAndAncestors(KivBaseUnknown* activity) {
  Identities chain;
  for (KivISPPAbstractActivity_var current(activity);
       current && chain.insert(KivIdentity(current.get())).second;)
    current = current->GetParentActivity();
  return chain;
}
}  // namespace

bool IsSelfOrBelow(KivBaseUnknown* activity, KivBaseUnknown* ancestor) {
  return ancestor && SelfAndAncestors(activity).count(KivIdentity(ancestor)) > 0;
}

bool FoundInChildren(KivBaseUnknown* activity, KivBaseUnknown* ancestor) {
  return KivIdentity(activity) != KivIdentity(ancestor) && IsSelfOrBelow(activity, ancestor);
}

bool IsAssignedToAfterDestination(KivBaseUnknown* producer, KivBaseUnknown* destination) {
  if (!producer || !destination) return false;
  // The producer lies below a reached activity exactly when that activity
  // is one of the producer's ancestors (or the producer itself).
  const Identities above = SelfAndAncestors(producer);
  Identities seen;
  std::deque<KivBaseUnknown_var> queue{KivBaseUnknown_var(destination)};
  while (!queue.empty()) {
    KivISPPFlowMgt_var flow(queue.front().get());
    queue.pop_front();
    if (!flow) continue;
    const KivSPPList next = flow->NextActivities("Activity");
    for (const KivBaseUnknown_var& activity : *next) {
      if (!activity || !seen.insert(KivIdentity(activity.get())).second) continue;
      if (above.count(KivIdentity(activity.get()))) return true;
      queue.push_back(activity);
    }
  }
  return false;
}

KivBaseUnknown_var GetAssignedActivity(KivBaseUnknown* item) {
  KivILinkableObject_var linkable(item);
  if (!linkable) return NULL_var;
  KivListValKivBaseUnknown_var linking;
  linkable->GetLinkingObjects(linking);
  KivBaseUnknown_var producer;
  // Whether an activity gives the item, asked once per activity however
  // many of its links the item lists.
  std::unordered_map<const KivBaseUnknown*, bool> gives;
  for (const KivBaseUnknown_var& object : linking) {
    KivIModelObject_var model(object.get());
    if (!model) continue;
    KivBaseUnknown_var father = model->GetOwner();
    KivISPPFlowMgt_var flow(father.get());
    if (!KivISPPAbstractActivity_var(father.get()) || !flow) continue;
    auto [known, asked] = gives.try_emplace(KivIdentity(father.get()), false);
    if (asked) {
      const KivSPPList links = flow->LinksWithItem(item);
      for (const KivBaseUnknown_var& link : *links) {
        KivISPPProductIO_var io(link.get());
        KivBaseUnknown_var output = io ? io->GetOutputProduct() : NULL_var;
        if (output && KivIdentity(output.get()) == KivIdentity(item)) known->second = true;
      }
    }
    if (known->second) producer = father;
  }
  return producer;
}

bool MfgDropValid(KivBaseUnknown* assembly, KivBaseUnknown* destination) {
  if (!destination || !MoxIMfgAssembly_var(assembly)) return false;
  KivBaseUnknown_var producer = GetAssignedActivity(assembly);
  if (!producer) return true;
  if (IsSelfOrBelow(producer.get(), destination)) return false;
  if (IsSelfOrBelow(destination, producer.get())) return false;
  return !IsAssignedToAfterDestination(producer.get(), destination);
}

}  // namespace MoxBIWFlow
