#include "KivImageDecoder.h"

#include <climits>

// stb_image is compiled here, private to this library, restricted to BMP and
// to memory input, with its own warnings silenced.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 8192
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
