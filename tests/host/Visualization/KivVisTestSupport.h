#pragma once
// Shared helpers of the Visualization tests: a fixture that proves every
// component made in a test is released, and a writer of small BMP files.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "KivLeakCheck.h"
#include "KivPixelImage.h"
#include "KivTestFiles.h"

class KivVisTest : public LeakCheckedTest {
 protected:
  // The count is taken before, and checked after, the members of derived
  // fixtures exist, so their viewers and reps count as well.
  KivVisTest() { LeakCheckedTest::SetUp(); }
  ~KivVisTest() override { ExpectNoLeak(); }
  void SetUp() override {}
  void TearDown() override {}
};

// A 24-bit uncompressed BMP of `width` x `height` pixels; `pixel(x, y)`
// gives the colour of column x, row y counted from the top.
template <class PixelFunction>
std::vector<std::uint8_t> MakeBmp(int width, int height, PixelFunction pixel) {
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  const std::uint32_t dataSize = static_cast<std::uint32_t>(rowBytes * height);
  const std::uint32_t fileSize = 54 + dataSize, w = width, h = height;
  std::vector<std::uint8_t> b(fileSize, 0);
  // Little-endian header fields, as triples: offset, value, size in bytes.
  // clang-format off
  const std::uint32_t fields[] = {0, 'B' | 'M' << 8, 2,  2, fileSize, 4,  10, 54, 4,  14, 40, 4,
                                  18, w, 4,  22, h, 4,  26, 1, 2,  28, 24, 2,  34, dataSize, 4};
  // clang-format on
  for (std::size_t f = 0; f < std::size(fields); f += 3)
    for (std::uint32_t i = 0; i < fields[f + 2]; ++i)
      b[fields[f] + i] = (fields[f + 1] >> (8 * i)) & 0xff;
  for (int y = 0; y < height; ++y) {
    // Rows are stored from the bottom.
    std::size_t at = 54 + static_cast<std::size_t>(height - 1 - y) * rowBytes;
    for (int x = 0; x < width; ++x) {
      const KivRgba c = pixel(x, y);
      b[at++] = c.b;
      b[at++] = c.g;
      b[at++] = c.r;
    }
  }
  return b;
}

inline std::string WriteTempFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return path;
}

// A 16 x 16 icon: a red square on a white background with a blue top row.
inline std::vector<std::uint8_t> MakeColourIcon() {
  return MakeBmp(16, 16, [](int x, int y) -> KivRgba {
    if (y == 0) return {0, 0, 255, 255};
    if (x >= 4 && x < 12 && y >= 4 && y < 12) return {220, 20, 20, 255};
    return {255, 255, 255, 255};
  });
}
