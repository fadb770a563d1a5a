#pragma once
// What the host's registries hold at one moment (trace modules, classes,
// creation dictionary entries, extension bindings), so that pexhost can show
// what loading a module added.
#include <string>
#include <vector>

#include "KivClassRegistry.h"
#include "KivCreationDictionary.h"
#include "KivExtension.h"
#include "KivTrace.h"

struct PexRegistrySnapshot {
  std::vector<KivTrace::Module> traces;
  std::vector<KivClassRegistry::Entry> classes;
  std::vector<KivCreationEntry> factories;
  std::vector<KivExtensionBinding> extensions;

  static PexRegistrySnapshot Take();
  // The entries of `after` that this snapshot does not hold.
  PexRegistrySnapshot AddedIn(const PexRegistrySnapshot& after) const;
};
