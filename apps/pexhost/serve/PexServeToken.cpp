#include "PexServeToken.h"

#include <sys/random.h>

#include <array>
#include <cerrno>
#include <cstdint>

std::string PexServeToken::Generate() {
  std::array<std::uint8_t, 16> bytes{};
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t n = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
    if (n < 0) {
      if (errno == EINTR) continue;
      return {};
    }
    filled += static_cast<std::size_t>(n);
  }
  static const char* const digits = "0123456789abcdef";
  std::string token;
  for (const std::uint8_t b : bytes) {
    token += digits[b >> 4];
    token += digits[b & 15];
  }
  return token;
}

bool PexServeToken::Matches(std::string_view expected, std::string_view given) {
  if (expected.empty() || expected.size() != given.size()) return false;
  unsigned char difference = 0;
  for (std::size_t i = 0; i < expected.size(); ++i)
    difference |= static_cast<unsigned char>(expected[i] ^ given[i]);
  return difference == 0;
}
