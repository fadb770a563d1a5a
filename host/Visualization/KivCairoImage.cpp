#include "KivCairoImage.h"

#include <cstdint>

cairo_surface_t* KivCreateCairoSurface(const KivPixelImage& image, int alphaMode) {
  const int w = image.GetWidth();
  const int h = image.GetHeight();
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return surface;
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < w; ++x) {
      const KivRgba c = image.GetPixel(x, y);
      const std::uint32_t a = alphaMode == 1 ? c.a : 255u;
      auto premultiply = [a](std::uint32_t v) { return (v * a + 127u) / 255u; };
      row[x] = (a << 24) | (premultiply(c.r) << 16) | (premultiply(c.g) << 8) | premultiply(c.b);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

namespace {
cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}
}  // namespace

std::string KivEncodePng(const KivPixelImage& image, int alphaMode) {
  std::string bytes;
  if (image.GetWidth() == 0 || image.GetHeight() == 0) return bytes;
  cairo_surface_t* surface = KivCreateCairoSurface(image, alphaMode);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
      cairo_surface_write_to_png_stream(surface, AppendBytes, &bytes) != CAIRO_STATUS_SUCCESS)
    bytes.clear();
  cairo_surface_destroy(surface);
  return bytes;
}
