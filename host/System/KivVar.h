#pragma once
// Typed handles on components. A handle holds one reference. Building or
// assigning a handle from a pointer or handle of another type queries the
// interface (or, for a class type, finds the component's implementation of
// that class); an empty handle means the object lacks it.
#include <cstddef>
#include <type_traits>
#include <utility>

#include "KivBaseUnknown.h"

struct KivNullVarType {};
// The empty handle, comparable with and assignable to every handle type.
inline constexpr KivNullVarType NULL_var{};

template <class T>
concept KivHasInterfaceId = requires { T::ClassIID(); } && requires { T::InterfaceName(); } &&
                            std::is_abstract_v<T>;

// The component behind any interface or extension pointer: the identity used
// by handle comparisons.
inline KivBaseUnknown* KivIdentity(KivBaseUnknown* p) { return p ? p->GetImpl() : nullptr; }

template <class T>
class KivVar {
 public:
  using element_type = T;

  KivVar() = default;
  KivVar(KivNullVarType) {}
  KivVar(std::nullptr_t) {}
  template <class U>
  KivVar(U* p) {
    Assign(p);
  }
  KivVar(const KivVar& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  KivVar(KivVar&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  template <class U>
  KivVar(const KivVar<U>& other) {
    Assign(other.get());
  }
  ~KivVar() { Reset(); }

  KivVar& operator=(KivVar other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  KivVar& operator=(KivNullVarType) {
    Reset();
    return *this;
  }

  // Takes over a reference the caller already owns (a freshly created object).
  static KivVar Adopt(T* p) {
    KivVar v;
    v.p_ = p;
    return v;
  }
  // Gives up the reference without releasing it.
  T* Detach() { return std::exchange(p_, nullptr); }
  void Reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  operator T*() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  bool operator!() const { return p_ == nullptr; }

 private:
  template <class U>
  void Assign(U* p) {
    if (!p) return;
    if constexpr (std::is_base_of_v<T, U>) {
      p_ = static_cast<T*>(p);
      p_->AddRef();
    } else if constexpr (KivHasInterfaceId<T>) {
      void* out = nullptr;
      if (SUCCEEDED(p->QueryInterface(T::ClassIID(), &out))) p_ = static_cast<T*>(out);
    } else {
      // A class type: the component itself must be (or derive from) T.
      if (T* impl = dynamic_cast<T*>(p->GetImpl())) {
        p_ = impl;
        p_->AddRef();
      }
    }
  }

  T* p_ = nullptr;
};

template <class T, class U>
bool operator==(const KivVar<T>& a, const KivVar<U>& b) {
  if (static_cast<const void*>(a.get()) == static_cast<const void*>(b.get())) return true;
  return a && b && KivIdentity(a.get()) == KivIdentity(b.get());
}
template <class T>
bool operator==(const KivVar<T>& a, KivNullVarType) {
  return !a;
}

// Creates a component and wraps the creation reference in a handle.
template <class T, class... Args>
KivVar<T> KivMake(Args&&... args) {
  return KivVar<T>::Adopt(new T(std::forward<Args>(args)...));
}

#define KIV_DECLARE_VAR(Name) using Name##_var = KivVar<Name>

using KivBaseUnknown_var = KivVar<KivBaseUnknown>;
