#pragma once
// Interface and class identifiers: 128-bit GUIDs with their textual form
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}". Literals and name-derived
// identifiers are computed at compile time, so exported identifiers are
// constant-initialised and safe to use from static registrars.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct KivGUID {
  std::array<std::uint8_t, 16> bytes{};

  // Parses the textual form (braces optional). Returns false on a malformed text.
  static constexpr bool Parse(std::string_view text, KivGUID& out);
  // A literal known to be well formed; a malformed one fails to compile when
  // evaluated at compile time.
  static constexpr KivGUID Literal(std::string_view text);
  // A stable identifier derived from a name, for interfaces that were given none.
  static constexpr KivGUID FromName(std::string_view name);

  std::string ToString() const;
  constexpr bool IsNull() const {
    for (auto b : bytes)
      if (b != 0) return false;
    return true;
  }

  friend constexpr bool operator==(const KivGUID&, const KivGUID&) = default;
  friend constexpr auto operator<=>(const KivGUID&, const KivGUID&) = default;

 private:
  static constexpr int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }
};

using IID = KivGUID;
using CLSID = KivGUID;

struct KivGUIDHash {
  std::size_t operator()(const KivGUID& g) const noexcept {
    std::size_t h = 1469598103934665603ull;
    for (auto b : g.bytes) h = (h ^ b) * 1099511628211ull;
    return h;
  }
};

constexpr bool KivGUID::Parse(std::string_view text, KivGUID& out) {
  if (text.size() == 38) {
    if (text.front() != '{' || text.back() != '}') return false;
    text = text.substr(1, 36);
  }
  if (text.size() != 36) return false;
  KivGUID g;
  std::size_t byte = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (i == 8 || i == 13 || i == 18 || i == 23) {
      if (text[i] != '-') return false;
      ++i;
      continue;
    }
    const int hi = HexValue(text[i]);
    const int lo = HexValue(text[i + 1]);
    if (hi < 0 || lo < 0 || byte >= 16) return false;
    g.bytes[byte++] = static_cast<std::uint8_t>(hi * 16 + lo);
    i += 2;
  }
  if (byte != 16) return false;
  out = g;
  return true;
}

constexpr KivGUID KivGUID::Literal(std::string_view text) {
  KivGUID g;
  if (!Parse(text, g)) throw "malformed GUID literal";  // compile-time error when constant-evaluated
  return g;
}

constexpr KivGUID KivGUID::FromName(std::string_view name) {
  // Two 64-bit FNV-1a style hashes fill the 16 bytes; the version and variant
  // bits mark the value as name-derived.
  std::uint64_t h1 = 0xcbf29ce484222325ull, h2 = 0x84222325cbf29ce4ull;
  for (char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    h1 = (h1 ^ c) * 0x100000001b3ull;
    h2 = (h2 ^ c) * 0x100000001b3ull;
    h2 ^= h2 >> 29;
  }
  KivGUID g;
  for (int i = 0; i < 8; ++i) {
    g.bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(h1 >> (8 * i));
    g.bytes[static_cast<std::size_t>(8 + i)] = static_cast<std::uint8_t>(h2 >> (8 * i));
  }
  g.bytes[6] = static_cast<std::uint8_t>((g.bytes[6] & 0x0f) | 0x50);
  g.bytes[8] = static_cast<std::uint8_t>((g.bytes[8] & 0x3f) | 0x80);
  return g;
}
