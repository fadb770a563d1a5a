#include "KivSvgWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>

#include "KivColorPalette.h"
#include "KivPictureStyle.h"
#include "KivPngDataCache.h"
#include "KivTextMetric.h"

using kiv_picture::PixelPoint;

namespace {
// Numbers with at most two decimals, without trailing zeros.
std::string Num(double v) {
  if (std::fabs(v) < 0.005) v = 0.0;
  // Whole and half numbers, most of a picture's coordinates, are written
  // exactly without the general formatting.
  if (const double twice = v * 2; std::fabs(v) < 1e15 && twice == std::trunc(twice)) {
    const auto halves = static_cast<long long>(twice);
    std::string s = std::to_string(halves / 2);
    if (halves % 2 != 0) s = (halves < 0 && halves / 2 == 0 ? "-" : "") + s + ".5";
    return s;
  }
  char buf[32];
  // As "%.2f" writes it, without the locale and much faster.
  const auto written = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
  std::string s(buf, written.ec == std::errc() ? written.ptr : buf);
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Rgb(const double c[3]) {
  char buf[8];
  auto byte = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", byte(c[0]), byte(c[1]), byte(c[2]));
  return buf;
}

std::string Points(const KivPictureFrame& frame, const std::vector<KivMathPoint2Df>& pts) {
  std::string s;
  for (const auto& p : pts) {
    if (!s.empty()) s += ' ';
    s += Num(frame.PixelX(p.x)) + "," + Num(frame.PixelY(p.y));
  }
  return s;
}

std::string Rotation(const kiv_picture::Placement& place) {
  if (std::fabs(place.degrees) < 1e-6) return "";
  return " transform=\"rotate(" + Num(place.degrees) + " " + Num(place.at.x) + " " +
         Num(place.at.y) + ")\"";
}
}  // namespace

std::string KivSvgWriter::Write(const std::vector<KivDrawItem>& items, const double background[3],
                                const std::vector<KivItemNote>& notes) const {
  std::string out;
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(frame_.width) +
         "\" height=\"" + std::to_string(frame_.height) + "\" viewBox=\"0 0 " +
         std::to_string(frame_.width) + " " + std::to_string(frame_.height) + "\">\n";
  out += "<rect class=\"background\" x=\"0\" y=\"0\" width=\"" + std::to_string(frame_.width) +
         "\" height=\"" + std::to_string(frame_.height) + "\" fill=\"" + Rgb(background) + "\"/>\n";
  icons_.clear();
  for (std::size_t i = 0; i < items.size(); ++i)
    WriteItem(out, items[i], i < notes.size() ? &notes[i] : nullptr);
  // The icons the images show, each once, after their uses (references
  // forward are allowed), so that elements keep their places when one comes.
  if (!icons_.empty()) {
    out += "<defs class=\"icons\">";
    for (const auto& [id, base64] : icons_)
      out += "<symbol id=\"" + id +
             "\" viewBox=\"0 0 1 1\" preserveAspectRatio=\"none\"><image width=\"1\" height=\"1\" "
             "preserveAspectRatio=\"none\" style=\"image-rendering:pixelated\" "
             "href=\"data:image/png;base64," +
             base64 + "\"/></symbol>";
    out += "</defs>\n";
  }
  out += "</svg>\n";
  return out;
}

std::string KivSvgWriter::StrokeAttributes(const KivDrawItem& item) const {
  const double width = kiv_picture::StrokeWidth(item, frame_);
  std::string s = " stroke=\"" + std::string(KivColorPalette::Hex(item.attributes.color)) +
                  "\" stroke-width=\"" + Num(width) + "\" stroke-linejoin=\"round\"";
  const auto dashes = kiv_picture::DashPattern(item.attributes.lineType, width);
  if (!dashes.empty()) {
    s += " stroke-dasharray=\"";
    for (std::size_t i = 0; i < dashes.size(); ++i) s += (i ? " " : "") + Num(dashes[i]);
    s += "\"";
  }
  return s;
}

void KivSvgWriter::WriteItem(std::string& out, const KivDrawItem& item,
                             const KivItemNote* note) const {
  const std::size_t begin = out.size();
  WriteElement(out, item);
  if (out.size() == begin || !note) return;
  if (note->role) {
    // The first class attribute is the element's own.
    const std::size_t at = out.find("class=\"", begin);
    const std::size_t end = at == std::string::npos ? at : out.find('"', at + 7);
    if (end != std::string::npos) out.replace(at + 7, end - at - 7, note->role);
  }
  if (!note->tooltip.empty()) {
    // <title> as the element's first child, so that the element stays on
    // one line: "<x .../>" becomes "<x ...><title>..</title></x>".
    const std::size_t tagEnd = out.find_first_of(" >", begin + 1);
    const std::string tag = out.substr(begin + 1, tagEnd - begin - 1);
    const std::string title = "<title>" + Escape(note->tooltip) + "</title>";
    if (out.compare(out.size() - 3, 3, "/>\n") == 0) {
      out.replace(out.size() - 3, 3, ">" + title + "</" + tag + ">\n");
    } else {
      const std::size_t open = out.find('>', begin);
      if (open != std::string::npos) out.insert(open + 1, title);
    }
  }
}

void KivSvgWriter::WriteElement(std::string& out, const KivDrawItem& item) const {
  switch (item.kind) {
    case KivDrawItem::Kind::Polyline:
      out += std::string("<") + (item.closed ? "polygon" : "polyline") +
             " class=\"line\" points=\"" + Points(frame_, item.outline) + "\" fill=\"none\"" +
             StrokeAttributes(item) + "/>\n";
      break;
    case KivDrawItem::Kind::Polygon:
      out +=
          "<polygon class=\"polygon\" points=\"" + Points(frame_, item.outline) + "\" fill=\"" +
          (item.attributes.fill == 1 ? KivColorPalette::Hex(item.attributes.fillColor) : "none") +
          "\"" + StrokeAttributes(item) + "/>\n";
      break;
    case KivDrawItem::Kind::Arc:
      WriteArc(out, item);
      break;
    case KivDrawItem::Kind::Marker:
      WriteMarker(out, item);
      break;
    case KivDrawItem::Kind::Text:
      WriteText(out, item);
      break;
    case KivDrawItem::Kind::Image:
      WriteImage(out, item);
      break;
  }
}

void KivSvgWriter::WriteArc(std::string& out, const KivDrawItem& item) const {
  const PixelPoint c = kiv_picture::ToPixel(frame_, item.world.Apply(item.anchor));
  const double r = item.radius * item.world.MeanScale() * frame_.scale;
  const bool filled = item.attributes.fill == 1;
  const std::string fill = filled ? KivColorPalette::Hex(item.attributes.fillColor) : "none";
  if (item.closed) {
    out += "<circle class=\"arc\" cx=\"" + Num(c.x) + "\" cy=\"" + Num(c.y) + "\" r=\"" + Num(r) +
           "\" fill=\"" + fill + "\"" + StrokeAttributes(item) + "/>\n";
    return;
  }
  const PixelPoint p0 = kiv_picture::ToPixel(frame_, item.outline.front());
  const PixelPoint p1 = kiv_picture::ToPixel(frame_, item.outline.back());
  const bool large = item.endAngle - item.startAngle > std::numbers::pi;
  // Counter-clockwise in the plane stays counter-clockwise on screen, which
  // is SVG's negative sweep.
  std::string d = filled ? "M " + Num(c.x) + " " + Num(c.y) + " L " : "M ";
  d += Num(p0.x) + " " + Num(p0.y) + " A " + Num(r) + " " + Num(r) + " 0 " + (large ? "1" : "0") +
       " 0 " + Num(p1.x) + " " + Num(p1.y) + (filled ? " Z" : "");
  out +=
      "<path class=\"arc\" d=\"" + d + "\" fill=\"" + fill + "\"" + StrokeAttributes(item) + "/>\n";
}

void KivSvgWriter::WriteMarker(std::string& out, const KivDrawItem& item) const {
  const PixelPoint c = kiv_picture::ToPixel(frame_, item.world.Apply(item.anchor));
  const double h = item.size / 2.0 * item.world.MeanScale() * frame_.scale;
  const std::string colour = KivColorPalette::Hex(item.attributes.color);
  const std::string stroke =
      " stroke=\"" + colour + "\" stroke-width=\"" + Num(std::max(1.0, h / 3)) + "\"";
  out += "<g class=\"marker\" data-symbol=\"" + std::to_string(item.symbol) + "\">";
  switch (item.symbol) {
    case 2:
      out += "<path d=\"M " + Num(c.x - h) + " " + Num(c.y) + " H " + Num(c.x + h) + " M " +
             Num(c.x) + " " + Num(c.y - h) + " V " + Num(c.y + h) + "\"" + stroke + "/>";
      break;
    case 3:
      out += "<path d=\"M " + Num(c.x - h) + " " + Num(c.y - h) + " L " + Num(c.x + h) + " " +
             Num(c.y + h) + " M " + Num(c.x - h) + " " + Num(c.y + h) + " L " + Num(c.x + h) + " " +
             Num(c.y - h) + "\"" + stroke + "/>";
      break;
    case 4:
      out += "<circle cx=\"" + Num(c.x) + "\" cy=\"" + Num(c.y) + "\" r=\"" + Num(h) +
             "\" fill=\"" + colour + "\"/>";
      break;
    case 5:
      out += "<rect x=\"" + Num(c.x - h) + "\" y=\"" + Num(c.y - h) + "\" width=\"" + Num(2 * h) +
             "\" height=\"" + Num(2 * h) + "\" fill=\"" + colour + "\"/>";
      break;
    case 6:
      out += "<polygon points=\"" + Num(c.x - h) + "," + Num(c.y + h) + " " + Num(c.x + h) + "," +
             Num(c.y + h) + " " + Num(c.x) + "," + Num(c.y - h) + "\" fill=\"" + colour + "\"/>";
      break;
    default:
      out += "<circle cx=\"" + Num(c.x) + "\" cy=\"" + Num(c.y) + "\" r=\"" + Num(h / 2) +
             "\" fill=\"" + colour + "\"/>";
      break;
  }
  out += "</g>\n";
}

void KivSvgWriter::WriteText(std::string& out, const KivDrawItem& item) const {
  const kiv_picture::Placement place = kiv_picture::PlaceAt(frame_, item, item.anchor);
  const double size = item.size * place.factor * frame_.scale;
  const double length = KivTextMetric::Width(item.text, item.size) * place.factor * frame_.scale;
  out += "<text class=\"text\" x=\"" + Num(place.at.x) + "\" y=\"" + Num(place.at.y) +
         "\" font-family=\"" + KivTextMetric::kFontFamily + "\" font-size=\"" + Num(size) +
         "\" textLength=\"" + Num(length) + "\" lengthAdjust=\"spacingAndGlyphs\" fill=\"" +
         KivColorPalette::Hex(item.attributes.color) + "\" xml:space=\"preserve\"" +
         Rotation(place) + ">" + Escape(item.text.ConvertToUTF8()) + "</text>\n";
}

void KivSvgWriter::WriteImage(std::string& out, const KivDrawItem& item) const {
  if (!item.image) return;
  const double wUnits = item.image->GetWidth() * item.unitsPerPixel;
  const double hUnits = item.image->GetHeight() * item.unitsPerPixel;
  // The image's top-left corner is its local reference on screen.
  const KivMathPoint2Df topLeft(item.anchor.x, item.anchor.y + static_cast<float>(hUnits));
  const kiv_picture::Placement place = kiv_picture::PlaceAt(frame_, item, topLeft);
  // Named by its content, so that an icon keeps its name from picture to picture.
  const std::shared_ptr<const KivPngDataCache::Icon> icon =
      KivPngDataCache::Shared().Encode(*item.image, item.alphaMode);
  if (!icon) return;
  const std::string& id = icon->id;
  icons_.try_emplace(id, icon->base64);
  out += "<use class=\"image\" x=\"" + Num(place.at.x) + "\" y=\"" + Num(place.at.y) +
         "\" width=\"" + Num(wUnits * place.factor * frame_.scale) + "\" height=\"" +
         Num(hUnits * place.factor * frame_.scale) + "\"" + Rotation(place) + " href=\"#" + id +
         "\"/>\n";
}
