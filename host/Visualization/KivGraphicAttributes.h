#pragma once
// Display attributes of a 2D rep. A value of kKivInherit takes the value of
// the enclosing bag; at the top of a scene the defaults apply (colour 0 =
// black, solid line type 1, thickness 1, no fill).
inline constexpr int kKivInherit = -1;

struct KivGraphicAttributes {
  int color = kKivInherit;      // palette index 0..255 (see KivColorPalette)
  int fillColor = kKivInherit;  // palette index of the fill; the colour when inherited to the top
  int lineType = kKivInherit;   // 1 solid, 2 dashed, 3 dotted, 4 dash-dot
  int thickness = kKivInherit;  // 1.. (line width in tenths of a unit)
  int fill = kKivInherit;       // 0 outline only, 1 filled

  // This set with every inherited value taken from `outer`.
  KivGraphicAttributes ResolvedWith(const KivGraphicAttributes& outer) const {
    KivGraphicAttributes r = *this;
    if (r.color == kKivInherit) r.color = outer.color;
    if (r.fillColor == kKivInherit) r.fillColor = outer.fillColor;
    if (r.lineType == kKivInherit) r.lineType = outer.lineType;
    if (r.thickness == kKivInherit) r.thickness = outer.thickness;
    if (r.fill == kKivInherit) r.fill = outer.fill;
    return r;
  }
  // The values used at the top of a scene.
  static KivGraphicAttributes Defaults() { return {0, kKivInherit, 1, 1, 0}; }
  friend bool operator==(const KivGraphicAttributes&, const KivGraphicAttributes&) = default;
};
