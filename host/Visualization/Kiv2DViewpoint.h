#pragma once
// The 2D viewpoint of a viewer: which part of the plane the viewer's window
// shows, as a centre in viewer units and a scale in pixels per unit.
#include "Kiv2DBoundingBox.h"
#include "KivImplement.h"

class Kiv2DViewpoint : public KivImplement<> {
  KIV_CLASS(Kiv2DViewpoint, KivBaseUnknown, "Visualization")
 public:
  static constexpr double kDefaultScale = 8.0;  // pixels per unit
  static constexpr double kFrameMargin = 2.0;   // units kept around a framed box

  Kiv2DViewpoint(int widthPixels, int heightPixels);

  void SetWindowSize(int widthPixels, int heightPixels);
  const KivMathPoint2Df& GetCentre() const { return centre_; }
  double GetScale() const { return scale_; }
  void SetView(const KivMathPoint2Df& centre, double scale);
  // Centres the box and picks the largest scale (up to the default) that
  // shows it whole with the margin; an empty box gives the default view
  // centred on the origin.
  void Frame(const Kiv2DBoundingBox& box);
  // The part of the plane the window shows.
  Kiv2DBoundingBox GetVisibleBox() const;
  // Window pixels (origin top-left, y down) to viewer units and back.
  KivMathPoint2Df PixelToWorld(double px, double py) const;
  void WorldToPixel(const KivMathPoint2Df& p, double& px, double& py) const;

 protected:
  ~Kiv2DViewpoint() override;

 private:
  int width_;
  int height_;
  KivMathPoint2Df centre_;
  double scale_ = kDefaultScale;
};
