#include "KivColorPalette.h"

#include <array>
#include <cstdio>
#include <string>

namespace {
constexpr int kOutOfRangeIndex = 253;

std::array<KivRgb, 256> BuildPalette() {
  std::array<KivRgb, 256> p{};
  const KivRgb named[16] = {
      {0, 0, 0},        // 0 black
      {85, 85, 85},     // 1 dark grey
      {200, 30, 30},    // 2 red
      {30, 140, 50},    // 3 green
      {30, 70, 200},    // 4 blue
      {230, 190, 20},   // 5 yellow
      {180, 40, 170},   // 6 magenta
      {20, 170, 190},   // 7 cyan
      {70, 130, 180},   // 8 steel blue
      {235, 120, 20},   // 9 orange
      {200, 200, 200},  // 10 light grey
      {255, 255, 255},  // 11 white
      {130, 20, 20},    // 12 dark red
      {20, 90, 30},     // 13 dark green
      {20, 30, 110},    // 14 navy
      {140, 90, 40},    // 15 brown
  };
  for (int i = 0; i < 16; ++i) p[i] = named[i];
  const std::uint8_t levels[6] = {0, 95, 135, 175, 215, 255};
  for (int i = 16; i < 232; ++i) {
    const int c = i - 16;
    p[i] = {levels[c / 36], levels[(c / 6) % 6], levels[c % 6]};
  }
  for (int i = 232; i < 256; ++i) {
    const auto v = static_cast<std::uint8_t>(8 + 10 * (i - 232));
    p[i] = {v, v, v};
  }
  p[247] = {190, 80, 0};
  p[249] = {40, 50, 70};
  p[253] = {70, 110, 160};
  return p;
}

const std::array<KivRgb, 256>& Palette() {
  static const std::array<KivRgb, 256> palette = BuildPalette();
  return palette;
}

const std::array<std::string, 256>& HexTable() {
  static const std::array<std::string, 256> table = [] {
    std::array<std::string, 256> t;
    for (int i = 0; i < 256; ++i) {
      char buf[8];
      const KivRgb c = Palette()[i];
      std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
      t[i] = buf;
    }
    return t;
  }();
  return table;
}

int Clamp(int index) { return index >= 0 && index < 256 ? index : kOutOfRangeIndex; }
}  // namespace

KivRgb KivColorPalette::Color(int index) { return Palette()[Clamp(index)]; }

const char* KivColorPalette::Hex(int index) { return HexTable()[Clamp(index)].c_str(); }
