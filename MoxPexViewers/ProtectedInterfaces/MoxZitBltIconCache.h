#pragma once
// The icons of the status buttons, decoded once: a level of a thousand nodes
// shows a handful of distinct icons thousands of times. Each request gives
// the caller an image of its own over the pixels shared by all requests for
// that icon and colour (changing the image copies them first), and a file
// changed on disk (another time or size) is decoded again in the next user
// event.
#include "KivPixelImage.h"
#include "KivUnicodeString.h"

class MoxZitBltIconCache {
 public:
  // A new image (the caller owns the creation reference) of "<icon>.bmp"
  // found through the host's image path, as RGBA with every pixel opaque, in
  // grey levels when `grey`; null when no such image is found or decoded.
  static KivPixelImage* Load(const KivUnicodeString& icon, bool grey);
  static void Clear();
};
