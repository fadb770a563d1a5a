#include "KivPictureLayout.h"

#include <algorithm>
#include <cmath>

#include "KivTextMetric.h"
#include "KivViewer.h"

namespace {

// Decoration sizes in pixels.
constexpr double kTitleText = 18.0;
constexpr double kTitleBand = 32.0;
constexpr double kLegendText = 12.0;
constexpr double kLegendRow = 24.0;
constexpr double kSwatch = 14.0;
constexpr double kIcon = 20.0;
constexpr double kPad = 8.0;
constexpr double kEntryGap = 18.0;
constexpr int kTitleColor = 0;
constexpr int kLegendColor = 1;
constexpr int kSwatchBorder = 249;
constexpr int kBandColor = 11;  // white

double TextWidthPx(const std::string& text, double heightPx) {
  return KivTextMetric::Width(KivUnicodeString(text), static_cast<float>(heightPx));
}

double EntryWidthPx(const KivLegendEntry& entry) {
  return (entry.icon ? kIcon : kSwatch) + kPad / 2 + TextWidthPx(entry.label, kLegendText);
}

// Rows of the legend when it may be `widthPx` wide: the index of each row's
// first entry.
std::vector<std::size_t> LegendRows(const std::vector<KivLegendEntry>& legend, double widthPx) {
  std::vector<std::size_t> rows;
  double x = widthPx;  // forces a first row
  for (std::size_t i = 0; i < legend.size(); ++i) {
    const double w = EntryWidthPx(legend[i]);
    if (x + w > widthPx - kPad && x > kPad) {
      rows.push_back(i);
      x = kPad;
    }
    x += w + kEntryGap;
  }
  return rows;
}

double TitleBandPx(const KivPictureOptions& o) { return o.title.empty() ? 0.0 : kTitleBand; }
double RowsBandPx(const KivPictureOptions& o, double widthPx) {
  return static_cast<double>(LegendRows(o.legend, widthPx).size()) * kLegendRow + kPad;
}
// A fit too small for the legend beside the scene (it would take more than
// half the height) leaves the legend out.
bool ShowsLegend(const KivPictureOptions& o) {
  if (o.legend.empty()) return false;
  if (o.fitWidth <= 0 || o.fitHeight <= 0) return true;
  return TitleBandPx(o) + RowsBandPx(o, o.fitWidth) <= o.fitHeight / 2.0;
}
double LegendBandPx(const KivPictureOptions& o, double widthPx) {
  return ShowsLegend(o) ? RowsBandPx(o, widthPx) : 0.0;
}
// The narrowest picture that shows the title and the widest legend entry.
double DecorationWidthPx(const KivPictureOptions& o) {
  double w = o.title.empty() ? 0.0 : TextWidthPx(o.title, kTitleText) + 2 * kPad;
  if (!ShowsLegend(o)) return w;
  for (const KivLegendEntry& e : o.legend) w = std::max(w, EntryWidthPx(e) + 2 * kPad);
  return w;
}

KivDrawItem TextItem(const std::string& text, double x, double y, double heightUnits, int color) {
  KivDrawItem item;
  item.kind = KivDrawItem::Kind::Text;
  item.text = KivUnicodeString(text);
  item.size = static_cast<float>(heightUnits);
  item.anchor = {static_cast<float>(x), static_cast<float>(y)};
  item.attributes.color = color;
  item.framed = false;
  const float w = KivTextMetric::Width(item.text, item.size);
  const float x0 = item.anchor.x;
  const float y0 = item.anchor.y - 0.2f * item.size;
  const float y1 = item.anchor.y + 0.8f * item.size;
  item.outline = {{x0, y0}, {x0 + w, y0}, {x0 + w, y1}, {x0, y1}};
  return item;
}

void AppendLegend(const KivPictureOptions& o, const KivPictureFrame& frame, double topY,
                  std::vector<KivDrawItem>& items, std::vector<KivItemNote>& notes) {
  const double unit = 1.0 / frame.scale;  // viewer units per pixel
  const std::vector<std::size_t> rows = LegendRows(o.legend, frame.width);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const std::size_t end = r + 1 < rows.size() ? rows[r + 1] : o.legend.size();
    const double middle = topY - (static_cast<double>(r) + 0.5) * kLegendRow * unit;
    double x = frame.left + kPad * unit;
    for (std::size_t i = rows[r]; i < end; ++i) {
      const KivLegendEntry& entry = o.legend[i];
      KivDrawItem mark;
      mark.framed = false;
      double side = kSwatch;
      if (entry.icon) {
        side = kIcon;
        mark.kind = KivDrawItem::Kind::Image;
        mark.image = entry.icon;
        mark.alphaMode = 1;
        const int longest = std::max({1, entry.icon->GetWidth(), entry.icon->GetHeight()});
        mark.unitsPerPixel = static_cast<float>(side * unit / longest);
        mark.anchor = {static_cast<float>(x), static_cast<float>(middle - side * unit / 2)};
      } else {
        mark.kind = KivDrawItem::Kind::Polygon;
        mark.attributes.fill = 1;
        mark.attributes.fillColor = entry.fillColor;
        mark.attributes.color = kSwatchBorder;
        const auto x0 = static_cast<float>(x);
        const auto x1 = static_cast<float>(x + side * unit);
        const auto y0 = static_cast<float>(middle - side * unit / 2);
        const auto y1 = static_cast<float>(middle + side * unit / 2);
        mark.outline = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
      }
      if (mark.outline.empty()) mark.outline = {mark.anchor};
      items.push_back(std::move(mark));
      notes.push_back({"legend", entry.label});
      KivDrawItem label =
          TextItem(entry.label, x + (side + kPad / 2) * unit, middle - 0.35 * kLegendText * unit,
                   kLegendText * unit, kLegendColor);
      items.push_back(std::move(label));
      notes.push_back({"legend", {}});
      x += (EntryWidthPx(entry) + kEntryGap) * unit;
    }
  }
}

bool Overlaps(const KivDrawItem& item, const Kiv2DBoundingBox& box) {
  Kiv2DBoundingBox own;
  for (const auto& p : item.outline) own.Extend(p);
  return !own.IsEmpty() && own.xmax >= box.xmin && own.xmin <= box.xmax && own.ymax >= box.ymin &&
         own.ymin <= box.ymax;
}

}  // namespace

KivPictureFrame KivFramePicture(const KivPictureOptions& o, const std::vector<KivDrawItem>& items) {
  Kiv2DBoundingBox box = o.crop ? *o.crop : KivViewer::FramingBounds(items);
  if (box.IsEmpty()) box = Kiv2DBoundingBox::FromCorners(0, 0, 0, 0);
  const double margin = std::max(0.0, o.marginUnits);
  const double w = box.Width() + 2 * margin;
  const double h = box.Height() + 2 * margin;
  const double titleBand = TitleBandPx(o);
  const bool fit = o.fitWidth > 0 && o.fitHeight > 0;
  // Whole pixels, forgiving the rounding of a scale computed to fit.
  const double slack = fit ? 1e-6 : 0.0;
  auto pixels = [slack](double size) {
    return std::max(1, static_cast<int>(std::ceil(size - slack)));
  };
  auto widthAt = [&](double scale) { return pixels(std::max(w * scale, DecorationWidthPx(o))); };
  double scale = o.pixelsPerUnit > 0 ? o.pixelsPerUnit : 8.0;
  if (fit) {
    // A narrower picture may wrap the legend onto more rows: shrink until
    // the legend's rows fit the room they were given.
    double legendBand = LegendBandPx(o, o.fitWidth);
    for (std::size_t round = 0; round <= o.legend.size(); ++round) {
      const double room = std::max(1.0, o.fitHeight - titleBand - legendBand);
      scale = std::max(1e-3, std::min(w > 0 ? o.fitWidth / w : scale, h > 0 ? room / h : scale));
      const double needed = LegendBandPx(o, std::min(o.fitWidth, widthAt(scale)));
      if (needed <= legendBand) break;
      legendBand = needed;
    }
  } else if (!o.exactScale) {
    const double cap = std::max(16, o.maxPixels);
    if (w > 0) scale = std::min(scale, cap / w);
    if (h > 0) scale = std::min(scale, cap / h);
  }
  KivPictureFrame frame;
  frame.scale = scale;
  // A fit is a hard limit: there the title shrinks and the legend wraps.
  frame.width = fit ? std::min(o.fitWidth, widthAt(scale)) : widthAt(scale);
  frame.left = box.xmin - margin;
  frame.top = box.ymax + margin + titleBand / scale;
  frame.height = pixels(h * scale + titleBand + LegendBandPx(o, frame.width));
  return frame;
}

void KivDecoratePicture(const KivPictureOptions& o, const KivPictureFrame& frame,
                        std::vector<KivDrawItem>& items, std::vector<KivItemNote>& notes) {
  if (o.crop) {
    std::erase_if(items, [&](const KivDrawItem& item) { return !Overlaps(item, *o.crop); });
  }
  notes.assign(items.size(), {});
  if (o.tooltip) {
    for (std::size_t i = 0; i < items.size(); ++i) notes[i].tooltip = o.tooltip(items[i]);
  }
  // The bands are painted over whatever a crop lets into them.
  auto band = [&](double topPx, double heightPx) {
    if (heightPx <= 0) return;
    KivDrawItem fill;
    fill.kind = KivDrawItem::Kind::Polygon;
    fill.framed = false;
    fill.attributes.fill = 1;
    fill.attributes.fillColor = kBandColor;
    fill.attributes.color = kBandColor;
    const auto x0 = static_cast<float>(frame.left);
    const auto x1 = static_cast<float>(frame.left + frame.width / frame.scale);
    const auto y0 = static_cast<float>(frame.top - (topPx + heightPx) / frame.scale);
    const auto y1 = static_cast<float>(frame.top - topPx / frame.scale);
    fill.outline = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    items.push_back(std::move(fill));
    notes.push_back({"band", {}});
  };
  const double legendBand = LegendBandPx(o, frame.width);
  band(0.0, TitleBandPx(o));
  band(frame.height - legendBand, legendBand);
  if (!o.title.empty()) {
    const double fitting = (frame.width - 2 * kPad) / std::max(1.0, TextWidthPx(o.title, 1.0));
    const double size = std::max(1.0, std::min(kTitleText, fitting));
    items.push_back(TextItem(o.title, frame.left + kPad / frame.scale,
                             frame.top - (kTitleBand - kPad) / frame.scale, size / frame.scale,
                             kTitleColor));
    notes.push_back({"title", {}});
  }

  if (ShowsLegend(o)) {
    const double legendTop = frame.top - (frame.height - legendBand) / frame.scale;
    AppendLegend(o, frame, legendTop, items, notes);
  }
}
