#pragma once
// An activity of the process tree, as the plug-in sees it first.

#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_KivISPPActivity = KivGUID::FromName("KivISPPActivity");

class KivISPPActivity : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivISPPActivity)
 public:
  // The parent activity; empty for a root and for a deleted activity.
  virtual KivVar<KivISPPActivity> ParentActivity() = 0;
  // The activity type name ("BIWActivityStation", ...).
  virtual KivUnicodeString TypeName() = 0;
  // The root activity of the process that holds this activity.
  virtual KivVar<KivISPPActivity> GetRootActivity() = 0;
  // The process document (answers KivInit), empty once deleted.
  virtual KivBaseUnknown_var GetProcessDocument() = 0;
  // 0 once the activity has been deleted from its document.
  virtual KivBoolean IsAttached() = 0;
};
KIV_DECLARE_VAR(KivISPPActivity);
