#pragma once
// Writes draw items as an SVG document, one element per item with a class
// naming its kind: "line" (polyline), "polygon", "arc" (circle or path),
// "marker" (group), "text", "image" (a use of an icon). The first element is
// the background rectangle (class "background"); the last, when images are
// drawn, the icons they use as symbols (embedded PNG, class "icons").
#include <map>
#include <string>
#include <vector>

#include "KivDrawItem.h"
#include "KivPictureFrame.h"

class KivSvgWriter {
 public:
  explicit KivSvgWriter(const KivPictureFrame& frame) : frame_(frame) {}
  std::string Write(const std::vector<KivDrawItem>& items, const double background[3]) const;

 private:
  void WriteItem(std::string& out, const KivDrawItem& item) const;
  void WriteArc(std::string& out, const KivDrawItem& item) const;
  void WriteMarker(std::string& out, const KivDrawItem& item) const;
  void WriteText(std::string& out, const KivDrawItem& item) const;
  void WriteImage(std::string& out, const KivDrawItem& item) const;
  std::string StrokeAttributes(const KivDrawItem& item) const;

  KivPictureFrame frame_;
  mutable std::map<std::string, std::string> icons_;  // symbol id -> base64 PNG, of one Write
};
