#pragma once
// Decodes BMP files held in memory (through stb_image). Internal to the
// Visualization framework: KivPixelImage is its only user.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct KivDecodedImage {
  int width = 0;
  int height = 0;
  int channels = 0;                  // 1 grey, 2 grey + alpha, 3 RGB, 4 RGBA
  std::vector<std::uint8_t> pixels;  // rows from the top, channels interleaved
};

// False with a reason in `error` when the bytes are not a BMP image the
// decoder accepts (dimensions are limited to 4096 x 4096).
bool KivDecodeBmp(const std::uint8_t* data, std::size_t size, KivDecodedImage& out,
                  std::string& error);
