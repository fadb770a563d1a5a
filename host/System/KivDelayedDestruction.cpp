#include "KivDelayedDestruction.h"

#include <vector>

#include "KivBaseUnknown.h"

namespace {
std::vector<KivBaseUnknown*>& Queue() {
  static std::vector<KivBaseUnknown*> queue;
  return queue;
}
}  // namespace

void KivDelayedDestruction::Request(KivBaseUnknown* object) {
  if (object) Queue().push_back(object);
}

std::size_t KivDelayedDestruction::Flush() {
  std::size_t done = 0;
  while (!Queue().empty()) {
    std::vector<KivBaseUnknown*> batch;
    batch.swap(Queue());
    for (KivBaseUnknown* object : batch) {
      object->Release();
      ++done;
    }
  }
  return done;
}

std::size_t KivDelayedDestruction::Pending() { return Queue().size(); }
