#include "KivPngDataCache.h"

#include <cstdint>
#include <cstdio>
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

// Everything the encoding depends on but the pixels, and `what` names
// those: a hash of them, or the buffer that holds them.
std::string KeyOf(const KivPixelImage& image, int alphaMode, std::int64_t what) {
  const std::int64_t head[5] = {image.GetWidth(), image.GetHeight(), image.GetFormat(), alphaMode,
                                what};
  return std::string(reinterpret_cast<const char*>(head), sizeof head);
}

std::int64_t PixelHash(const KivPixelImage& image) {
  const auto& pixels = image.GetPixels();
  return static_cast<std::int64_t>(std::hash<std::string_view>()(
      std::string_view(reinterpret_cast<const char*>(pixels.data()), pixels.size())));
}

std::int64_t BufferAddress(const KivPixelImage& image) {
  return static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(image.GetSharedPixels().get()));
}
}  // namespace

std::shared_ptr<const KivPngDataCache::Icon> KivPngDataCache::Encode(const KivPixelImage& image,
                                                                     int alphaMode) {
  std::string bufferKey = KeyOf(image, alphaMode, BufferAddress(image));
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = seen_.find(bufferKey);
    if (found != seen_.end()) return found->second.icon;
  }
  std::string key = KeyOf(image, alphaMode, PixelHash(image));
  std::shared_ptr<const Icon> icon;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = encoded_.find(key);
    if (found != encoded_.end() && found->second.pixels == image.GetPixels())
      icon = found->second.icon;
  }
  if (!icon) {
    const std::string png = KivEncodePng(image, alphaMode);
    if (png.empty()) return nullptr;
    auto made = std::make_shared<Icon>();
    made->base64 = Base64(png);
    char id[24];
    std::snprintf(id, sizeof id, "icon-%016zx", std::hash<std::string>()(made->base64));
    made->id = id;
    icon = std::move(made);
    std::lock_guard<std::mutex> lock(mutex_);
    const std::size_t added = key.size() + image.GetPixels().size() + icon->base64.size();
    MakeRoom(added);
    // Two images of one hash: the first keeps its place.
    if (added <= maxBytes_ &&
        encoded_.emplace(std::move(key), Encoded{image.GetPixels(), icon}).second)
      bytes_ += added;
  }
  std::lock_guard<std::mutex> lock(mutex_);
  const std::size_t held = bufferKey.size() + image.GetPixels().size();
  MakeRoom(held);
  if (held <= maxBytes_ &&
      seen_.emplace(std::move(bufferKey), Seen{image.GetSharedPixels(), icon}).second)
    bytes_ += held;
  return icon;
}

void KivPngDataCache::MakeRoom(std::size_t added) {
  if (bytes_ + added <= maxBytes_) return;
  encoded_.clear();
  seen_.clear();
  bytes_ = 0;
}

std::size_t KivPngDataCache::Size() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return encoded_.size();
}

KivPngDataCache& KivPngDataCache::Shared() {
  static KivPngDataCache cache;
  return cache;
}
