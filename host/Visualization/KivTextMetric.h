#pragma once
// The host's text metric: the same on every machine, so label geometry can
// be computed and tested exactly. Text is set in a monospace font whose
// advance is 0.6 x the height per character (code point); the box of a text
// whose baseline starts at (x, y) runs from x to x + width and from
// y - 0.2 h (descent) to y + 0.8 h (ascent). The picture renderer draws with
// "DejaVu Sans Mono" fitted to exactly this width.
#include "Kiv2DBoundingBox.h"
#include "KivUnicodeString.h"

class KivTextMetric {
 public:
  static constexpr float kAdvancePerHeight = 0.6f;
  static constexpr float kDescentPerHeight = 0.2f;
  static constexpr float kAscentPerHeight = 0.8f;
  static constexpr const char* kFontFamily = "DejaVu Sans Mono";

  static float Width(const KivUnicodeString& text, float height);
  static Kiv2DBoundingBox Box(const KivUnicodeString& text, float height,
                              const KivMathPoint2Df& at);
};
