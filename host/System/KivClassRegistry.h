#pragma once
// The component classes a module declares, by meta-object, so that the host
// can list the classes (name, base class, framework) a module brought in
// without creating any of them.
#include <string>
#include <vector>

#include "KivMetaObject.h"

class KivClassRegistry {
 public:
  struct Entry {
    const KivMetaObject* meta;
    std::string module;  // "" for the host
  };
  static void Add(const KivMetaObject& meta, const char* module);
  static void Remove(const KivMetaObject& meta);
  // Null when no class of that name is declared.
  static const KivMetaObject* Find(const char* className);
  // Every declared class, in declaration order.
  static std::vector<Entry> All();
};

class KivClassRegistrar {
 public:
  KivClassRegistrar(const KivMetaObject& meta, const char* module) : meta_(meta) {
    KivClassRegistry::Add(meta, module);
  }
  ~KivClassRegistrar() { KivClassRegistry::Remove(meta_); }
  KivClassRegistrar(const KivClassRegistrar&) = delete;
  KivClassRegistrar& operator=(const KivClassRegistrar&) = delete;

 private:
  const KivMetaObject& meta_;
};

// Declares Class (which has KIV_CLASS or KIV_CLASS_NAMED_BASE) for the
// lifetime of the module that holds this line.
#define KIV_DECLARE_CLASS(Class, Module) \
  static const KivClassRegistrar kivClass_##Class(Class::MetaObject(), Module)
