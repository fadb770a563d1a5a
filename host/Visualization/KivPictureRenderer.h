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
#include "KivPictureLayout.h"
#include "KivPixelImage.h"

class KivViewer;

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

  // ".png" and ".svg" (any case) give their formats; anything else SVG.
  static Format FormatForPath(const std::string& path);
  // False, with the reason and the known formats in `error`, for a path
  // whose extension names no known format.
  static bool IsKnownFormat(const std::string& path, std::string* error = nullptr);

  // The frame of the scene's items, with room for the options' decorations.
  KivPictureFrame FrameFor(const std::vector<KivDrawItem>& items) const;
  // The viewer's scene as the picture shows it (cropped, decorations
  // added), its frame and, when asked for, the items' notes.
  std::vector<KivDrawItem> Compose(const KivViewer& viewer, KivPictureFrame& frame,
                                   std::vector<KivItemNote>* notes = nullptr) const;
  std::string RenderSvg(const KivViewer& viewer) const;
  // Empty (0 x 0) when the picture would exceed kKivMaxRasterSide.
  KivRasterPicture RenderRaster(const KivViewer& viewer) const;
  // Writes the picture in the format its path names (an unknown extension
  // is refused), with KivSafeFile::Replace. On failure returns E_FAIL with
  // the path, the reason and the system's error text in `error` ("cannot
  // write a.svg: cannot create a temporary file beside it: No such file or
  // directory"); an existing file is left as it was.
  HRESULT RenderToFile(const KivViewer& viewer, const std::string& path,
                       std::string* error = nullptr) const;

 private:
  KivPictureOptions options_;
};
