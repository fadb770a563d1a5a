#pragma once
// What a picture shows and at what size: the part of the scene (all of it,
// or a crop box in viewer units), the scale (the default one capped so that
// no side exceeds the cap, an exact one, or the largest that fits a given
// size), and the decorations around the scene: a title band above it and a
// legend below it (colour swatches and icons with their labels). The
// decorations are sized in pixels, so they stay readable at any scale, and
// become ordinary draw items, so that SVG and PNG show the same picture.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Kiv2DBoundingBox.h"
#include "KivDrawItem.h"
#include "KivPictureFrame.h"

struct KivLegendEntry {
  std::string label;
  int fillColor = -1;          // a swatch of this palette colour, or
  KivVar<KivPixelImage> icon;  // an icon
};

struct KivPictureOptions {
  double pixelsPerUnit = 8.0;
  double marginUnits = 4.0;
  int maxPixels = 4096;
  // pixelsPerUnit as given, without the cap (a raster picture still has to
  // stay within kKivMaxRasterSide).
  bool exactScale = false;
  // The largest scale at which the whole picture, decorations included,
  // fits this many pixels (both > 0); wins over the scale.
  int fitWidth = 0;
  int fitHeight = 0;
  // The part of the scene to show, in viewer units; the whole scene when
  // unset. Items entirely outside it are left out.
  std::optional<Kiv2DBoundingBox> crop;
  std::string title;
  std::vector<KivLegendEntry> legend;
  // A description of an item, written as its SVG tooltip (empty: none).
  std::function<std::string(const KivDrawItem&)> tooltip;
};

// What a picture adds to one of its items: an SVG class other than the
// kind's own ("title", "legend" for the decorations), and a tooltip.
struct KivItemNote {
  const char* role = nullptr;
  std::string tooltip;
};

// The longest side a raster picture may have.
inline constexpr int kKivMaxRasterSide = 16384;

// Where the scene's items land as the options say, with room for the
// decorations.
KivPictureFrame KivFramePicture(const KivPictureOptions& options,
                                const std::vector<KivDrawItem>& items);
// Leaves out what a crop does not show and appends the decorations' items
// for the frame; `notes` then holds one note per item (tooltips, roles).
void KivDecoratePicture(const KivPictureOptions& options, const KivPictureFrame& frame,
                        std::vector<KivDrawItem>& items, std::vector<KivItemNote>& notes);
