#pragma once
// Writes draw items as an SVG document, one element per item with a class
// naming its kind: "line" (polyline), "polygon", "arc" (circle or path),
// "marker" (group), "text", "image" (a use of an icon). The first element is
// the background rectangle (class "background"); the last, when images are
// drawn, the icons they use as symbols (embedded PNG, class "icons"). An item
// whose note has a role takes it as its class; a note's tooltip becomes a
// <title> child. Every element is on a line of its own.
#include <map>
#include <string>
#include <vector>

#include "KivDrawItem.h"
#include "KivPictureFrame.h"
#include "KivPictureLayout.h"

class KivSvgWriter {
 public:
  explicit KivSvgWriter(const KivPictureFrame& frame) : frame_(frame) {}
  // `notes`, when given, has one entry per item.
  std::string Write(const std::vector<KivDrawItem>& items, const double background[3],
                    const std::vector<KivItemNote>& notes = {}) const;

 private:
  // The element of an item, with its role as class and its tooltip.
  void WriteItem(std::string& out, const KivDrawItem& item, const KivItemNote* note) const;
  void WriteElement(std::string& out, const KivDrawItem& item) const;
  void WriteArc(std::string& out, const KivDrawItem& item) const;
  void WriteMarker(std::string& out, const KivDrawItem& item) const;
  void WriteText(std::string& out, const KivDrawItem& item) const;
  void WriteImage(std::string& out, const KivDrawItem& item) const;
  std::string StrokeAttributes(const KivDrawItem& item) const;

  KivPictureFrame frame_;
  mutable std::map<std::string, std::string> icons_;  // symbol id -> base64 PNG, of one Write
};
