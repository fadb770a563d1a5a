#pragma once
// The base64 PNG encodings of pixel images, kept by pixel content. A picture
// of a large level shows thousands of images drawn from a few icons, and the
// served page redraws it after every step: each icon is encoded once, and
// an image over a pixel buffer seen before is found by the buffer alone,
// without reading its pixels again.
// Thread-safe; the memory it keeps is bounded (it starts over beyond it).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "KivPixelImage.h"

class KivPngDataCache {
 public:
  struct Icon {
    std::string base64;  // of the PNG encoding
    std::string id;      // "icon-" and a hash of the encoding: the same for the same icon
  };

  explicit KivPngDataCache(std::size_t maxBytes = 32u << 20) : maxBytes_(maxBytes) {}

  // The image's encoding and name; null when it cannot be encoded.
  std::shared_ptr<const Icon> Encode(const KivPixelImage& image, int alphaMode);
  // The encodings kept (images of equal pixels count once).
  std::size_t Size() const;

  // The one the SVG writer uses.
  static KivPngDataCache& Shared();

 private:
  struct Encoded {
    std::vector<std::uint8_t> pixels;  // tells images of one hash apart
    std::shared_ptr<const Icon> icon;
  };
  // An image over a buffer: the buffer is held, so that no other buffer can
  // take its address while the entry lives, and its pixels never change.
  struct Seen {
    KivPixelImage::SharedPixels buffer;
    std::shared_ptr<const Icon> icon;
  };
  void MakeRoom(std::size_t added);

  std::size_t maxBytes_;
  mutable std::mutex mutex_;
  // By the shape, the format, the transparency mode and a hash of the pixels.
  std::unordered_map<std::string, Encoded> encoded_;
  // By the same with the buffer's address in place of the hash.
  std::unordered_map<std::string, Seen> seen_;
  std::size_t bytes_ = 0;
};
