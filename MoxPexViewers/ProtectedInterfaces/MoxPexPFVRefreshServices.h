#pragma once
// Which activities must rebuild a status button's list after a product or a
// manufacturing assembly changed, and the rebuild itself (through each
// activity's MoxIZitBltMgr::UpdateZitBltReps). Stateless; every list is
// 1-based and owned by the caller.
#include "KivIProduct.h"
#include "KivISPPActivity.h"
#include "KivList.h"
#include "KivUnicodeString.h"
#include "MoxIMfgAssembly.h"

class MoxPexPFVRefreshServices {
 public:
  // Has the activity's manager rebuild the list of that ZitBlt name.
  static void RefreshPODForActivity(const KivISPPActivity_var& activity,
                                    const KivUnicodeString& zitBlt);
  static void RefreshPODForActivities(const KivListValKivBaseUnknown_var& activities,
                                      const KivUnicodeString& zitBlt);
  // Rebuilds the lists of that name on every activity that lists the
  // product, one of its fathers or an assembly holding them, and on their
  // ancestors, each once.
  static void RefreshReleventPODforProduct(const KivIProduct_var& product,
                                           const KivUnicodeString& zitBlt);

  // Appends the activities of `in` and all their ancestors, ancestors
  // before descendants, each once.
  static void GetParentProcesses(KivListValKivBaseUnknown_var& out,
                                 const KivListValKivBaseUnknown_var& in);
  // Appends the fathers of the product, from the top of its tree down.
  static void GetFathers(const KivIProduct_var& product, KivListValKivBaseUnknown_var& out);
  // Appends the assemblies that hold an object of `in`, and the assemblies
  // holding those, each once.
  static void GetListOfRelatedMfgAssemblies(const KivListValKivBaseUnknown_var& in,
                                            KivListValKivBaseUnknown_var& out);
  // Appends the activities that list an object of `in` (see
  // GetInverseLinkedObjects, kind "KivProcess_first_assigned").
  static void GetRelatedProcesses(const KivListValKivBaseUnknown_var& in,
                                  KivListValKivBaseUnknown_var& out,
                                  const KivUnicodeString& zitBlt);
  // Appends the owners of the objects that link to `object`: every owner for
  // kind "AllObj"; for "KivProcess_first_assigned" the activities that list
  // the object, through a product link of theirs or an assignment.
  static void GetInverseLinkedObjects(const KivBaseUnknown_var& object,
                                      KivListValKivBaseUnknown_var& out, const KivString& kind);
  // Appends the products below the assembly, at any depth; with mode
  // "AllItems" the assemblies below it too.
  static void GetAllChildrenOfMA(const MoxIMfgAssembly_var& assembly,
                                 KivListValKivBaseUnknown_var& out, const KivString& mode);
};
