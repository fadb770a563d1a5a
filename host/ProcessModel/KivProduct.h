#pragma once
// A product or a resource (late type "ASMPRODUCT"): a node of the product tree
// or of the resource tree. It owns its children. Its show attribute lives in
// its visual properties; a change is announced on its own model events and on
// those of each of its fathers, so that a listener on a tree root hears the
// whole tree.
#include "KivCallback.h"
#include "KivIProduct.h"
#include "KivIProductInSession.h"
#include "KivIResource.h"
#include "KivIVisProperties.h"
#include "KivSPPItemBase.h"

class KivProduct : public KivExtend<KivSPPItemBase, KivIProduct, KivIVisProperties,
                                    KivIProductInSession, KivIResource, KivIModelEvents> {
  KIV_CLASS_NAMED_BASE(KivProduct, "ASMPRODUCT", "ProcessModel")
 public:
  static constexpr const char* kLateType = "ASMPRODUCT";

  KivProduct(KivProcessDocument* document, KivProduct* father, std::string id,
             const KivUnicodeString& name, bool resource, const KivUnicodeString& resourceType);

  const char* GetLateType() const override { return kLateType; }
  bool IsResource() const { return resource_; }
  KivProduct* Father() const { return father_; }
  void SetFather(KivProduct* father) { father_ = father; }
  std::vector<KivVar<KivProduct>>& Children() { return children_; }
  const std::vector<KivVar<KivProduct>>& Children() const { return children_; }
  KivShowAttribut Show() const { return show_; }
  // Sets the attribute and announces a change; false when nothing changed.
  bool ChangeShow(KivShowAttribut show);
  // True when `ancestor` is this product or one of its fathers.
  bool IsWithin(const KivProduct* ancestor) const;
  const KivUnicodeString& ResourceType() const { return resourceType_; }
  const KivUnicodeString& Alias() const { return alias_; }
  void Detach() override;

  // KivISPPItem / KivIModelObject
  KivString GetItemType() override { return kLateType; }
  KivBaseUnknown_var GetOwner() override;

  // KivIProduct
  KivIProduct_var FatherProduct() override;
  KivSPPList ChildProducts(const KivString& type) override;
  KivIProduct_var AddChildProduct(const KivUnicodeString& name, KivBaseUnknown* container) override;
  HRESULT RemoveChildProduct(KivIProduct* child) override;
  KivUnicodeString GetAlias() override { return alias_; }
  HRESULT SetAlias(const KivUnicodeString& alias) override;

  // KivIVisProperties
  HRESULT GetShow(KivShowAttribut& show) override;
  HRESULT SetShow(KivShowAttribut show) override;

  // KivIProductInSession
  HRESULT DispatchNotification(KivNotification* notification, int a, int b) override;

  // KivIResource (resources only)
  KivUnicodeString GetResourceType() override { return resourceType_; }
  HRESULT SetResourceType(const KivUnicodeString& type) override;

  // KivIModelEvents (the publisher is made on first use)
  KivEventPublisher* GetNotificationDispatcher() override;
  HRESULT Dispatch(KivNotification* notification) override;

 protected:
  ~KivProduct() override = default;
  void* FindOwnInterface(const IID& iid) override;

 private:
  // A change unit puts every field back as it was (KivDocumentChangeUnit.h).
  friend class KivDocumentChangeUnit;
  KivProduct* father_;
  std::vector<KivVar<KivProduct>> children_;
  KivShowAttribut show_ = KivShow;
  bool resource_;
  KivUnicodeString resourceType_;
  KivUnicodeString alias_;
  KivVar<KivEventPublisher> publisher_;
};
