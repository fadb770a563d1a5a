#include "KivImageDecoder.h"

#include <climits>
#include <cstdlib>

// stb_image is compiled here, private to this library, restricted to BMP and
// to memory input, with its own warnings silenced.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 4096
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wpedantic"
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace {
std::uint32_t Read32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// The decoder pads a short file with zeros, which would draw a truncated
// icon as if it were whole: refuse an uncompressed BMP whose pixel rows do
// not all fit in the file.
bool CheckUncompressedSize(const std::uint8_t* data, std::size_t size, std::string& error) {
  if (size < 30 || data[0] != 'B' || data[1] != 'M') return true;  // left to the decoder
  const std::uint32_t offset = Read32(data + 10);
  const std::uint32_t headerSize = Read32(data + 14);
  if (headerSize < 40 || size < 34) return true;  // old OS/2 headers: left to the decoder
  const auto width = static_cast<std::int32_t>(Read32(data + 18));
  const auto height = static_cast<std::int32_t>(Read32(data + 22));
  const unsigned bitsPerPixel = static_cast<unsigned>(data[28]) | (data[29] << 8);
  const std::uint32_t compression = Read32(data + 30);
  if (compression != 0 || width <= 0 || height == 0 || bitsPerPixel == 0) return true;
  const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
  const auto rows = static_cast<std::uint64_t>(std::llabs(height));
  if (static_cast<std::uint64_t>(offset) + rowBytes * rows > size) {
    error = "truncated pixel data";
    return false;
  }
  return true;
}
}  // namespace

bool KivDecodeBmp(const std::uint8_t* data, std::size_t size, KivDecodedImage& out,
                  std::string& error) {
  if (!data || size == 0) {
    error = "empty file";
    return false;
  }
  if (size > static_cast<std::size_t>(INT_MAX)) {
    error = "file too large";
    return false;
  }
  if (!CheckUncompressedSize(data, size, error)) return false;
  int w = 0, h = 0, n = 0;
  stbi_uc* pixels = stbi_load_from_memory(data, static_cast<int>(size), &w, &h, &n, 0);
  if (!pixels) {
    const char* reason = stbi_failure_reason();
    error = reason ? reason : "not a BMP image";
    return false;
  }
  out.width = w;
  out.height = h;
  out.channels = n;
  out.pixels.assign(pixels, pixels + static_cast<std::size_t>(w) * static_cast<std::size_t>(h) *
                                         static_cast<std::size_t>(n));
  stbi_image_free(pixels);
  return true;
}
