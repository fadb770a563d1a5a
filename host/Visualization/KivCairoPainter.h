#pragma once
// Paints draw items on a cairo context whose user space is the picture's
// pixels; the same conventions as the SVG writer (KivPictureStyle).
#include <cairo.h>

#include <vector>

#include "KivDrawItem.h"
#include "KivPictureFrame.h"

class KivCairoPainter {
 public:
  KivCairoPainter(cairo_t* context, const KivPictureFrame& frame) : cr_(context), frame_(frame) {}
  void Paint(const std::vector<KivDrawItem>& items, const double background[3]) const;

 private:
  void PaintItem(const KivDrawItem& item) const;
  void PaintArc(const KivDrawItem& item) const;
  void PaintMarker(const KivDrawItem& item) const;
  void PaintText(const KivDrawItem& item) const;
  void PaintImage(const KivDrawItem& item) const;
  void SetColour(int paletteIndex) const;
  void Stroke(const KivDrawItem& item) const;
  void PathThrough(const std::vector<KivMathPoint2Df>& points, bool close) const;

  cairo_t* cr_;
  KivPictureFrame frame_;
};
