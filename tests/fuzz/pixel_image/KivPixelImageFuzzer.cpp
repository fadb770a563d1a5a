// Feeds arbitrary bytes to the BMP loader. Whatever loads must have a pixel
// buffer of exactly width x height x channels bytes, and survive the
// conversions and transparency modes the display uses, then be drawn.
#include "../KivFuzz.h"
#include "Kiv2DImagePixelRep.h"
#include "KivPictureRenderer.h"
#include "KivPixelImage.h"
#include "KivVar.h"
#include "KivViewer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto image = KivVar<KivPixelImage>::Adopt(KivPixelImage::CreateFromMemory(data, size));
  if (!image) return 0;
  const std::size_t expected = static_cast<std::size_t>(image->GetWidth()) * image->GetHeight() *
                               KivPixelImage::ChannelsOf(image->GetFormat());
  Require(image->GetPixels().size() == expected);
  // Conversions are linear in the pixels: check them on images of icon size.
  if (image->GetWidth() > 256 || image->GetHeight() > 256) return 0;
  Require(image->Convert(KivPixelImage::kGrey) >= 0 && image->Convert(KivPixelImage::kRgba) >= 0 &&
          image->SetTransparency(KivPixelImage::kCornerColourKey) >= 0 && image->IsGrey());
  // Keep the drawing small: large images are only loaded and converted.
  if (image->GetWidth() <= 64 && image->GetHeight() <= 64) {
    auto viewer = KivMake<KivViewer>();
    auto rep = KivMake<Kiv2DImagePixelRep>(KivMathPoint2Df(0, 0), image);
    rep->SetAlphaMode(1);
    viewer->GetRootBag()->AddChild(rep);
    (void)KivPictureRenderer().RenderRaster(*viewer);
  }
  return 0;
}
