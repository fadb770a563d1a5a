#include "MoxZitBltIconCache.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "KivDelayedDestruction.h"
#include "KivEnvironment.h"
#include "KivPathSearch.h"

namespace {
struct DecodedIcon {
  // The user event (KivDelayedDestruction::FlushCount) the file was last
  // looked at in: a level of a thousand lists asks for the same icons tens
  // of thousands of times in one event.
  unsigned long checkedIn = 0;
  std::filesystem::file_time_type writeTime;
  std::uintmax_t size = 0;
  int width = 0;
  int height = 0;
  // Shared with every image handed out: a level's buttons hold one buffer
  // per icon and colour rather than one each.
  KivPixelImage::SharedPixels colour;  // RGBA
  KivPixelImage::SharedPixels grey;    // RGBA, grey levels
};

struct IconCacheState {
  // icon name and the image folders it was searched in -> full path
  std::unordered_map<std::string, std::string> paths;
  std::unordered_map<std::string, DecodedIcon> icons;  // by full path
};

IconCacheState& State() {
  static IconCacheState state;
  return state;
}

std::string SearchKey(const std::string& fileName) {
  const char* image = KivGetEnv("KivImagePath");
  const char* startup = KivGetEnv("KivStartupPath");
  return fileName + '\n' + (image ? image : "") + '\n' + (startup ? startup : "");
}

KivPixelImage::SharedPixels Pixels(KivPixelImage& image, bool grey) {
  if (grey) image.Convert(KivPixelImage::kGrey);
  image.Convert(KivPixelImage::kRgba);
  image.SetTransparency(KivPixelImage::kOpaque);
  return image.GetSharedPixels();
}

// The decoded icon at `path`, decoding it when it is new or changed.
const DecodedIcon* Decoded(const std::string& path) {
  auto& icons = State().icons;
  auto cached = icons.find(path);
  const unsigned long event = KivDelayedDestruction::FlushCount();
  if (cached != icons.end() && cached->second.checkedIn == event) return &cached->second;
  std::error_code ec;
  const auto writeTime = std::filesystem::last_write_time(path, ec);
  if (ec) return nullptr;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) return nullptr;
  if (cached != icons.end() && cached->second.writeTime == writeTime &&
      cached->second.size == size) {
    cached->second.checkedIn = event;
    return &cached->second;
  }

  auto colour = KivVar<KivPixelImage>::Adopt(KivPixelImage::CreateFromFile(KivString(path), 0));
  auto grey = KivVar<KivPixelImage>::Adopt(KivPixelImage::CreateFromFile(KivString(path), 0));
  if (!colour || !grey) {
    if (cached != icons.end()) icons.erase(cached);
    return nullptr;
  }
  DecodedIcon decoded{event,
                      writeTime,
                      size,
                      colour->GetWidth(),
                      colour->GetHeight(),
                      Pixels(*colour, false),
                      Pixels(*grey, true)};
  return &(icons[path] = std::move(decoded));
}
}  // namespace

KivPixelImage* MoxZitBltIconCache::Load(const KivUnicodeString& icon, bool grey) {
  const std::string fileName = icon.ConvertToUTF8() + ".bmp";
  const std::string key = SearchKey(fileName);
  auto& paths = State().paths;
  auto found = paths.find(key);
  const DecodedIcon* decoded = found != paths.end() ? Decoded(found->second) : nullptr;
  if (!decoded) {
    // Not searched yet, or the file found before is gone: search again.
    const std::string path = KivGetImagePathName(KivString(fileName)).str();
    if (path.empty()) {
      paths.erase(key);
      return nullptr;
    }
    paths[key] = path;
    decoded = Decoded(path);
    if (!decoded) return nullptr;
  }
  return new KivPixelImage(decoded->width, decoded->height, KivPixelImage::kRgba,
                           grey ? decoded->grey : decoded->colour);
}

void MoxZitBltIconCache::Clear() { State() = IconCacheState(); }
