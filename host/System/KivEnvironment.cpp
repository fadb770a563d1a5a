#include "KivEnvironment.h"

#include <cstdlib>

const char* KivGetEnv(const char* name) { return name && *name ? std::getenv(name) : nullptr; }

HRESULT KivGetEnvValue(const char* name, KivString& value) {
  const char* v = KivGetEnv(name);
  value = KivString(v ? v : "");
  return v ? S_OK : E_FAIL;
}
