#pragma once
// A manufacturing assembly (late type "MoxMfgAssy"): an item made of products
// and other assemblies. Assemblies form a graph without cycles; a product may
// belong to several assemblies.
#include "KivSPPItemBase.h"
#include "MoxIMfgAssembly.h"

class KivMfgAssembly : public KivExtend<KivSPPItemBase, MoxIMfgAssembly> {
  KIV_CLASS_NAMED_BASE(KivMfgAssembly, "MoxMfgAssy", "ProcessModel")
 public:
  static constexpr const char* kLateType = "MoxMfgAssy";

  KivMfgAssembly(KivProcessDocument* document, std::string id, const KivUnicodeString& name);

  const char* GetLateType() const override { return kLateType; }
  std::vector<KivVar<KivSPPItemBase>>& Children() { return children_; }
  const std::vector<KivVar<KivSPPItemBase>>& Children() const { return children_; }
  // True when this assembly holds `item`, directly or through child assemblies.
  bool Holds(const KivSPPItemBase* item) const;
  void Detach() override;

  // KivISPPItem / KivIModelObject
  KivString GetItemType() override { return kLateType; }
  KivBaseUnknown_var GetOwner() override { return NULL_var; }

  // MoxIMfgAssembly
  HRESULT GetChildren(KivListValKivBaseUnknown_var& out) override;
  HRESULT AddChild(KivBaseUnknown* child) override;
  HRESULT RemoveChild(KivBaseUnknown* child) override;
  HRESULT GetInverslyLinkedActs(KivListValKivBaseUnknown_var& out) override;

 protected:
  ~KivMfgAssembly() override = default;

 private:
  // A change unit puts every field back as it was (KivDocumentChangeUnit.h).
  friend class KivDocumentChangeUnit;
  std::vector<KivVar<KivSPPItemBase>> children_;
};
