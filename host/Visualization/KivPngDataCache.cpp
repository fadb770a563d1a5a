#include "KivPngDataCache.h"

#include <cstdint>
#include <functional>
#include <string_view>

#include "KivCairoImage.h"

namespace {
std::string Base64(const std::string& bytes) {
  static const char* table = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const unsigned v = (static_cast<unsigned char>(bytes[i]) << 16) |
                       (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                       static_cast<unsigned char>(bytes[i + 2]);
    out += {table[v >> 18], table[(v >> 12) & 63], table[(v >> 6) & 63], table[v & 63]};
  }
  if (i + 1 == bytes.size()) {
    const unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    out += {table[v >> 18], table[(v >> 12) & 63], '=', '='};
  } else if (i + 2 == bytes.size()) {
    const unsigned v = (static_cast<unsigned char>(bytes[i]) << 16) |
                       (static_cast<unsigned char>(bytes[i + 1]) << 8);
    out += {table[v >> 18], table[(v >> 12) & 63], table[(v >> 6) & 63], '='};
  }
  return out;
}

// Everything the encoding depends on but the pixels, and a hash of those:
// short, so that finding an icon costs one pass over its pixels.
std::string KeyOf(const KivPixelImage& image, int alphaMode) {
  const auto& pixels = image.GetPixels();
  const std::size_t hash = std::hash<std::string_view>()(
      std::string_view(reinterpret_cast<const char*>(pixels.data()), pixels.size()));
  const std::int64_t head[5] = {image.GetWidth(), image.GetHeight(), image.GetFormat(), alphaMode,
                                static_cast<std::int64_t>(hash)};
  return std::string(reinterpret_cast<const char*>(head), sizeof head);
}
}  // namespace

std::string KivPngDataCache::Base64Png(const KivPixelImage& image, int alphaMode) {
  std::string key = KeyOf(image, alphaMode);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = encoded_.find(key);
    if (found != encoded_.end() && found->second.pixels == image.GetPixels())
      return found->second.base64;
  }
  const std::string png = KivEncodePng(image, alphaMode);
  if (png.empty()) return {};
  std::string base64 = Base64(png);
  std::lock_guard<std::mutex> lock(mutex_);
  const std::size_t added = key.size() + image.GetPixels().size() + base64.size();
  if (bytes_ + added > maxBytes_) {
    encoded_.clear();
    bytes_ = 0;
  }
  // Two images of one hash: the first keeps its place.
  if (added <= maxBytes_ && encoded_.emplace(std::move(key), Encoded{image.GetPixels(), base64}).second)
    bytes_ += added;
  return base64;
}

std::size_t KivPngDataCache::Size() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return encoded_.size();
}

KivPngDataCache& KivPngDataCache::Shared() {
  static KivPngDataCache cache;
  return cache;
}
