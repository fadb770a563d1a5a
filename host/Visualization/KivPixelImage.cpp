#include "KivPixelImage.h"

#include <fstream>
#include <iterator>

#include "Kiv2DRep.h"
#include "KivImageDecoder.h"
#include "KivTrace.h"

namespace {
const KivTrace& Trace() {
  static const KivTrace trace("KivVisualizationTrace", "Traces for the host's 2D display");
  return trace;
}

std::string& LastError() {
  static std::string error;
  return error;
}

int FormatOfChannels(int channels) { return channels >= 1 && channels <= 4 ? channels - 1 : -1; }

std::uint8_t Luminance(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<std::uint8_t>((299 * r + 587 * g + 114 * b + 500) / 1000);
}
}  // namespace

int KivPixelImage::ChannelsOf(int format) { return format >= 0 && format <= 3 ? format + 1 : 0; }

const std::string& KivPixelImage::LastLoadError() { return LastError(); }

KivPixelImage* KivPixelImage::CreateFromMemory(const std::uint8_t* data, std::size_t size) {
  KivDecodedImage decoded;
  std::string error;
  if (!KivDecodeBmp(data, size, decoded, error)) {
    LastError() = error;
    return nullptr;
  }
  const int format = FormatOfChannels(decoded.channels);
  if (format < 0) {
    LastError() = "unsupported channel count";
    return nullptr;
  }
  LastError().clear();
  return new KivPixelImage(decoded.width, decoded.height, format, std::move(decoded.pixels));
}

KivPixelImage* KivPixelImage::CreateFromFile(const KivString& path, int state) {
  std::ifstream in(path.str(), std::ios::binary);
  if (!in) {
    LastError() = "cannot open image file '" + path.str() + "'";
    Trace().Print("%s", LastError().c_str());
    return nullptr;
  }
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
  KivPixelImage* image = CreateFromMemory(bytes.data(), bytes.size());
  if (!image) {
    LastError() = "image file '" + path.str() + "' is not a readable BMP: " + LastError();
    Trace().Print("%s", LastError().c_str());
    return nullptr;
  }
  image->state_ = state;
  return image;
}

KivPixelImage::KivPixelImage(int width, int height, int format, std::vector<std::uint8_t> pixels)
    : KivPixelImage(width, height, format,
                    std::make_shared<const std::vector<std::uint8_t>>(std::move(pixels))) {}

KivPixelImage::KivPixelImage(int width, int height, int format, SharedPixels pixels)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      format_(ChannelsOf(format) ? format : kRgba),
      pixels_(std::move(pixels)) {
  if (!pixels_ || pixels_->size() != ExpectedSize())
    pixels_ = std::make_shared<const std::vector<std::uint8_t>>(ExpectedSize(), 0);
}

std::size_t KivPixelImage::ExpectedSize() const {
  return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) *
         static_cast<std::size_t>(ChannelsOf(format_));
}

KivPixelImage::~KivPixelImage() = default;

KivRgba KivPixelImage::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {0, 0, 0, 0};
  const int n = ChannelsOf(format_);
  const std::uint8_t* p =
      pixels_->data() + (static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x)) * n;
  switch (format_) {
    case kGrey:
      return {p[0], p[0], p[0], 255};
    case kGreyAlpha:
      return {p[0], p[0], p[0], p[1]};
    case kRgb:
      return {p[0], p[1], p[2], 255};
    default:
      return {p[0], p[1], p[2], p[3]};
  }
}

HRESULT KivPixelImage::Convert(int format) {
  const int n = ChannelsOf(format);
  if (!n) return E_INVALIDARG;
  if (format == format_) return S_OK;
  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(width_) * height_ * n);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const KivRgba c = GetPixel(x, y);
      const std::uint8_t grey = Luminance(c.r, c.g, c.b);
      switch (format) {
        case kGrey:
          out.push_back(grey);
          break;
        case kGreyAlpha:
          out.insert(out.end(), {grey, c.a});
          break;
        case kRgb:
          out.insert(out.end(), {c.r, c.g, c.b});
          break;
        default:
          out.insert(out.end(), {c.r, c.g, c.b, c.a});
          break;
      }
    }
  }
  pixels_ = std::make_shared<const std::vector<std::uint8_t>>(std::move(out));
  format_ = format;
  Kiv2DRep::TouchScene();  // reps drawing this image look different now
  return S_OK;
}

HRESULT KivPixelImage::SetTransparency(int mode) {
  if (mode < kOpaque || mode > kCornerColourKey) return E_INVALIDARG;
  if (format_ != kRgba && format_ != kGreyAlpha) Convert(format_ == kGrey ? kGreyAlpha : kRgba);
  const KivRgba corner = GetPixel(0, 0);
  const int n = ChannelsOf(format_);
  // Written into a copy: other images may share the current buffer.
  auto pixels = std::make_shared<std::vector<std::uint8_t>>(*pixels_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const KivRgba c = GetPixel(x, y);
      bool clear = false;
      switch (mode) {
        case kWhiteKey:
          clear = c.r == 255 && c.g == 255 && c.b == 255;
          break;
        case kBlackKey:
          clear = c.r == 0 && c.g == 0 && c.b == 0;
          break;
        case kCornerColourKey:
          clear = c.r == corner.r && c.g == corner.g && c.b == corner.b;
          break;
        default:
          break;
      }
      (*pixels)[(static_cast<std::size_t>(y) * width_ + x) * n + (n - 1)] = clear ? 0 : 255;
    }
  }
  pixels_ = std::move(pixels);
  transparency_ = mode;
  Kiv2DRep::TouchScene();
  return S_OK;
}

bool KivPixelImage::IsGrey() const {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const KivRgba c = GetPixel(x, y);
      if (c.r != c.g || c.g != c.b) return false;
    }
  return true;
}
