#include "MoxPexPFVRefreshServices.h"

#include "KivILinkableObject.h"
#include "KivIPointingObjects.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPItemMgt.h"
#include "KivISPPProductIO.h"
#include "KivIModelObject.h"
#include "MoxIZitBltMgr.h"
#include "MoxZitBltRefreshBatch.h"

namespace {
const KivString kFirstAssigned("KivProcess_first_assigned");

void AppendPointingObjects(KivBaseUnknown* object, KivListValKivBaseUnknown_var& out) {
  if (KivIPointingObjects_var pointing = object) pointing->GetPointingObjects(out);
}

// True when the activity lists `object`: through one of its own product
// links (`link`) or as one of its assigned items.
bool Lists(KivBaseUnknown* activity, KivBaseUnknown* link, KivBaseUnknown* object) {
  KivISPPProductIO_var productLink(link);
  if (productLink && KivIdentity(productLink->GetActivity().get()) == KivIdentity(activity))
    return true;
  KivISPPItemMgt_var items(activity);
  KivSPPList assigned = items ? items->ListItems("Item", 2) : nullptr;
  return assigned && assigned->Locate(KivBaseUnknown_var(object)) > 0;
}
}  // namespace

void MoxPexPFVRefreshServices::RefreshPODForActivity(const KivISPPActivity_var& activity,
                                                     const KivUnicodeString& zitBlt) {
  if (MoxIZitBltMgr_var manager = activity.get()) manager->UpdateZitBltReps(zitBlt);
}

void MoxPexPFVRefreshServices::RefreshPODForActivities(
    const KivListValKivBaseUnknown_var& activities, const KivUnicodeString& zitBlt) {
  for (const auto& activity : activities) RefreshPODForActivity(activity.get(), zitBlt);
}

void MoxPexPFVRefreshServices::RefreshReleventPODforProduct(const KivIProduct_var& product,
                                                            const KivUnicodeString& zitBlt) {
  if (!product) return;
  KivListValKivBaseUnknown_var objects;
  GetFathers(product, objects);
  objects.Append(KivBaseUnknown_var(product.get()));
  KivListValKivBaseUnknown_var assemblies;
  GetListOfRelatedMfgAssemblies(objects, assemblies);
  objects.Append(assemblies);
  objects.RemoveDuplicates();
  KivListValKivBaseUnknown_var processes;
  GetRelatedProcesses(objects, processes, zitBlt);
  processes.RemoveDuplicates();
  KivListValKivBaseUnknown_var activities;
  GetParentProcesses(activities, processes);
  MoxZitBltRefreshBatch batch;
  RefreshPODForActivities(activities, zitBlt);
}

void MoxPexPFVRefreshServices::GetParentProcesses(KivListValKivBaseUnknown_var& out,
                                                  const KivListValKivBaseUnknown_var& in) {
  for (const auto& element : in) {
    KivISPPAbstractActivity_var activity(element.get());
    if (!activity) continue;
    // Ancestors first; the walk stops at the first one already listed, whose
    // own ancestors are then listed too.
    KivListValKivBaseUnknown_var chain;
    for (KivISPPAbstractActivity_var a = activity; a; a = a->GetParentActivity()) {
      const KivBaseUnknown_var node(a.get());
      if (out.Locate(node) > 0) break;
      chain.Append(node);
    }
    for (int i = chain.Size(); i >= 1; --i) out.Append(chain[i]);
  }
}

void MoxPexPFVRefreshServices::GetFathers(const KivIProduct_var& product,
                                          KivListValKivBaseUnknown_var& out) {
  KivListValKivBaseUnknown_var fathers;
  for (KivIProduct_var f = product ? product->FatherProduct() : NULL_var; f; f = f->FatherProduct())
    fathers.Append(KivBaseUnknown_var(f.get()));
  for (int i = fathers.Size(); i >= 1; --i) out.Append(fathers[i]);
}

void MoxPexPFVRefreshServices::GetListOfRelatedMfgAssemblies(const KivListValKivBaseUnknown_var& in,
                                                             KivListValKivBaseUnknown_var& out) {
  KivListValKivBaseUnknown_var pointing;
  for (const auto& element : in) AppendPointingObjects(element.get(), pointing);
  pointing.RemoveDuplicates();
  for (const auto& object : pointing) {
    if (!MoxIMfgAssembly_var(object.get()) || out.Locate(object) > 0) continue;
    out.Append(object);
    // One level further: the assemblies that hold this one.
    KivListValKivBaseUnknown_var holders;
    AppendPointingObjects(object.get(), holders);
    for (const auto& holder : holders)
      if (MoxIMfgAssembly_var(holder.get())) out.Append(holder);
  }
  out.RemoveDuplicates();
}

void MoxPexPFVRefreshServices::GetRelatedProcesses(const KivListValKivBaseUnknown_var& in,
                                                   KivListValKivBaseUnknown_var& out,
                                                   const KivUnicodeString&) {
  for (const auto& element : in)
    if (element) GetInverseLinkedObjects(element, out, kFirstAssigned);
}

void MoxPexPFVRefreshServices::GetInverseLinkedObjects(const KivBaseUnknown_var& object,
                                                       KivListValKivBaseUnknown_var& out,
                                                       const KivString& kind) {
  KivILinkableObject_var linkable(object.get());
  if (!linkable) return;
  KivListValKivBaseUnknown_var linking;
  linkable->GetLinkingObjects(linking);
  for (const auto& link : linking) {
    KivIModelObject_var named(link.get());
    if (!named) continue;
    const KivBaseUnknown_var owner = named->GetOwner();
    if (!owner || out.Locate(owner) > 0) continue;
    if (kind == "AllObj" || (kind == kFirstAssigned && KivISPPAbstractActivity_var(owner.get()) &&
                             Lists(owner.get(), link.get(), object.get())))
      out.Append(owner);
  }
}

void MoxPexPFVRefreshServices::GetAllChildrenOfMA(const MoxIMfgAssembly_var& assembly,
                                                  KivListValKivBaseUnknown_var& out,
                                                  const KivString& mode) {
  if (!assembly) return;
  KivListValKivBaseUnknown_var children;
  assembly->GetChildren(children);
  for (const auto& child : children) {
    if (MoxIMfgAssembly_var inner = child.get()) {
      if (mode == "AllItems") out.Append(child);
      GetAllChildrenOfMA(inner, out, mode);
    } else if (KivIProduct_var(child.get())) {
      out.Append(child);
    }
  }
}
