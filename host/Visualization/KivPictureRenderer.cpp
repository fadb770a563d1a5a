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

namespace {
// The extension of a path in lower case, without the dot ("" when none).
std::string ExtensionOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}
}  // namespace

KivPictureRenderer::Format KivPictureRenderer::FormatForPath(const std::string& path) {
  return ExtensionOf(path) == "png" ? Format::Png : Format::Svg;
}

bool KivPictureRenderer::IsKnownFormat(const std::string& path, std::string* error) {
  const std::string ext = ExtensionOf(path);
  if (ext == "png" || ext == "svg") return true;
  if (error) {
    *error = (ext.empty() ? std::string("no picture format in '") + path + "'"
                          : "unknown picture format \"" + ext + "\"") +
             "; known formats: png svg";
  }
  return false;
}

KivPictureFrame KivPictureRenderer::FrameFor(const std::vector<KivDrawItem>& items) const {
  return KivFramePicture(options_, items);
}

std::vector<KivDrawItem> KivPictureRenderer::Compose(const KivViewer& viewer,
                                                     KivPictureFrame& frame,
                                                     std::vector<KivItemNote>* notes) const {
  std::vector<KivDrawItem> items = viewer.CollectScene();
  frame = FrameFor(items);
  std::vector<KivItemNote> own;
  KivDecoratePicture(options_, frame, items, notes ? *notes : own);
  return items;
}

std::string KivPictureRenderer::RenderSvg(const KivViewer& viewer) const {
  KivPictureFrame frame;
  std::vector<KivItemNote> notes;
  const std::vector<KivDrawItem> items = Compose(viewer, frame, &notes);
  double rgb[3];
  Background(viewer, rgb);
  return KivSvgWriter(frame).Write(items, rgb, notes);
}

KivRasterPicture KivPictureRenderer::RenderRaster(const KivViewer& viewer) const {
  KivPictureFrame frame;
  const std::vector<KivDrawItem> items = Compose(viewer, frame);
  if (frame.width > kKivMaxRasterSide || frame.height > kKivMaxRasterSide) return {};
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
  if (!IsKnownFormat(path, error)) return E_FAIL;
  bool encoded = true;
  if (FormatForPath(path) == Format::Svg) {
    bytes = RenderSvg(viewer);
  } else {
    KivPictureFrame frame;
    const std::vector<KivDrawItem> items = Compose(viewer, frame);
    if (frame.width > kKivMaxRasterSide || frame.height > kKivMaxRasterSide) {
      encoded = false;
      reason = "a PNG picture of " + std::to_string(frame.width) + " x " +
               std::to_string(frame.height) + " pixels is too large (at most " +
               std::to_string(kKivMaxRasterSide) +
               " a side): choose a smaller scale, a fit or a crop";
    } else {
      SurfacePtr surface = Paint(viewer, items, frame);
      const cairo_status_t status =
          cairo_surface_write_to_png_stream(surface.get(), AppendBytes, &bytes);
      encoded = status == CAIRO_STATUS_SUCCESS;
      if (!encoded)
        reason = std::string("cannot encode the PNG picture: ") + cairo_status_to_string(status);
    }
  }
  if (!encoded || !KivSafeFile::Replace(path, bytes, reason)) {
    if (error) *error = "cannot write " + path + ": " + reason;
    return E_FAIL;
  }
  return S_OK;
}
