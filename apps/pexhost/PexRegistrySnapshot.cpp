#include "PexRegistrySnapshot.h"

#include <algorithm>

namespace {
// Entries of `after` not in `before`, in the order of `after`.
template <class T, class Same>
std::vector<T> Added(const std::vector<T>& before, const std::vector<T>& after, Same same) {
  std::vector<T> added;
  for (const T& a : after) {
    const bool known =
        std::any_of(before.begin(), before.end(), [&](const T& b) { return same(a, b); });
    if (!known) added.push_back(a);
  }
  return added;
}
}  // namespace

PexRegistrySnapshot PexRegistrySnapshot::Take() {
  PexRegistrySnapshot s;
  s.traces = KivTrace::RegisteredModules();
  s.classes = KivClassRegistry::All();
  s.factories = KivCreationDictionary::Entries();
  // The dictionary lists the newest registration first; show load order.
  std::reverse(s.factories.begin(), s.factories.end());
  s.extensions = KivExtensionRegistry::All();
  return s;
}

PexRegistrySnapshot PexRegistrySnapshot::AddedIn(const PexRegistrySnapshot& after) const {
  PexRegistrySnapshot added;
  added.traces =
      Added(traces, after.traces, [](const auto& a, const auto& b) { return a.name == b.name; });
  added.classes =
      Added(classes, after.classes, [](const auto& a, const auto& b) { return a.meta == b.meta; });
  added.factories = Added(factories, after.factories, [](const auto& a, const auto& b) {
    return a.className == b.className && a.Address() == b.Address();
  });
  added.extensions = Added(extensions, after.extensions, [](const auto& a, const auto& b) {
    return a.lateType == b.lateType && a.iid == b.iid && a.create == b.create;
  });
  return added;
}
