#include "KivPngDataCache.h"

#include <cstdint>

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

// Everything the encoding depends on: the shape, the format, the
// transparency mode and the pixels.
std::string KeyOf(const KivPixelImage& image, int alphaMode) {
  const std::int32_t head[4] = {image.GetWidth(), image.GetHeight(), image.GetFormat(), alphaMode};
  std::string key(reinterpret_cast<const char*>(head), sizeof head);
  const auto& pixels = image.GetPixels();
  key.append(reinterpret_cast<const char*>(pixels.data()), pixels.size());
  return key;
}
}  // namespace

std::string KivPngDataCache::Base64Png(const KivPixelImage& image, int alphaMode) {
  std::string key = KeyOf(image, alphaMode);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (const auto found = encoded_.find(key); found != encoded_.end()) return found->second;
  }
  const std::string png = KivEncodePng(image, alphaMode);
  if (png.empty()) return {};
  std::string base64 = Base64(png);
  std::lock_guard<std::mutex> lock(mutex_);
  const std::size_t added = key.size() + base64.size();
  if (bytes_ + added > maxBytes_) {
    encoded_.clear();
    bytes_ = 0;
  }
  if (added <= maxBytes_ && encoded_.emplace(std::move(key), base64).second) bytes_ += added;
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
