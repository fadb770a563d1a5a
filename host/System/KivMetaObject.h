#pragma once
// Class description of a component: class name, base class name and framework,
// linked to the base class's meta-object where the base is a known class.
#include <string_view>

#include "KivGUID.h"

class KivMetaObject {
 public:
  constexpr KivMetaObject(const char* className, const char* baseClassName, const char* framework,
                          const KivMetaObject* base)
      : className_(className), baseClassName_(baseClassName), framework_(framework), base_(base) {}

  const char* ClassName() const { return className_; }
  const char* BaseClassName() const { return baseClassName_; }
  const char* FrameworkName() const { return framework_; }
  const KivMetaObject* Base() const { return base_; }
  CLSID ClassId() const { return KivGUID::FromName(className_); }

  // True when this class or one of its bases along the chain has the name.
  // A base known only by name (no meta-object) still counts.
  bool IsAKindOf(std::string_view name) const {
    for (const KivMetaObject* m = this; m; m = m->base_) {
      if (name == m->className_) return true;
      if (!m->base_ && name == m->baseClassName_ && *m->baseClassName_) return true;
    }
    return false;
  }

 private:
  const char* className_;
  const char* baseClassName_;
  const char* framework_;
  const KivMetaObject* base_;
};

// Declares the meta-object of a class whose base is a C++ class with its own
// meta-object. Leaves the class body in the public section.
#define KIV_CLASS(Class, BaseClass, Framework)                                              \
 public:                                                                                     \
  static const KivMetaObject& MetaObject() {                                                 \
    static const KivMetaObject meta(#Class, #BaseClass, Framework, &BaseClass::MetaObject()); \
    return meta;                                                                             \
  }                                                                                          \
  const KivMetaObject* GetMetaObject() const override { return &MetaObject(); }

// Declares the meta-object of a class whose base class is known only by name.
#define KIV_CLASS_NAMED_BASE(Class, BaseName, Framework)                \
 public:                                                                \
  static const KivMetaObject& MetaObject() {                            \
    static const KivMetaObject meta(#Class, BaseName, Framework, nullptr); \
    return meta;                                                        \
  }                                                                     \
  const KivMetaObject* GetMetaObject() const override { return &MetaObject(); }
