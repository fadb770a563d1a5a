#pragma once
// Test helpers that restore global state: environment variables and the
// trace activation (and, from KivTestFiles.h, temporary folders).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

#include "KivTestFiles.h"
#include "KivTrace.h"

// Sets (or unsets) an environment variable for the lifetime of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedEnv() { Set(old_ ? old_->c_str() : nullptr); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Set(const char* value) {
    if (value)
      setenv(name_.c_str(), value, 1);
    else
      unsetenv(name_.c_str());
    KivTrace::ReloadActivation();
  }
  std::string name_;
  std::optional<std::string> old_;
};
