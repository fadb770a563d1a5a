#include "PexServeRateLimiter.h"

#include <algorithm>
#include <chrono>

double PexServeRateLimiter::SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

PexServeRateLimiter::PexServeRateLimiter(double perSecond, double burst, Clock clock)
    : perSecond_(perSecond), burst_(burst), clock_(std::move(clock)), tokens_(burst),
      last_(clock_()) {}

bool PexServeRateLimiter::Allow() {
  std::lock_guard<std::mutex> lock(mutex_);
  const double now = clock_();
  tokens_ = std::min(burst_, tokens_ + std::max(0.0, now - last_) * perSecond_);
  last_ = now;
  if (tokens_ < 1.0) return false;
  tokens_ -= 1.0;
  return true;
}
