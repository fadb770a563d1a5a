#pragma once
// The data extensions of one component, created on first query and destroyed
// with the component.
#include <vector>

#include "KivExtension.h"

class KivExtensionStore {
 public:
  KivBaseUnknown* Find(KivExtensionFactory create) const {
    for (const auto& e : entries_)
      if (e.create == create) return e.extension;
    return nullptr;
  }
  void Add(KivExtensionFactory create, KivBaseUnknown* extension) {
    entries_.push_back({create, extension});
  }
  // Hands the extensions out for destruction, newest first.
  std::vector<KivBaseUnknown*> TakeAll() {
    std::vector<KivBaseUnknown*> out;
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) out.push_back(it->extension);
    entries_.clear();
    return out;
  }

 private:
  struct Entry {
    KivExtensionFactory create;
    KivBaseUnknown* extension;
  };
  std::vector<Entry> entries_;
};
