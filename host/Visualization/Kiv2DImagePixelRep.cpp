#include "Kiv2DImagePixelRep.h"

Kiv2DImagePixelRep::Kiv2DImagePixelRep(const KivMathPoint2Df& origin, KivPixelImage* image)
    : origin_(origin), image_(image) {}

Kiv2DImagePixelRep::~Kiv2DImagePixelRep() = default;

void Kiv2DImagePixelRep::Modify(const KivMathPoint2Df& origin) {
  origin_ = origin;
  GeometryChanged();
}

HRESULT Kiv2DImagePixelRep::SetAlphaMode(int mode) {
  if (mode != 0 && mode != 1) return E_INVALIDARG;
  alphaMode_ = mode;
  TouchScene();
  return S_OK;
}

Kiv2DBoundingBox Kiv2DImagePixelRep::ComputeBoundingBox() const {
  if (!image_) return {};
  return Kiv2DBoundingBox::FromCorners(
      origin_.x, origin_.y, origin_.x + kUnitsPerPixel * static_cast<float>(image_->GetWidth()),
      origin_.y + kUnitsPerPixel * static_cast<float>(image_->GetHeight()));
}

void Kiv2DImagePixelRep::AppendDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                                         const KivGraphicAttributes& resolved) const {
  if (!image_ || image_->GetWidth() == 0 || image_->GetHeight() == 0) return;
  KivDrawItem item = MakeItem(KivDrawItem::Kind::Image, world, resolved);
  item.anchor = origin_;
  item.image = image_;
  item.unitsPerPixel = kUnitsPerPixel;
  item.alphaMode = alphaMode_;
  item.outline = WorldCorners(ComputeBoundingBox(), world);
  out.push_back(std::move(item));
}
