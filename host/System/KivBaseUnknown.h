#pragma once
// The base of every component: intrusive reference count, interface query by
// identifier or by name, meta-object and kind tests, and the data extensions
// that live as long as the component.
#include <memory>

#include "KivGUID.h"
#include "KivMetaObject.h"
#include "KivTypes.h"

class KivBaseUnknown;
class KivExtensionStore;

inline constexpr IID IID_KivBaseUnknown =
    KivGUID::Literal("{00000000-0000-0000-C000-000000000046}");

// Declares an interface's identifier accessors inside the interface body.
// The identifier itself is `IID_<Name>`, an `inline constexpr IID` declared
// just before the interface: `KivGUID::Literal("{...}")` for an identifier
// given in its textual form, `KivGUID::FromName("<Name>")` otherwise.
#define KIV_INTERFACE(Name)                           \
 public:                                              \
  static const IID& ClassIID() { return IID_##Name; } \
  static constexpr const char* InterfaceName() { return #Name; }

class KivBaseUnknown {
 public:
  static const IID& ClassIID() { return IID_KivBaseUnknown; }
  static constexpr const char* InterfaceName() { return "KivBaseUnknown"; }
  static const KivMetaObject& MetaObject();

  // On success *out holds the interface with a reference for the caller.
  virtual HRESULT QueryInterface(const IID& iid, void** out);
  HRESULT QueryInterface(const char* interfaceName, void** out);
  // Whether a query would succeed, without making an extension or taking a
  // reference: a query by name hands back an untyped pointer that the caller
  // could not release safely.
  bool SupportsInterface(const IID& iid);
  bool SupportsInterface(const char* interfaceName);
  virtual ULONG AddRef();
  virtual ULONG Release();

  // The component behind an interface or extension object.
  virtual KivBaseUnknown* GetImpl() { return this; }
  virtual const KivMetaObject* GetMetaObject() const { return &MetaObject(); }
  // The type under which extensions are looked up; a component may report a
  // late type that differs from its class name (every activity is a
  // "PhysicalActivity", whatever its class).
  virtual const char* GetLateType() const { return GetMetaObject()->ClassName(); }

  const char* IsA() const { return GetMetaObject()->ClassName(); }
  bool IsAKindOf(const char* name) const { return name && GetMetaObject()->IsAKindOf(name); }

  // Gives up the caller's reference after the current user event, never under
  // the caller's own stack (see KivDelayedDestruction).
  // Virtual so that an object owned by a container (a widget in its parent,
  // a window in its layout) can leave the container first.
  virtual void RequestDelayedDestruction();

  ULONG RefCount() const { return refs_; }
  // Number of components alive in the process; tests use it to prove that
  // every reference is balanced.
  static long LiveInstances();

  KivBaseUnknown(const KivBaseUnknown&) = delete;
  KivBaseUnknown& operator=(const KivBaseUnknown&) = delete;

 protected:
  KivBaseUnknown();
  virtual ~KivBaseUnknown();

  // The interface table of the class: the pointer for iid, or null. The
  // variadic helpers in KivImplement.h generate it; the base answers
  // IID_KivBaseUnknown.
  virtual void* FindOwnInterface(const IID& iid);

  // Extensions forward their identity and lifetime to their component.
  friend class KivExtension;

 private:
  HRESULT QueryExtension(const IID& iid, void** out);

  ULONG refs_ = 1;
  std::unique_ptr<KivExtensionStore> extensions_;
};
