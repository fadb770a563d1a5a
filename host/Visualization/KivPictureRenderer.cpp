#include "KivPictureRenderer.h"

#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>

#include "KivCairoPainter.h"
#include "KivSafeFile.h"
#include "KivSvgWriter.h"
#include "KivViewer.h"

namespace {
struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using ContextPtr = std::unique_ptr<cairo_t, ContextDeleter>;

void Background(const KivViewer& viewer, double rgb[3]) {
  float r, g, b;
  viewer.GetBackgroundColor(r, g, b);
  rgb[0] = r;
  rgb[1] = g;
  rgb[2] = b;
}

SurfacePtr Paint(const KivViewer& viewer, const std::vector<KivDrawItem>& items,
                 const KivPictureFrame& frame) {
  SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, frame.width, frame.height));
  ContextPtr cr(cairo_create(surface.get()));
  double rgb[3];
  Background(viewer, rgb);
  KivCairoPainter(cr.get(), frame).Paint(items, rgb);
  cairo_surface_flush(surface.get());
  return surface;
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}
}  // namespace

KivPictureRenderer::Format KivPictureRenderer::FormatForPath(const std::string& path) {
  if (path.size() < 4) return Format::Svg;
  std::string ext = path.substr(path.size() - 4);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".png" ? Format::Png : Format::Svg;
}

KivPictureFrame KivPictureRenderer::FrameFor(const std::vector<KivDrawItem>& items) const {
  Kiv2DBoundingBox box = KivViewer::FramingBounds(items);
  if (box.IsEmpty()) box = Kiv2DBoundingBox::FromCorners(0, 0, 0, 0);
  const double margin = std::max(0.0, options_.marginUnits);
  const double w = box.Width() + 2 * margin;
  const double h = box.Height() + 2 * margin;
  const double cap = std::max(16, options_.maxPixels);
  double scale = options_.pixelsPerUnit > 0 ? options_.pixelsPerUnit : 8.0;
  if (w > 0) scale = std::min(scale, cap / w);
  if (h > 0) scale = std::min(scale, cap / h);
  KivPictureFrame frame;
  frame.scale = scale;
  frame.left = box.xmin - margin;
  frame.top = box.ymax + margin;
  frame.width = std::max(1, static_cast<int>(std::ceil(w * scale)));
  frame.height = std::max(1, static_cast<int>(std::ceil(h * scale)));
  return frame;
}

std::string KivPictureRenderer::RenderSvg(const KivViewer& viewer) const {
  const std::vector<KivDrawItem> items = viewer.CollectScene();
  double rgb[3];
  Background(viewer, rgb);
  return KivSvgWriter(FrameFor(items)).Write(items, rgb);
}

KivRasterPicture KivPictureRenderer::RenderRaster(const KivViewer& viewer) const {
  const std::vector<KivDrawItem> items = viewer.CollectScene();
  const KivPictureFrame frame = FrameFor(items);
  SurfacePtr surface = Paint(viewer, items, frame);
  KivRasterPicture picture;
  picture.width = frame.width;
  picture.height = frame.height;
  picture.pixels.reserve(static_cast<std::size_t>(frame.width) * frame.height);
  const unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < frame.height; ++y) {
    const auto* row =
        reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < frame.width; ++x) {
      const std::uint32_t argb = row[x];
      const int a = static_cast<int>(argb >> 24);
      auto unpremultiply = [a](std::uint32_t c) {
        return static_cast<std::uint8_t>(a == 0 ? 0 : std::min(255u, (c * 255u + a / 2) / a));
      };
      picture.pixels.push_back({unpremultiply((argb >> 16) & 0xff),
                                unpremultiply((argb >> 8) & 0xff), unpremultiply(argb & 0xff),
                                static_cast<std::uint8_t>(a)});
    }
  }
  return picture;
}

HRESULT KivPictureRenderer::RenderToFile(const KivViewer& viewer, const std::string& path,
                                         std::string* error) const {
  std::string reason;
  std::string bytes;
  bool encoded = true;
  if (FormatForPath(path) == Format::Svg) {
    bytes = RenderSvg(viewer);
  } else {
    const std::vector<KivDrawItem> items = viewer.CollectScene();
    SurfacePtr surface = Paint(viewer, items, FrameFor(items));
    const cairo_status_t status =
        cairo_surface_write_to_png_stream(surface.get(), AppendBytes, &bytes);
    encoded = status == CAIRO_STATUS_SUCCESS;
    if (!encoded)
      reason = std::string("cannot encode the PNG picture: ") + cairo_status_to_string(status);
  }
  if (!encoded || !KivSafeFile::Replace(path, bytes, reason)) {
    if (error) *error = "cannot write " + path + ": " + reason;
    return E_FAIL;
  }
  return S_OK;
}
