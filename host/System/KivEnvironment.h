#pragma once
// Environment lookups.
#include "KivString.h"
#include "KivTypes.h"

// The value of the variable, or null when it is unset.
const char* KivGetEnv(const char* name);
// S_OK with the value when the variable is set (even to the empty string);
// E_FAIL with `value` emptied when it is unset or the name is null.
HRESULT KivGetEnvValue(const char* name, KivString& value);
