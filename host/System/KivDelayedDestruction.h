#pragma once
// Releases queued by components that must not be destroyed under their own
// call stack. The host's event loop flushes the queue after each user event.
#include <cstddef>

class KivBaseUnknown;

class KivDelayedDestruction {
 public:
  // Queues one release of the object; the caller gives up that reference.
  static void Request(KivBaseUnknown* object);
  // Performs every queued release, including those queued while flushing.
  // Returns how many releases were performed.
  static std::size_t Flush();
  static std::size_t Pending();
  // How many times the queue was flushed: it changes after every user event,
  // so that what is cached for one event can be checked again at the next.
  static unsigned long FlushCount();
};
