#include "KivCairoPainter.h"

#include <cmath>
#include <numbers>

#include "KivCairoImage.h"
#include "KivColorPalette.h"
#include "KivPictureStyle.h"
#include "KivTextMetric.h"

using kiv_picture::PixelPoint;

void KivCairoPainter::Paint(const std::vector<KivDrawItem>& items,
                            const double background[3]) const {
  cairo_set_source_rgb(cr_, background[0], background[1], background[2]);
  cairo_paint(cr_);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  for (const auto& item : items) PaintItem(item);
}

void KivCairoPainter::SetColour(int paletteIndex) const {
  const KivRgb c = KivColorPalette::Color(paletteIndex);
  cairo_set_source_rgb(cr_, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

void KivCairoPainter::Stroke(const KivDrawItem& item) const {
  const double width = kiv_picture::StrokeWidth(item, frame_);
  const auto dashes = kiv_picture::DashPattern(item.attributes.lineType, width);
  cairo_set_line_width(cr_, width);
  cairo_set_dash(cr_, dashes.data(), static_cast<int>(dashes.size()), 0.0);
  SetColour(item.attributes.color);
  cairo_stroke(cr_);
}

void KivCairoPainter::PathThrough(const std::vector<KivMathPoint2Df>& points, bool close) const {
  cairo_new_path(cr_);
  for (const auto& p : points) {
    const PixelPoint q = kiv_picture::ToPixel(frame_, p);
    cairo_line_to(cr_, q.x, q.y);
  }
  if (close) cairo_close_path(cr_);
}

void KivCairoPainter::PaintItem(const KivDrawItem& item) const {
  switch (item.kind) {
    case KivDrawItem::Kind::Polyline:
      PathThrough(item.outline, item.closed);
      Stroke(item);
      break;
    case KivDrawItem::Kind::Polygon:
      PathThrough(item.outline, true);
      if (item.attributes.fill == 1) {
        SetColour(item.attributes.fillColor);
        cairo_fill_preserve(cr_);
      }
      Stroke(item);
      break;
    case KivDrawItem::Kind::Arc:
      PaintArc(item);
      break;
    case KivDrawItem::Kind::Marker:
      PaintMarker(item);
      break;
    case KivDrawItem::Kind::Text:
      PaintText(item);
      break;
    case KivDrawItem::Kind::Image:
      PaintImage(item);
      break;
  }
}

void KivCairoPainter::PaintArc(const KivDrawItem& item) const {
  const PixelPoint c = kiv_picture::ToPixel(frame_, item.world.Apply(item.anchor));
  const double r = item.radius * item.world.MeanScale() * frame_.scale;
  const double turn = KivPictureFrame::RotationOf(item.world);
  const bool filled = item.attributes.fill == 1;
  cairo_new_path(cr_);
  if (filled && !item.closed) cairo_move_to(cr_, c.x, c.y);
  // Pixels go down, so a counter-clockwise arc runs through decreasing angles.
  cairo_arc_negative(cr_, c.x, c.y, r, -(item.startAngle + turn), -(item.endAngle + turn));
  if (filled || item.closed) cairo_close_path(cr_);
  if (filled) {
    SetColour(item.attributes.fillColor);
    cairo_fill_preserve(cr_);
  }
  Stroke(item);
}

void KivCairoPainter::PaintMarker(const KivDrawItem& item) const {
  const PixelPoint c = kiv_picture::ToPixel(frame_, item.world.Apply(item.anchor));
  const double h = item.size / 2.0 * item.world.MeanScale() * frame_.scale;
  SetColour(item.attributes.color);
  cairo_new_path(cr_);
  cairo_set_dash(cr_, nullptr, 0, 0.0);
  cairo_set_line_width(cr_, std::max(1.0, h / 3));
  switch (item.symbol) {
    case 2:
      cairo_move_to(cr_, c.x - h, c.y);
      cairo_line_to(cr_, c.x + h, c.y);
      cairo_move_to(cr_, c.x, c.y - h);
      cairo_line_to(cr_, c.x, c.y + h);
      cairo_stroke(cr_);
      break;
    case 3:
      cairo_move_to(cr_, c.x - h, c.y - h);
      cairo_line_to(cr_, c.x + h, c.y + h);
      cairo_move_to(cr_, c.x - h, c.y + h);
      cairo_line_to(cr_, c.x + h, c.y - h);
      cairo_stroke(cr_);
      break;
    case 4:
      cairo_arc(cr_, c.x, c.y, h, 0, 2 * std::numbers::pi);
      cairo_fill(cr_);
      break;
    case 5:
      cairo_rectangle(cr_, c.x - h, c.y - h, 2 * h, 2 * h);
      cairo_fill(cr_);
      break;
    case 6:
      cairo_move_to(cr_, c.x - h, c.y + h);
      cairo_line_to(cr_, c.x + h, c.y + h);
      cairo_line_to(cr_, c.x, c.y - h);
      cairo_close_path(cr_);
      cairo_fill(cr_);
      break;
    default:
      cairo_arc(cr_, c.x, c.y, h / 2, 0, 2 * std::numbers::pi);
      cairo_fill(cr_);
      break;
  }
}

void KivCairoPainter::PaintText(const KivDrawItem& item) const {
  const kiv_picture::Placement place = kiv_picture::PlaceAt(frame_, item, item.anchor);
  const double size = item.size * place.factor * frame_.scale;
  const double length = KivTextMetric::Width(item.text, item.size) * place.factor * frame_.scale;
  const std::string utf8 = item.text.ConvertToUTF8();
  cairo_save(cr_);
  cairo_select_font_face(cr_, KivTextMetric::kFontFamily, CAIRO_FONT_SLANT_NORMAL,
                         CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr_, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr_, utf8.c_str(), &extents);
  cairo_translate(cr_, place.at.x, place.at.y);
  cairo_rotate(cr_, place.degrees * std::numbers::pi / 180.0);
  // Fit the font's own advance to the host metric, so text ends where the
  // metric says.
  if (extents.x_advance > 0) cairo_scale(cr_, length / extents.x_advance, 1.0);
  SetColour(item.attributes.color);
  cairo_move_to(cr_, 0, 0);
  cairo_show_text(cr_, utf8.c_str());
  cairo_restore(cr_);
}

void KivCairoPainter::PaintImage(const KivDrawItem& item) const {
  if (!item.image) return;
  const double hUnits = item.image->GetHeight() * item.unitsPerPixel;
  const KivMathPoint2Df topLeft(item.anchor.x, item.anchor.y + static_cast<float>(hUnits));
  const kiv_picture::Placement place = kiv_picture::PlaceAt(frame_, item, topLeft);
  cairo_surface_t* surface = KivCreateCairoSurface(*item.image, item.alphaMode);
  if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
    const double pixel = item.unitsPerPixel * place.factor * frame_.scale;
    cairo_save(cr_);
    cairo_translate(cr_, place.at.x, place.at.y);
    cairo_rotate(cr_, place.degrees * std::numbers::pi / 180.0);
    cairo_scale(cr_, pixel, pixel);
    cairo_set_source_surface(cr_, surface, 0, 0);
    // Icons stay crisp: each image pixel is a square of the picture.
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_NEAREST);
    cairo_paint(cr_);
    cairo_restore(cr_);
  }
  cairo_surface_destroy(surface);
}
