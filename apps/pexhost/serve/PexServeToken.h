#pragma once
// The secret that every API request of a served page carries: 128 bits from
// the kernel's random source, written as 32 hexadecimal digits.
#include <string>
#include <string_view>

class PexServeToken {
 public:
  // A new token, or "" when the system gives no random bytes.
  static std::string Generate();
  // Compares in a time that does not depend on where the texts differ.
  static bool Matches(std::string_view expected, std::string_view given);
};
