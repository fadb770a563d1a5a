#pragma once
// The base64 PNG encodings of pixel images, kept by pixel content. A picture
// of a large level shows thousands of images drawn from a few icons, and the
// served page redraws it after every step: each icon is encoded once.
// Thread-safe; the memory it keeps is bounded (it starts over beyond it).
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "KivPixelImage.h"

class KivPngDataCache {
 public:
  explicit KivPngDataCache(std::size_t maxBytes = 32u << 20) : maxBytes_(maxBytes) {}

  // The base64 of the image's PNG encoding; empty when it cannot be encoded.
  std::string Base64Png(const KivPixelImage& image, int alphaMode);
  std::size_t Size() const;

  // The one the SVG writer uses.
  static KivPngDataCache& Shared();

 private:
  struct Encoded {
    std::vector<std::uint8_t> pixels;  // tells images of one hash apart
    std::string base64;
  };

  std::size_t maxBytes_;
  mutable std::mutex mutex_;
  // By the shape, the format, the transparency mode and a hash of the pixels.
  std::unordered_map<std::string, Encoded> encoded_;
  std::size_t bytes_ = 0;
};
