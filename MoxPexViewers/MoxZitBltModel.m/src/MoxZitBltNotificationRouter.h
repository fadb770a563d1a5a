#pragma once
// The activity notifications of a process, passed to the subscriber of the
// activity they are about. Every subscriber of a viewer's level listens to
// the same root activity; one subscription per root and a table by activity
// keep each notification's cost independent of how many activities listen.
#include <functional>

#include "KivCallback.h"

class KivBaseUnknown;

class MoxZitBltNotificationRouter {
 public:
  // publisher, notification, client data
  using Listener = std::function<void(KivBaseUnknown*, KivNotification*, void*)>;

  // Passes the notifications of `publisher` whose father is `activity` to
  // `listener` until Leave. Returns an identifier (kKivNoCallback when the
  // publisher is null).
  static KivCallbackId Join(KivEventPublisher* publisher, KivBaseUnknown* activity,
                            Listener listener);
  static void Leave(KivCallbackId id);
  // How many publishers have a subscription; for tests.
  static int PublisherCount();
};
