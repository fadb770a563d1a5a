#pragma once
// Renders a viewer's scene to a picture: SVG (the default) or PNG through
// cairo. The whole scene is framed with a margin at 8 pixels per unit, the
// scale shrinking so that neither side exceeds the size cap; y grows
// upwards; hidden reps are left out; colour indices go through
// KivColorPalette; text uses KivTextMetric's font and widths.
#include <cstdint>
#include <string>
#include <vector>

#include "KivDrawItem.h"
#include "KivPictureFrame.h"
#include "KivPixelImage.h"

class KivViewer;

struct KivPictureOptions {
  double pixelsPerUnit = 8.0;
  double marginUnits = 4.0;
  int maxPixels = 4096;
};

// A rendered raster picture, pixels as non-premultiplied RGBA.
struct KivRasterPicture {
  int width = 0;
  int height = 0;
  std::vector<KivRgba> pixels;  // rows from the top
  KivRgba PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return {0, 0, 0, 0};
    return pixels[static_cast<std::size_t>(y) * width + x];
  }
};

class KivPictureRenderer {
 public:
  enum class Format { Svg, Png };

  explicit KivPictureRenderer(const KivPictureOptions& options = {}) : options_(options) {}

  // ".png" (any case) gives PNG; anything else SVG.
  static Format FormatForPath(const std::string& path);

  KivPictureFrame FrameFor(const std::vector<KivDrawItem>& items) const;
  std::string RenderSvg(const KivViewer& viewer) const;
  KivRasterPicture RenderRaster(const KivViewer& viewer) const;
  // Writes the picture in the format its path names, with
  // KivSafeFile::Replace. On failure returns E_FAIL with the path, the
  // reason and the system's error text in `error` ("cannot write a.svg:
  // cannot create a temporary file beside it: No such file or directory");
  // an existing file is left as it was.
  HRESULT RenderToFile(const KivViewer& viewer, const std::string& path,
                       std::string* error = nullptr) const;

 private:
  KivPictureOptions options_;
};
