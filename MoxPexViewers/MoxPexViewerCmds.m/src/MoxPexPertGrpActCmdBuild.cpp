// The group command's build on OK: the grouping activity, its node, the
// copies of the picked activities inside it, the flow re-linked around it,
// its name, cycle time and resource. Every step reports whether its changes
// were made; the caller undoes the whole build when one was not.
#include <algorithm>
#include <cmath>

#include "KivCCP_Actor.h"
#include "KivIModelObject.h"
#include "KivIProductInSession.h"
#include "KivIResource.h"
#include "KivIResourceFactory.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPChildManagement.h"
#include "KivISPPFlowMgt.h"
#include "KivISPPProcessContainer.h"
#include "KivISPPResourceManagement.h"
#include "KivInit.h"
#include "KivPrdMultiImportNotif.h"
#include "KivSPPLinkServices.h"
#include "KivSPPReparentService.h"
#include "MoxIBIWActivityGrouping.h"
#include "MoxIBIWActivityStation.h"
#include "MoxIPertPosition.h"
#include "MoxIZitBltMgr.h"
#include "MoxPexActivityGroupDlg.h"
#include "MoxPexGroupShape.h"
#include "MoxPexPertBaseServices.h"
#include "MoxPexPertGrpActCmd.h"
#include "MoxPexTraces.h"
#include "MoxProcessGroupUtils.h"

namespace {
constexpr double kGridStep = 25.0;

// The centre of the grid cell holding the coordinate (truncation toward zero).
double SnapToCell(double c) { return kGridStep * std::trunc(c / kGridStep) + kGridStep / 2; }

KivListValKivBaseUnknown_var ChildrenOf(const KivBaseUnknown_var& activity) {
  KivISPPChildManagement_var management(activity.get());
  KivSPPList children = management ? management->ChildActivities("") : nullptr;
  return children ? std::move(*children) : KivListValKivBaseUnknown_var();
}

bool SameObject(KivBaseUnknown* a, KivBaseUnknown* b) { return KivIdentity(a) == KivIdentity(b); }

// The cell the group takes: the one at its members' mean place, unless a
// placed node of the level outside the group holds it; then the cell of the
// member nearest that mean, which the members leave when they move in.
std::pair<double, double> GroupCell(const KivBaseUnknown_var& group,
                                    const KivListValKivBaseUnknown_var& members) {
  std::vector<std::pair<double, double>> places;
  for (const auto& member : members) {
    double x = 0.0, y = 0.0;
    if (MoxIPertPosition_var position(member.get());
        position && SUCCEEDED(position->GetPertPosition(x, y)))
      places.emplace_back(x, y);
  }
  if (places.empty()) return {SnapToCell(0.0), SnapToCell(0.0)};
  double meanX = 0.0, meanY = 0.0;
  for (const auto& [x, y] : places) meanX += x, meanY += y;
  meanX /= static_cast<double>(places.size());
  meanY /= static_cast<double>(places.size());
  const std::pair<double, double> mean{SnapToCell(meanX), SnapToCell(meanY)};

  const auto isMember = [&](KivBaseUnknown* node) {
    return std::any_of(members.begin(), members.end(),
                       [node](const KivBaseUnknown_var& m) { return SameObject(m.get(), node); });
  };
  KivISPPAbstractActivity_var self(group.get());
  const KivBaseUnknown_var level =
      self ? KivBaseUnknown_var(self->GetParentActivity().get()) : KivBaseUnknown_var();
  for (const auto& other : ChildrenOf(level)) {
    bool notPlaced = true;
    double x = 0.0, y = 0.0;
    if (SameObject(other.get(), group.get()) || isMember(other.get()) ||
        FAILED(MoxPexPertBaseServices::GetPertExtension(other, notPlaced)) || notPlaced)
      continue;
    MoxIPertPosition_var position(other.get());
    if (!position || FAILED(position->GetPertPosition(x, y))) continue;
    if (std::pair(SnapToCell(x), SnapToCell(y)) != mean) continue;
    const auto nearest = std::min_element(places.begin(), places.end(), [&](auto a, auto b) {
      return std::hypot(a.first - meanX, a.second - meanY) <
             std::hypot(b.first - meanX, b.second - meanY);
    });
    return {SnapToCell(nearest->first), SnapToCell(nearest->second)};
  }
  return mean;
}

bool Link(KivBaseUnknown* from, KivBaseUnknown* to) {
  KivISPPFlowMgt_var source(from);
  KivISPPFlowMgt_var target(to);
  if (!source || !target) return true;  // not a graph node: skipped
  if (KivSPPLinkServices::AreAllreadyLinked(source.get(), target.get()) != 1) return true;
  return SUCCEEDED(source->AddNextLink(target.get()));
}
}  // namespace

bool MoxPexPertGrpActCmd::BuildGroup(const KivBaseUnknown_var& entry) {
  const KivListValKivBaseUnknown_var anchors = MoxPreviousActivities(entry.get());
  const KivBaseUnknown_var group = MoxProcessGroupUtils::CreateAfterOperation(
      KivISPPFlowMgt_var(anchors[1].get()), GetActivityTypeToCreate(dialog_->GetActivityType()),
      groupList_);
  groupActivity_ = group.get();
  if (!groupActivity_) return false;

  if (MoxIPertPosition_var position(group.get()); position) {
    const auto [x, y] = GroupCell(group, groupList_);
    if (FAILED(position->SetPertPosition(x, y))) return false;
    // The node was shown (with its buttons) where it was made; they follow it.
    if (MoxIZitBltMgr_var buttons(group.get()); buttons) buttons->UpdatePositions();
  }
  if (!CopyList(groupList_, group)) return false;
  if (FAILED(groupActivity_->SetActivityLabel(dialog_->GetActivityName()))) return false;
  if (!KivISPPChildManagement_var(group.get())) return true;
  const KivListValKivBaseUnknown_var children = ChildrenOf(group);
  return SetCycleTime(group, children) && CreateGroupResource(group, children);
}

bool MoxPexPertGrpActCmd::CopyList(const KivListValKivBaseUnknown_var& list,
                                   const KivBaseUnknown_var& group) {
  MoxPexViewerCmdsTrace().Write("MoxPexPertGrpActCmd:: CopyList");
  KivCSO* cso = editor_ ? editor_->GetCSO() : nullptr;
  if (!cso) return false;
  cso->Empty();
  KivListValKivBaseUnknown_var paths;
  for (const auto& activity : list)
    paths.Append(KivBaseUnknown_var(editor_->BuildPathElement(activity.get()).get()));
  cso->AddElements(paths);

  auto actor = KivMake<KivCCP_Actor>(0, editor_.get());
  const KivPathElement_var target = editor_->BuildPathElement(group.get());
  if (!target || !actor->Init()) return false;
  actor->SetMode(KivCCP_Actor::CopyMode);
  if (!actor->ReadSelection() || !actor->CanCopy() || FAILED(actor->Copy())) return false;
  actor->SetMode(KivCCP_Actor::PasteMode);
  if (!actor->CanPaste(target.get()) || FAILED(actor->Paste(target.get()))) return false;

  KivListValKivBaseUnknown_var pasted;
  GetCSOElements(pasted);
  if (!MakeLinks(group, pasted) || !RemoveFlows(group, list)) return false;

  cso->Empty();
  paths.RemoveAll();
  for (const auto& activity : list) {
    if (MoxIZitBltMgr_var buttons(activity.get()); buttons) buttons->Remove();
    paths.Append(KivBaseUnknown_var(editor_->BuildPathElement(activity.get()).get()));
  }
  cso->AddElements(paths);
  bool cut = actor->Init() && actor->SetMode(KivCCP_Actor::CopyMode) && actor->ReadSelection() &&
             actor->CanCut() && SUCCEEDED(actor->Cut());
  // Nothing of the build stays on the clipboard.
  actor->CloseClipboard();
  actor->OpenClipboard();
  actor->CloseClipboard();
  cso->Empty();
  return cut;
}

void MoxPexPertGrpActCmd::GetCSOElements(KivListValKivBaseUnknown_var& list) const {
  MoxPexViewerCmdsTrace().Write("MoxPexPertGrpActCmd:: GetCSOElements");
  KivCSO* cso = editor_ ? editor_->GetCSO() : nullptr;
  if (!cso) return;
  for (const auto& element : cso->GetElements()) {
    KivPathElement* path = KivAsPathElement(element.get());
    if (KivISPPActivity_var activity(path ? path->GetLeaf() : nullptr); activity)
      list.Append(KivBaseUnknown_var(activity.get()));
  }
  MoxPexViewerCmdsTrace().Write("Size of CSO elements After Copy " + std::to_string(list.Size()));
}

bool MoxPexPertGrpActCmd::MakeLinks(const KivBaseUnknown_var& group,
                                    const KivListValKivBaseUnknown_var& pasted) {
  MoxPexViewerCmdsTrace().Write("MoxPexPertGrpActCmd:: MakeLinks");
  // The Start and Stop nodes frame the copies: their extent is that of the
  // activities inside, not of the Start and Stop nodes' own old places.
  KivBaseUnknown_var start, stop;
  double least = 0.0, greatest = 0.0, sumY = 0.0;
  int placed = 0;
  for (const auto& child : ChildrenOf(group)) {
    if (!KivISPPActivity_var(child.get())) {
      KivIModelObject_var model(child.get());
      const std::string name = model ? model->ObjectName().ConvertToUTF8() : std::string();
      if (name.find("Start") != std::string::npos) start = child;
      if (name.find("Stop") != std::string::npos) stop = child;
      continue;
    }
    double x = 0.0, y = 0.0;
    MoxIPertPosition_var position(child.get());
    if (!position || FAILED(position->GetPertPosition(x, y))) continue;
    least = placed == 0 ? x : std::min(least, x);
    greatest = placed == 0 ? x : std::max(greatest, x);
    sumY += y;
    ++placed;
  }
  const double y = SnapToCell(placed ? sumY / placed : 0.0);
  if (MoxIPertPosition_var p(start.get()); p && FAILED(p->SetPertPosition(least - kGridStep, y)))
    return false;
  if (MoxIPertPosition_var p(stop.get()); p && FAILED(p->SetPertPosition(greatest + kGridStep, y)))
    return false;
  if (pasted.IsEmpty()) return true;
  KivListValKivBaseUnknown_var afterStart, beforeStop;
  GetListActAfterStartAndBeforeStop(&pasted, afterStart, beforeStop);
  for (const auto& first : afterStart)
    if (!Link(start.get(), first.get())) return false;
  for (const auto& last : beforeStop)
    if (!Link(last.get(), stop.get())) return false;
  return true;
}

void MoxPexPertGrpActCmd::GetListActAfterStartAndBeforeStop(
    const KivListValKivBaseUnknown_var* list, KivListValKivBaseUnknown_var& afterStart,
    KivListValKivBaseUnknown_var& beforeStop) {
  if (!list) return;
  for (const auto& activity : *list) {
    if (MoxPreviousActivities(activity.get()).IsEmpty()) afterStart.Append(activity);
    if (MoxNextActivities(activity.get()).IsEmpty()) beforeStop.Append(activity);
  }
}

bool MoxPexPertGrpActCmd::RemoveFlows(const KivBaseUnknown_var& group,
                                      const KivListValKivBaseUnknown_var& picked) {
  MoxPexViewerCmdsTrace().Write("MoxPexPertGrpActCmd:: RemoveFlows");
  const MoxPexGroupShape shape(groupList_);
  const KivBaseUnknown* groupIdentity = KivIdentity(group.get());
  auto outside = [&](const KivBaseUnknown_var& n) {
    return !shape.Contains(n.get()) && KivIdentity(n.get()) != groupIdentity;
  };
  for (const auto& member : picked) {
    KivISPPFlowMgt_var flow(member.get());
    if (!flow) continue;
    for (const auto& previous : MoxPreviousActivities(member.get())) {
      if (!outside(previous)) continue;
      if (FAILED(flow->RemoveLink(KivISPPFlowMgt_var(previous.get()).get())) ||
          !Link(previous.get(), group.get()))
        return false;
    }
    for (const auto& next : MoxNextActivities(member.get())) {
      if (!outside(next)) continue;
      if (FAILED(flow->RemoveLink(KivISPPFlowMgt_var(next.get()).get())) ||
          !Link(group.get(), next.get()))
        return false;
    }
  }
  return true;
}

bool MoxPexPertGrpActCmd::SetCycleTime(const KivBaseUnknown_var& group,
                                       const KivListValKivBaseUnknown_var& children) {
  MoxIBIWActivityGrouping_var grouping(group.get());
  const KivUnicodeString choice = dialog_->GetCycleTimeType();
  if (choice == KivUnicodeString("parent")) {
    KivISPPActivity_var activity(group.get());
    MoxIBIWActivityGrouping_var parent(activity ? activity->ParentActivity().get() : nullptr);
    if (parent && grouping) return SUCCEEDED(grouping->SetGroupCycleTime(parent->GroupCycleTime()));
    return true;
  }
  if (choice != KivUnicodeString("children")) return true;
  double longest = 0.0;
  for (const auto& child : children) {
    if (MoxIBIWActivityStation_var station(child.get()); station)
      longest = std::max(longest, station->StationCycleTime());
    else if (MoxIBIWActivityGrouping_var inner(child.get()); inner)
      longest = std::max(longest, inner->GroupCycleTime());
  }
  return !grouping || SUCCEEDED(grouping->SetGroupCycleTime(longest));
}

bool MoxPexPertGrpActCmd::CreateGroupResource(const KivBaseUnknown_var& group,
                                              const KivListValKivBaseUnknown_var& children) {
  if (!resourcesAssigned_) return true;
  KivIProduct_var groupResource;
  KivBaseUnknown_var container;
  KivPathElement_var groupResourcePath;
  bool first = true;
  for (const auto& child : children) {
    KivISPPResourceManagement_var management(child.get());
    const KivSPPList resources =
        management ? management->AssignedResources("Resource", 0) : nullptr;
    if (!resources) continue;
    for (const auto& resource : *resources) {
      if (first) {
        first = false;
        KivIProduct_var product(resource.get());
        const KivIProduct_var father = product ? product->FatherProduct() : KivIProduct_var();
        if (father) {
          groupResource = father->AddChildProduct(dialog_->GetResourceName(), nullptr);
          if (!groupResource) return false;
        }
        if (KivInit_var init(document_.get()); init)
          container = init->RootContainer("KivISPPProcessContainer");
        if (groupResource) groupResourcePath = editor_->BuildPathElement(groupResource.get());
        if (resourceFather_ && groupResource) {
          if (KivIProductInSession_var session(resourceFather_.get()); session) {
            auto notification = KivMake<KivPrdMultiImportNotif>(
                resourceFather_.get(), KivListValKivBaseUnknown_var{groupResource.get()});
            session->DispatchNotification(notification.get(), 1, 1);
          }
          CreateOneResource(groupResource);
        }
      }
      if (groupResource &&
          FAILED(KivSPPReparentService::ReparentResource(resource.get(), groupResource.get(),
                                                         groupResourcePath.get(), container.get())))
        return false;
    }
  }
  KivISPPResourceManagement_var groupManagement(group.get());
  if (groupManagement && groupResource)
    return SUCCEEDED(groupManagement->AssignResource(groupResource.get(), 1, 1));
  return true;
}

void MoxPexPertGrpActCmd::CreateOneResource(const KivIProduct_var& product) const {
  // The group resource is made under a resource, so it is a resource already;
  // it takes the resource type chosen in the dialog, when one was.
  const KivUnicodeString type = dialog_->GetResourceType();
  if (KivIResource_var resource(product.get()); resource) {
    if (type.GetLengthInChar() > 0) resource->SetResourceType(type);
    return;
  }
  KivInit_var init(document_.get());
  KivIResourceFactory_var factory(init ? init->RootContainer("KivISPPProcessContainer").get()
                                       : nullptr);
  if (factory) factory->CreateResource(type, dialog_->GetResourceName(), nullptr);
}
