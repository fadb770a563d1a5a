#pragma once
// Extensions add interfaces to a component by its late type, without the
// component's class knowing them.
//
// - A data extension (BOA binding) is created on the first query, lives as
//   long as its component and keeps its fields; its references are the
//   component's references.
// - A code extension (TIE binding, or a stateless BOA) is created for each
//   query, holds a reference on its component and dies with its last handle.
//
// Either answers its own interface table first and hands every other
// identifier (IID_KivBaseUnknown included, so identity is the component's)
// to its component.
#include <string>
#include <vector>

#include "KivBaseUnknown.h"

enum class KivExtensionKind { Data, Code };

class KivExtension : public virtual KivBaseUnknown {
 public:
  HRESULT QueryInterface(const IID& iid, void** out) override;
  ULONG AddRef() override;
  ULONG Release() override;
  KivBaseUnknown* GetImpl() override { return component_; }
  KivExtensionKind Kind() const { return kind_; }

  // Called once by the binding function right after construction.
  void BindToComponent(KivBaseUnknown* component, KivExtensionKind kind);

 protected:
  KivExtension() = default;
  ~KivExtension() override;
  void* FindOwnInterface(const IID& iid) override;

 private:
  KivBaseUnknown* component_ = nullptr;
  KivExtensionKind kind_ = KivExtensionKind::Code;
};

using KivExtensionFactory = KivBaseUnknown* (*)(KivBaseUnknown* component);

struct KivExtensionBinding {
  std::string lateType;
  IID iid;
  std::string className;
  KivExtensionKind kind;
  KivExtensionFactory create;
};

class KivExtensionRegistry {
 public:
  static void Add(const KivExtensionBinding& binding);
  static void Remove(const std::string& lateType, const IID& iid, KivExtensionFactory create);
  // The binding for a component: its late type first, then the class names
  // along its meta chain.
  static const KivExtensionBinding* Find(const KivBaseUnknown& component, const IID& iid);
  static std::vector<KivExtensionBinding> All();
};

class KivExtensionRegistrar {
 public:
  KivExtensionRegistrar(const char* lateType, const IID& iid, const char* className,
                        KivExtensionKind kind, KivExtensionFactory create);
  ~KivExtensionRegistrar();
  KivExtensionRegistrar(const KivExtensionRegistrar&) = delete;
  KivExtensionRegistrar& operator=(const KivExtensionRegistrar&) = delete;

 private:
  std::string lateType_;
  IID iid_;
  KivExtensionFactory create_;
};

template <class Extension>
KivBaseUnknown* KivCreateExtension(KivBaseUnknown* component, KivExtensionKind kind) {
  auto* ext = new Extension();
  ext->BindToComponent(component, kind);
  return ext;
}

// Binds Class as a data extension implementing Interface on components of the
// late type, through the exported function CreateBOA<Interface><Class>.
#define KIV_BOA_DATA_EXTENSION(Interface, Class, LateType)                                     \
  extern "C" KivBaseUnknown* CreateBOA##Interface##Class(KivBaseUnknown* component) {          \
    return KivCreateExtension<Class>(component, KivExtensionKind::Data);                       \
  }                                                                                            \
  static const KivExtensionRegistrar kivBinding_##Interface##Class(                            \
      LateType, IID_##Interface, #Class, KivExtensionKind::Data, &CreateBOA##Interface##Class)

// Binds Class as a stateless code extension implementing Interface.
#define KIV_BOA_CODE_EXTENSION(Interface, Class, LateType)                                     \
  extern "C" KivBaseUnknown* CreateBOA##Interface##Class(KivBaseUnknown* component) {          \
    return KivCreateExtension<Class>(component, KivExtensionKind::Code);                       \
  }                                                                                            \
  static const KivExtensionRegistrar kivBinding_##Interface##Class(                            \
      LateType, IID_##Interface, #Class, KivExtensionKind::Code, &CreateBOA##Interface##Class)

// Binds the tie class TieClass (a forwarder implementing Interface that calls
// the component of class Class) through CreateTIE<Interface><Class>.
#define KIV_TIE_BINDING(Interface, Class, TieClass)                                            \
  extern "C" KivBaseUnknown* CreateTIE##Interface##Class(KivBaseUnknown* component) {          \
    return KivCreateExtension<TieClass>(component, KivExtensionKind::Code);                    \
  }                                                                                            \
  static const KivExtensionRegistrar kivBinding_##Interface##Class(                            \
      #Class, IID_##Interface, #TieClass, KivExtensionKind::Code, &CreateTIE##Interface##Class)
