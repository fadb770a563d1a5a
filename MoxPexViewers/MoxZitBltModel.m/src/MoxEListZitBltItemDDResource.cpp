// Moving a resource from the activity it is assigned to to another activity.
// Products listed as items carry the same extension; they are no resources
// of the source and are refused.
#include "KivExtension.h"
#include "KivISPPResourceManagement.h"
#include "MoxBIWReassignRules.h"
#include "MoxIListZitBltItemDD.h"

using namespace MoxBIWReassign;

class MoxEListZitBltItemDDResource : public KivExtend<KivExtension, MoxIListZitBltItemDD> {
  KIV_CLASS(MoxEListZitBltItemDDResource, KivExtension, "MoxPexViewers")
 public:
  unsigned char IsValidToReassign(KivBaseUnknown* source, KivBaseUnknown* destination,
                                  KivUnicodeString& message) override {
    const bool valid = AreTwoLiveActivities(source, destination) && IsResourceOf(source) &&
                       KivISPPResourceManagement_var(destination);
    message = valid ? kValid : kNotAnActivity;
    return valid ? 1 : 0;
  }

  // The destination takes the resource first: when it refuses, the source
  // keeps it.
  HRESULT ReassignItem(KivBaseUnknown* source, KivBaseUnknown* destination) override {
    KivISPPResourceManagement_var from(source), to(destination);
    if (!from || !to || !AreTwoLiveActivities(source, destination) || !IsResourceOf(source))
      return E_FAIL;
    const HRESULT added = to->AssignResource(GetImpl(), 1, 1);
    if (FAILED(added)) return added;
    from->RemoveResource(GetImpl(), 1);
    return added;
  }

 private:
  bool IsResourceOf(KivBaseUnknown* activity) {
    KivISPPResourceManagement_var resources(activity);
    const KivSPPList assigned = resources ? resources->AssignedResources("Resource", 0) : nullptr;
    if (!assigned) return false;
    for (const KivBaseUnknown_var& resource : *assigned)
      if (KivIdentity(resource.get()) == GetImpl()) return true;
    return false;
  }
};

KIV_BOA_CODE_EXTENSION(MoxIListZitBltItemDD, MoxEListZitBltItemDDResource, "ASMPRODUCT");
