#pragma once
// The process container of a document: lists its processes (the root
// activity) and creates and removes resources.
#include "KivIResourceFactory.h"
#include "KivISPPProcessContainer.h"
#include "KivImplement.h"

class KivProcessDocument;

class KivSPPProcessContainer : public KivImplement<KivISPPProcessContainer, KivIResourceFactory> {
  KIV_CLASS(KivSPPProcessContainer, KivBaseUnknown, "ProcessModel")
 public:
  explicit KivSPPProcessContainer(KivProcessDocument* document) : document_(document) {}
  void Detach() { document_ = nullptr; }

  // KivISPPProcessContainer
  KivSPPList GetProcesses() override;
  HRESULT RemoveResource(KivBaseUnknown* resource) override;
  // KivIResourceFactory
  KivIResource_var CreateResource(const KivUnicodeString& type, const KivUnicodeString& name,
                                  KivBaseUnknown* father) override;

 protected:
  ~KivSPPProcessContainer() override = default;

 private:
  KivProcessDocument* document_;
};
