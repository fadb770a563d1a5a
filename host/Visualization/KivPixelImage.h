#pragma once
// A pixel image in memory. Formats (channels per pixel):
//   0 grey levels, 1 grey + alpha, 2 RGB, 3 RGBA.
// Rows run from the top. Images come from BMP files or from pixel buffers.
// Copies of an image may share one pixel buffer (a level shows the same icon
// on thousands of buttons); the calls that change pixels copy it first.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "KivImplement.h"
#include "KivString.h"
#include "KivVar.h"

struct KivRgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
  friend bool operator==(const KivRgba&, const KivRgba&) = default;
};

class KivPixelImage : public KivImplement<> {
  KIV_CLASS(KivPixelImage, KivBaseUnknown, "Visualization")
 public:
  static constexpr int kGrey = 0;
  static constexpr int kGreyAlpha = 1;
  static constexpr int kRgb = 2;
  static constexpr int kRgba = 3;

  // Transparency modes: which pixels become fully transparent (alpha 0).
  static constexpr int kOpaque = 0;           // none: every pixel opaque
  static constexpr int kWhiteKey = 1;         // pure white pixels
  static constexpr int kBlackKey = 2;         // pure black pixels
  static constexpr int kCornerColourKey = 3;  // pixels of the top-left pixel's colour

  // Loads a BMP file. `state` is the open mode (0 read-only; the file is never
  // written). Returns a new image (the caller owns the creation reference),
  // or null with the reason traced and kept in LastLoadError().
  static KivPixelImage* CreateFromFile(const KivString& path, int state = 0);
  static KivPixelImage* CreateFromMemory(const std::uint8_t* data, std::size_t size);
  static const std::string& LastLoadError();

  // An image of the given format (RGBA for an unknown one); `pixels` must
  // hold width x height x channels bytes, else the image is filled with zeros.
  KivPixelImage(int width, int height, int format, std::vector<std::uint8_t> pixels = {});
  using SharedPixels = std::shared_ptr<const std::vector<std::uint8_t>>;
  // An image over a buffer shared with others; a buffer of the wrong size
  // (or none) gives an image of its own filled with zeros.
  KivPixelImage(int width, int height, int format, SharedPixels pixels);

  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  int GetFormat() const { return format_; }
  int GetState() const { return state_; }
  static int ChannelsOf(int format);
  const std::vector<std::uint8_t>& GetPixels() const { return *pixels_; }
  // The buffer itself, for another image to share.
  const SharedPixels& GetSharedPixels() const { return pixels_; }

  // Converts in place. Grey levels are the luminance 0.299 R + 0.587 G +
  // 0.114 B; converting to a format without alpha drops it. E_INVALIDARG for
  // an unknown format.
  HRESULT Convert(int format);
  // Sets the alpha of every pixel by the transparency mode above; converts
  // to RGBA first when the image has no alpha. E_INVALIDARG for an unknown mode.
  HRESULT SetTransparency(int mode);
  int GetTransparency() const { return transparency_; }

  // The pixel at column x, row y (from the top) as RGBA; black for outside.
  KivRgba GetPixel(int x, int y) const;
  // True when every pixel has equal red, green and blue.
  bool IsGrey() const;

 protected:
  ~KivPixelImage() override;

 private:
  std::size_t ExpectedSize() const;

  int width_;
  int height_;
  int format_;
  int state_ = 0;
  int transparency_ = kOpaque;
  SharedPixels pixels_;
};
KIV_DECLARE_VAR(KivPixelImage);
