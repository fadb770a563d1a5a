#pragma once
// A named container of a document ("KivSPPPPRCont", "MoxMBomNodesCont"): lists
// its members by kind and carries the model events of its members (the
// assembly notifications on "MoxMBomNodesCont").
#include "KivCallback.h"
#include "KivIContainer.h"
#include "KivImplement.h"
#include "KivString.h"

class KivProcessDocument;

class KivSPPMemberContainer : public KivImplement<KivIContainer, KivIModelEvents> {
  KIV_CLASS(KivSPPMemberContainer, KivBaseUnknown, "ProcessModel")
 public:
  KivSPPMemberContainer(KivProcessDocument* document, const KivString& name)
      : document_(document), name_(name) {}
  const KivString& Name() const { return name_; }
  void Detach() { document_ = nullptr; }
  bool HasListeners() const { return publisher_->CallbackCount() > 0; }

  // KivIContainer
  KivSPPList GetMembers(const KivString& memberKind, const KivString& interfaceName) override;
  // KivIModelEvents
  KivEventPublisher* GetNotificationDispatcher() override { return publisher_.get(); }
  HRESULT Dispatch(KivNotification* notification) override;

 protected:
  ~KivSPPMemberContainer() override = default;

 private:
  KivProcessDocument* document_;
  KivString name_;
  KivVar<KivEventPublisher> publisher_ = KivMake<KivEventPublisher>();
};
