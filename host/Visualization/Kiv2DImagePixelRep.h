#pragma once
// A pixel image drawn with its bottom-left corner at a point, at 0.25 unit
// per pixel (a 16-pixel icon is 4 units wide). The rep holds a reference to
// its image. Alpha mode 0 draws every pixel opaque, 1 blends by the alpha.
#include "Kiv2DRep.h"
#include "KivPixelImage.h"

class Kiv2DImagePixelRep : public Kiv2DRep {
  KIV_CLASS(Kiv2DImagePixelRep, Kiv2DRep, "Visualization")
 public:
  static constexpr float kUnitsPerPixel = 0.25f;

  Kiv2DImagePixelRep(const KivMathPoint2Df& origin, KivPixelImage* image);

  // Moves the image's bottom-left corner to `origin`.
  void Modify(const KivMathPoint2Df& origin);
  const KivMathPoint2Df& GetOrigin() const { return origin_; }
  // The image itself (no reference added); null when none was given.
  KivPixelImage* GetPixelImage() const { return image_.get(); }
  // 0 or 1; other values are refused with E_INVALIDARG.
  HRESULT SetAlphaMode(int mode);
  int GetAlphaMode() const { return alphaMode_; }

 protected:
  ~Kiv2DImagePixelRep() override;
  Kiv2DBoundingBox ComputeBoundingBox() const override;
  void AppendDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                       const KivGraphicAttributes& resolved) const override;

 private:
  KivMathPoint2Df origin_;
  KivVar<KivPixelImage> image_;
  int alphaMode_ = 0;
};
