#pragma once
// Declares a list command class to the host: the exported factory
// fctCreate<Class>(owner) that command headers find by module and class
// name, its creation dictionary entry and its class registration.
#include "KivClassRegistry.h"
#include "KivCreationDictionary.h"

#define MOX_LIST_ZITBLT_COMMAND(Class)                                 \
  extern "C" KivBaseUnknown* fctCreate##Class(KivBaseUnknown* owner) { \
    return static_cast<KivCommand*>(new Class(owner));                 \
  }                                                                    \
  KIV_DECLARE_CLASS(Class, "MoxPexViewers");                           \
  static const KivCreationRegistrar kivFactory_##Class(#Class, &fctCreate##Class, "MoxPexViewers")
