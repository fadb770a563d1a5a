#include "KivDelayedDestruction.h"

#include <vector>

#include "KivBaseUnknown.h"

namespace {
std::vector<KivBaseUnknown*>& Queue() {
  static std::vector<KivBaseUnknown*> queue;
  return queue;
}

unsigned long gFlushes = 0;
}  // namespace

void KivDelayedDestruction::Request(KivBaseUnknown* object) {
  if (object) Queue().push_back(object);
}

std::size_t KivDelayedDestruction::Flush() {
  ++gFlushes;
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

unsigned long KivDelayedDestruction::FlushCount() { return gFlushes; }
