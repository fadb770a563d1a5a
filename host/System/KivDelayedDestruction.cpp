#include "KivDelayedDestruction.h"

#include <vector>

#include "KivBaseUnknown.h"

namespace {
std::vector<KivBaseUnknown*>& Queue() {
  static std::vector<KivBaseUnknown*> queue;
  return queue;
}

// The storage of the last batch, handed back to the queue: closing a large
// level queues tens of thousands of objects, and growing a fresh vector for
// each batch costs more than the queueing itself.
std::vector<KivBaseUnknown*>& Spare() {
  static std::vector<KivBaseUnknown*> spare;
  return spare;
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
    std::vector<KivBaseUnknown*> batch = std::move(Spare());
    batch.clear();
    batch.swap(Queue());
    for (KivBaseUnknown* object : batch) {
      object->Release();
      ++done;
    }
    Spare() = std::move(batch);
  }
  return done;
}

std::size_t KivDelayedDestruction::Pending() { return Queue().size(); }

unsigned long KivDelayedDestruction::FlushCount() { return gFlushes; }
