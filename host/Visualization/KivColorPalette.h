#pragma once
// The one palette through which every colour index of the display is drawn.
// Indices 0..15 are named colours, 16..231 a 6x6x6 colour cube, 232..255 a
// grey ramp from dark to light, except three indices the list rows use,
// chosen to stay readable on a light background: 247 (marked row, dark
// orange), 249 (normal row, dark slate) and 253 (link arrows, steel blue).
// Indices outside 0..255 are drawn as 253.
#include <cstdint>

struct KivRgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const KivRgb&, const KivRgb&) = default;
};

class KivColorPalette {
 public:
  static KivRgb Color(int index);
  // "#rrggbb".
  static const char* Hex(int index);
};
