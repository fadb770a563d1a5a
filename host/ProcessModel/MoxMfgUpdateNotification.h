#pragma once
// The notification of a change of a manufacturing assembly, dispatched on the
// model events of the "MoxMBomNodesCont" container. The modification is one of
// "MACreated", "MAModified" (children changed) and "MADeleting" (sent before the
// assembly is deleted, while its links and assignments still exist).
#include "KivNotification.h"
#include "KivString.h"
#include "KivVar.h"

// The kind under which assembly notifications are subscribed.
struct MoxMfgNotificationDispatcher {
  static const char* GetMfgModified() { return "MoxMfgUpdateNotification"; }
};

class MoxMfgUpdateNotification : public KivNotification {
  KIV_CLASS(MoxMfgUpdateNotification, KivNotification, "ProcessModel")
 public:
  MoxMfgUpdateNotification(KivBaseUnknown* assembly, const KivString& modification)
      : assembly_(assembly), modification_(modification) {}

  KivBaseUnknown* GetMfgAssembly() const { return assembly_.get(); }
  const KivString& GetModification() const { return modification_; }

 protected:
  ~MoxMfgUpdateNotification() override = default;

 private:
  KivBaseUnknown_var assembly_;
  KivString modification_;
};
