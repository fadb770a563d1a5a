#pragma once
// One drawable element of a flattened scene: what a leaf rep contributes,
// with its attributes resolved and its outline in viewer (world) units.
// The picture renderer draws these items in order; picking tests them in
// reverse order (topmost first).
#include <vector>

#include "Kiv3x3Matrix.h"
#include "KivGraphicAttributes.h"
#include "KivMathPoint2Df.h"
#include "KivPixelImage.h"
#include "KivUnicodeString.h"
#include "KivVar.h"

class Kiv2DRep;

struct KivDrawItem {
  enum class Kind { Polyline, Polygon, Arc, Marker, Text, Image };

  Kind kind = Kind::Polyline;
  const Kiv2DRep* source = nullptr;  // the leaf rep that produced the item
  KivGraphicAttributes attributes;   // fully resolved
  // World outline: the vertices of a polyline or polygon, the flattened arc,
  // or the four corners of a marker, text or image (counter-clockwise from
  // the local bottom-left corner).
  std::vector<KivMathPoint2Df> outline;
  bool closed = false;  // polyline: last point joins the first
  bool framed = true;   // counts when a picture or viewpoint frames the scene
  Kiv3x3Matrix world;   // local-to-world transformation of the rep

  // Local geometry, for the kinds that the renderer draws natively.
  KivMathPoint2Df anchor;  // arc centre, marker centre, text baseline start, image bottom-left
  float radius = 0.0f;     // arc
  float startAngle = 0.0f, endAngle = 0.0f;  // arc, radians counter-clockwise
  int symbol = 0;                            // marker
  float size = 0.0f;                         // marker side, text height
  KivUnicodeString text;                     // text
  KivVar<KivPixelImage> image;               // image
  float unitsPerPixel = 0.0f;                // image
  int alphaMode = 0;                         // image: 0 drawn opaque, 1 blended by alpha
};
