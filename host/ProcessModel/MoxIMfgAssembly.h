#pragma once
// A manufacturing assembly (late type "MoxMfgAssy"): products and assemblies.
#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_MoxIMfgAssembly = KivGUID::FromName("MoxIMfgAssembly");

class MoxIMfgAssembly : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIMfgAssembly)
 public:
  // Appends the direct children, in order.
  virtual HRESULT GetChildren(KivListValKivBaseUnknown_var& out) = 0;
  // Adds a product or assembly of the same document; refuses itself and any
  // assembly that already holds it (no assembly is its own ancestor) and
  // resources.
  // S_FALSE when already a child. Sends "MAModified".
  virtual HRESULT AddChild(KivBaseUnknown* child) = 0;
  virtual HRESULT RemoveChild(KivBaseUnknown* child) = 0;
  // Appends the activities that have the assembly as an assigned item or
  // through a product link, each once.
  virtual HRESULT GetInverslyLinkedActs(KivListValKivBaseUnknown_var& out) = 0;
};
KIV_DECLARE_VAR(MoxIMfgAssembly);
