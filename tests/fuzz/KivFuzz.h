#pragma once
// What the fuzz targets share: the input as text, and a check that aborts, so
// that libFuzzer keeps the input that broke a promise.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

inline void Require(bool condition) {
  if (!condition) std::abort();
}

inline std::string Text(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}
