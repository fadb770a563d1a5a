#pragma once
// The children of an activity: child activities and its Start and Stop nodes.
#include "KivISPPActivity.h"
#include "KivProcessModelTypes.h"
#include "KivString.h"
#include "KivVar.h"

inline constexpr IID IID_KivISPPChildManagement = KivGUID::FromName("KivISPPChildManagement");

class KivISPPChildManagement : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivISPPChildManagement)
 public:
  // A new child activity of a body-in-white type (every type but
  // "BIWActivityRoot"); empty for any other type. Sends kind 3 on this activity.
  virtual KivVar<KivISPPActivity> AddChildActivity(const KivUnicodeString& type) = 0;
  // Children in order. "": every child, the Start and Stop nodes included
  // (first and last); "Activity": every child activity; a type name: the
  // child activities of that type.
  virtual KivSPPList ChildActivities(const KivString& type) = 0;
  // Whether there is a child activity, without listing the children: asked
  // for every node each time a chart draws it.
  virtual bool HasChildActivities() = 0;
  // The Start and Stop nodes; empty for an activity that has none.
  virtual KivBaseUnknown_var GetStartNode() = 0;
  virtual KivBaseUnknown_var GetStopNode() = 0;
  // Deletes a child activity with everything under it (see KivProcessDocument::DeleteActivities).
  virtual HRESULT RemoveChildActivity(KivBaseUnknown* child) = 0;
};
KIV_DECLARE_VAR(KivISPPChildManagement);
