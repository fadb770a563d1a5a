#pragma once
// A path of objects from a root to a picked object (the leaf), e.g. the
// document's root activity, a station and one of its operations. Selection
// sets and path element agents hold paths, so a pick keeps the context in
// which the object was picked.
#include "KivImplement.h"
#include "KivList.h"
#include "KivVar.h"

class KivPathElement : public KivImplement<> {
  KIV_CLASS(KivPathElement, KivBaseUnknown, "Dialog")
 public:
  KivPathElement() = default;
  // A path of one object.
  explicit KivPathElement(KivBaseUnknown* leaf);
  // Objects from the root to the leaf; empty handles are left out.
  explicit KivPathElement(const KivListValKivBaseUnknown_var& rootToLeaf);

  // Appends an object below the current leaf.
  void AddChildElement(KivBaseUnknown* object);
  int GetSize() const { return objects_.Size(); }
  // Object at `index` (1 = root), or null out of range.
  KivBaseUnknown* GetElement(int index) const { return objects_.Get(index).get(); }
  KivBaseUnknown* GetRoot() const { return GetElement(1); }
  KivBaseUnknown* GetLeaf() const { return GetElement(GetSize()); }
  // The object `levels` above the leaf (1 = the leaf's father), or null.
  KivBaseUnknown* GetFatherElement(int levels = 1) const { return GetElement(GetSize() - levels); }
  // The object nearest to the leaf that answers the interface (held by the
  // path, no reference for the caller), or null.
  KivBaseUnknown* SearchObject(const char* interfaceName) const;
  const KivListValKivBaseUnknown_var& GetObjects() const { return objects_; }

  // Two paths are the same when they hold the same objects in the same order.
  bool IsSamePath(const KivPathElement* other) const;

 protected:
  ~KivPathElement() override;

 private:
  KivListValKivBaseUnknown_var objects_;
};
KIV_DECLARE_VAR(KivPathElement);

// The path behind a list entry (lists hold KivBaseUnknown handles), or null.
inline KivPathElement* KivAsPathElement(KivBaseUnknown* object) {
  return object ? dynamic_cast<KivPathElement*>(object->GetImpl()) : nullptr;
}
