#pragma once
// Pixel images for cairo: an ARGB32 surface of a KivPixelImage (alpha mode 0
// makes every pixel opaque) and its PNG encoding.
#include <cairo.h>

#include <string>

#include "KivPixelImage.h"

// A new surface the caller destroys (cairo_surface_destroy).
cairo_surface_t* KivCreateCairoSurface(const KivPixelImage& image, int alphaMode);
// The PNG bytes of the image; empty on failure.
std::string KivEncodePng(const KivPixelImage& image, int alphaMode);
