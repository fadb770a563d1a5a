#pragma once
// The common part of the items of a process document (products, resources and
// manufacturing assemblies): identity, name and the back-references that let
// every "who points at me" query be answered without a document scan.
#include <string>
#include <vector>

#include "KivILinkableObject.h"
#include "KivIPointingObjects.h"
#include "KivISPPItem.h"
#include "KivIModelObject.h"
#include "KivImplement.h"

class KivProcessDocument;
class KivSPPActivity;
class KivSPPProductLink;
class KivMfgAssembly;

class KivSPPItemBase
    : public KivImplement<KivISPPItem, KivIModelObject, KivIPointingObjects, KivILinkableObject> {
  KIV_CLASS(KivSPPItemBase, KivBaseUnknown, "ProcessModel")
 public:
  KivProcessDocument* Document() const { return document_; }
  const std::string& Id() const { return id_; }
  const KivUnicodeString& Name() const { return name_; }
  void SetName(const KivUnicodeString& name) { name_ = name; }
  bool IsAttached() const { return document_ != nullptr; }

  // Back-references, kept by the document.
  std::vector<KivSPPProductLink*>& LinkingLinks() { return links_; }
  std::vector<KivMfgAssembly*>& HoldingAssemblies() { return assemblies_; }
  // Activities that have this item (or resource) assigned.
  std::vector<KivSPPActivity*>& AssignedTo() { return assignedTo_; }
  virtual void Detach();

  // KivISPPItem
  KivUnicodeString GetItemName() override { return name_; }
  // KivIModelObject
  KivUnicodeString ObjectName() override { return name_; }
  KivString ObjectType() override { return GetItemType(); }
  // KivIPointingObjects / KivILinkableObject
  HRESULT GetPointingObjects(KivListValKivBaseUnknown_var& out) override;
  HRESULT GetLinkingObjects(KivListValKivBaseUnknown_var& out) override;

 protected:
  KivSPPItemBase() = default;
  ~KivSPPItemBase() override = default;
  void SetItemIdentity(std::string id, const KivUnicodeString& name) {
    id_ = std::move(id);
    name_ = name;
  }

  KivProcessDocument* document_ = nullptr;

 private:
  // A change unit puts every field back as it was (KivDocumentChangeUnit.h).
  friend class KivDocumentChangeUnit;
  std::string id_;
  KivUnicodeString name_;
  std::vector<KivSPPProductLink*> links_;
  std::vector<KivMfgAssembly*> assemblies_;
  std::vector<KivSPPActivity*> assignedTo_;
};

// Removes the first occurrence of `value` from a back-reference vector.
template <class T>
bool KivEraseFirst(std::vector<T>& values, const T& value) {
  for (auto it = values.begin(); it != values.end(); ++it)
    if (*it == value) {
      values.erase(it);
      return true;
    }
  return false;
}

// Removes the handle on `object` from an owning vector; the removed handle is
// returned so that the object outlives the caller's use of it.
template <class T, class U>
KivVar<T> KivTakeHandle(std::vector<KivVar<T>>& handles, const U* object) {
  for (auto it = handles.begin(); it != handles.end(); ++it)
    if (it->get() == object) {
      KivVar<T> taken = std::move(*it);
      handles.erase(it);
      return taken;
    }
  return KivVar<T>();
}
