#pragma once
// A token bucket: `burst` requests at once, refilled at `perSecond`. A page
// that runs away (or anything else flooding the port) is answered "too many
// requests" instead of queueing work for the single-threaded host.
#include <functional>
#include <mutex>

class PexServeRateLimiter {
 public:
  // Seconds on a monotonic clock; replaceable for tests.
  using Clock = std::function<double()>;
  static double SteadySeconds();

  PexServeRateLimiter(double perSecond, double burst, Clock clock = SteadySeconds);

  // Takes one token; false when the bucket is empty. Thread-safe.
  bool Allow();

 private:
  std::mutex mutex_;
  double perSecond_;
  double burst_;
  Clock clock_;
  double tokens_;
  double last_;
};
