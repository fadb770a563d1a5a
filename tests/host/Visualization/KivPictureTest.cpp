// Pictures of a scene: the size, crop and decorations of a picture, the SVG
// and raster renderers and the files they write, and the pixel images and
// their reps, text and arc boxes and encoded icons.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <numbers>

#include "Kiv2DArcRep.h"
#include "Kiv2DBagRep.h"
#include "Kiv2DCustomRep.h"
#include "Kiv2DImagePixelRep.h"
#include "Kiv2DLineRep.h"
#include "Kiv2DMarkerRep.h"
#include "Kiv2DPolygonRep.h"
#include "KivColorPalette.h"
#include "KivPictureRenderer.h"
#include "KivPngDataCache.h"
#include "KivSvgWriter.h"
#include "KivTextMetric.h"
#include "KivViewer.h"
#include "KivVisTestSupport.h"

namespace {

// One filled box from (0, 0) to (100, 50): with the 4-unit margin the
// picture shows 108 x 58 units.
std::vector<KivDrawItem> Box() {
  KivDrawItem box;
  box.kind = KivDrawItem::Kind::Polygon;
  box.outline = {{0, 0}, {100, 0}, {100, 50}, {0, 50}};
  return {box};
}

// The scale and its cap are pinned by the renderer tests below (8 pixels a
// unit, 4096 at most, an exact scale that is refused rather than capped).
TEST(KivPictureLayout, ACropLeavesOutWhatItDoesNotShow) {
  std::vector<KivDrawItem> items = Box();
  KivDrawItem far = items[0];
  far.outline = {{500, 500}, {510, 500}, {510, 510}};
  items.push_back(far);
  KivPictureOptions options;
  options.crop = Kiv2DBoundingBox::FromCorners(-10, -10, 20, 20);
  std::vector<KivItemNote> notes;
  KivDecoratePicture(options, KivFramePicture(options, items), items, notes);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].outline[1].x, 100.0f);
}

TEST(KivPictureLayout, DecorationsGetBandsOfTheirOwnAndStayWithinAFit) {
  KivPictureOptions options;
  options.title = "line.xml \u2014 Underbody line";
  options.legend = {{"Station", 153, {}}, {"Grouping", 157, {}}};
  const KivPictureFrame plain = KivFramePicture({}, Box());
  const KivPictureFrame frame = KivFramePicture(options, Box());
  EXPECT_EQ(frame.width, plain.width);
  EXPECT_GT(frame.height, plain.height + 40);
  // The scene keeps its place under the title band: viewer (0, 50) is as far
  // below the band as it was below the top edge.
  EXPECT_NEAR(frame.PixelY(50) - 32.0, plain.PixelY(50), 1e-9);

  std::vector<KivDrawItem> items = Box();
  std::vector<KivItemNote> notes;
  KivDecoratePicture(options, frame, items, notes);
  ASSERT_EQ(items.size(), notes.size());
  // The box, two bands, the title, two swatches with their labels.
  ASSERT_EQ(items.size(), 1u + 2u + 1u + 2u * 2u);
  EXPECT_EQ(std::string(notes[1].role) + notes[3].role, "bandtitle");
  EXPECT_EQ(std::tuple(items[3].text.ConvertToUTF8(), items[4].attributes.fillColor,
                       notes[4].tooltip, items[7].text.ConvertToUTF8()),
            std::tuple(options.title, 153, std::string("Station"), std::string("Grouping")));
  // Every decoration lies inside the picture.
  for (std::size_t i = 1; i < items.size(); ++i)
    for (const auto& p : items[i].outline)
      EXPECT_TRUE(frame.PixelX(p.x) >= 0 && frame.PixelX(p.x) <= frame.width &&
                  frame.PixelY(p.y) >= 0 && frame.PixelY(p.y) <= frame.height)
          << "item " << i << " at " << p.x << ", " << p.y;

  options.fitWidth = 300;
  options.fitHeight = 200;
  const KivPictureFrame fitted = KivFramePicture(options, Box());
  EXPECT_TRUE(fitted.width <= 300 && fitted.height <= 200)
      << fitted.width << " x " << fitted.height;
}

TEST(KivPictureLayout, SvgTooltipsAndRolesKeepOneElementPerLine) {
  std::vector<KivDrawItem> items = Box();
  KivDrawItem text;
  text.kind = KivDrawItem::Kind::Text;
  text.text = KivUnicodeString("UB010");
  text.size = 1.5f;
  items.push_back(text);
  const std::vector<KivItemNote> notes = {{nullptr, "Floor & tunnel <LH>"}, {"title", "x"}};
  const double white[3] = {1, 1, 1};
  const std::string svg = KivSvgWriter(KivFramePicture({}, items)).Write(items, white, notes);
  for (const char* piece : {"<polygon class=\"polygon\" points=\"32,432 832,432 832,32 32,32\" ",
                            "><title>Floor &amp; tunnel &lt;LH&gt;</title></polygon>\n",
                            "<text class=\"title\" ", "><title>x</title>UB010</text>\n"})
    EXPECT_NE(svg.find(piece), std::string::npos) << piece << " in\n" << svg;
  // Declaration, <svg>, background, two items, </svg>.
  EXPECT_EQ(std::count(svg.begin(), svg.end(), '\n'), 6);
}

// How many times `part` occurs in `text`.
int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

KivVar<Kiv2DPolygonRep> FilledSquare(float side, int color) {
  auto square = KivMake<Kiv2DPolygonRep>(
      std::vector<KivMathPoint2Df>{{0, 0}, {side, 0}, {side, side / 2}, {0, side / 2}});
  square->SetFill(true);
  square->SetColor(color);
  return square;
}

KivVar<Kiv2DLineRep> NewLine(float x0, float y0, float x1, float y1) {
  return KivMake<Kiv2DLineRep>(KivMathPoint2Df(x0, y0), KivMathPoint2Df(x1, y1));
}

class PictureRendererTest : public KivVisTest {
 protected:
  KivViewer_var viewer = KivMake<KivViewer>("Picture");
  Kiv2DBagRep* root() { return viewer->GetRootBag(); }
};

// Scene bounds are x -0.5..30.5, y 0..14; with the 4-unit margin at 8 pixels
// per unit, viewer (x, y) lands on pixel ((x + 4.5) * 8, (18 - y) * 8).
TEST_F(PictureRendererTest, SvgOfASmallSceneHasOneElementPerVisibleRepAtItsPlace) {
  auto node = FilledSquare(16, 8);
  node->SetFillColor(10);
  root()->AddChild(node);
  auto label = KivMake<Kiv2DCustomRep>();
  label->AddPrimitive(std::make_unique<Kiv2DTextPrimitive>(
      KivMathPoint2Df(1, 3), KivUnicodeString("Station <10>"), 1.5f, 249));
  root()->AddChild(label);
  root()->AddChild(NewLine(16, 4, 30, 4));
  root()->AddChild(KivMake<Kiv2DArcRep>(KivMathPoint2Df(30, 4), 0.5f, 0.0f, 6.2831855f));
  root()->AddChild(KivMake<Kiv2DMarkerRep>(KivMathPoint2Df(0, 10), 4, 1.0f));
  auto icon = KivMake<KivPixelImage>(16, 16, KivPixelImage::kRgb);
  root()->AddChild(KivMake<Kiv2DImagePixelRep>(KivMathPoint2Df(20, 10), icon));

  const std::string svg = KivPictureRenderer().RenderSvg(*viewer);
  // y grows upwards: 3 units up is 120 pixels down from 18; the text is 12
  // characters x 0.6 x 1.5 units x 8 long, and escaped. The image uses its
  // icon, a symbol that holds the PNG.
  const std::string pieces[] = {
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"312\" height=\"176\"",
      "<polyline class=\"line\" points=\"164,112 276,112\" ",
      std::string("<polygon class=\"polygon\" points=\"36,144 164,144 164,80 36,80\" fill=\"") +
          KivColorPalette::Hex(10) + "\" stroke=\"" + KivColorPalette::Hex(8) + "\"",
      std::string("<text class=\"text\" x=\"44\" y=\"120\" font-family=\"DejaVu Sans Mono\" "
                  "font-size=\"12\" textLength=\"86.4\" lengthAdjust=\"spacingAndGlyphs\" "
                  "fill=\"") +
          KivColorPalette::Hex(249) + "\"",
      ">Station &lt;10&gt;</text>",
      "<circle class=\"arc\" cx=\"276\" cy=\"112\" r=\"4\" ",
      "<g class=\"marker\"",
      "<use class=\"image\" x=\"196\" y=\"32\" width=\"32\" height=\"32\" href=\"#",
  };
  for (const std::string& piece : pieces)
    EXPECT_NE(svg.find(piece), std::string::npos) << piece << " in\n" << svg;
  // One element per visible rep: background, six reps, the icons.
  EXPECT_EQ(Count(svg, "class=\""), 8) << svg;
  const auto href = svg.find("href=\"#");
  ASSERT_NE(href, std::string::npos);
  const std::string id = svg.substr(href + 7, svg.find('"', href + 7) - href - 7);
  EXPECT_EQ(id.rfind("icon-", 0), 0u) << "an XML name: not led by a digit of the hash";
  EXPECT_EQ(Count(svg, "<symbol id=\"" + id +
                           "\" viewBox=\"0 0 1 1\" preserveAspectRatio=\"none\">"
                           "<image width=\"1\" height=\"1\" preserveAspectRatio=\"none\" "
                           "style=\"image-rendering:pixelated\" "
                           "href=\"data:image/png;base64,iVBORw0KGgo"),
            1);
}

TEST_F(PictureRendererTest, RotatedAndTranslatedBagsPlaceTheirContent) {
  auto bag = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Rotation(std::numbers::pi / 2, 10, 0));
  bag->AddChild(NewLine(0, 0, 2, 0));
  auto text = KivMake<Kiv2DCustomRep>();
  text->AddPrimitive(
      std::make_unique<Kiv2DTextPrimitive>(KivMathPoint2Df(0, 0), KivUnicodeString("up"), 1.0f));
  bag->AddChild(text);
  root()->AddChild(bag);
  const std::string svg = KivPictureRenderer().RenderSvg(*viewer);
  // The segment now runs upwards from (10, 0) to (10, 2): same x pixel, smaller y pixel.
  const auto line = svg.find("<polyline class=\"line\" points=\"");
  ASSERT_NE(line, std::string::npos) << svg;
  float x0, y0, x1, y1;
  ASSERT_EQ(std::sscanf(svg.c_str() + line, "<polyline class=\"line\" points=\"%f,%f %f,%f", &x0,
                        &y0, &x1, &y1),
            4);
  EXPECT_FLOAT_EQ(x0, x1);
  EXPECT_FLOAT_EQ(y0 - y1, 16.0f);
  EXPECT_EQ(Count(svg, "<text class=\"text\""), 1);
  EXPECT_EQ(Count(svg, " transform=\"rotate(-90"), 1);
}

TEST_F(PictureRendererTest, AGreyIconIsDrawnGreyAColourIconInColourAndTheTopmostRepWins) {
  const std::vector<std::uint8_t> bmp = MakeColourIcon();
  auto grey = KivVar<KivPixelImage>::Adopt(KivPixelImage::CreateFromMemory(bmp.data(), bmp.size()));
  auto colour =
      KivVar<KivPixelImage>::Adopt(KivPixelImage::CreateFromMemory(bmp.data(), bmp.size()));
  ASSERT_TRUE(grey && colour);
  // The button's grey path: grey levels, back to RGBA, opaque, blended.
  grey->Convert(KivPixelImage::kGrey);
  grey->Convert(KivPixelImage::kRgba);
  grey->SetTransparency(KivPixelImage::kOpaque);
  auto greyRep = KivMake<Kiv2DImagePixelRep>(KivMathPoint2Df(0, 0), grey);
  greyRep->SetAlphaMode(1);
  root()->AddChild(greyRep);
  root()->AddChild(KivMake<Kiv2DImagePixelRep>(KivMathPoint2Df(10, 0), colour));
  // Two filled boxes in the middle, blue over red.
  auto boxes = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Translation(5, 1));
  boxes->AddChild(FilledSquare(4, 2));
  boxes->AddChild(FilledSquare(4, 4));
  root()->AddChild(boxes);

  // Bounds 0..14 x 0..4, margin 4: image pixel (6, 6) of the first icon is
  // the picture's pixels 44..45, the second icon's 124..125.
  const KivRasterPicture picture = KivPictureRenderer().RenderRaster(*viewer);
  ASSERT_EQ(std::pair(picture.width, picture.height), std::pair(176, 96));
  const KivRgba inGrey = picture.PixelAt(45, 45);
  EXPECT_TRUE(inGrey.r == inGrey.g && inGrey.g == inGrey.b);
  const KivRgba topRow = picture.PixelAt(40, 32);
  EXPECT_EQ(topRow.r, topRow.b) << "the blue top row is grey too";
  EXPECT_EQ(picture.PixelAt(125, 45), (KivRgba{220, 20, 20, 255}));
  EXPECT_EQ(picture.PixelAt(2, 2), (KivRgba{255, 255, 255, 255})) << "white background";
  EXPECT_EQ(picture.PixelAt(88, 48), (KivRgba{30, 70, 200, 255})) << "blue, drawn last, on top";
}

TEST_F(PictureRendererTest, WritesSvgOrPngByExtensionAndLeavesFilesAloneOnFailure) {
  root()->AddChild(NewLine(0, 0, 1000, 10));
  const KivPictureRenderer renderer;
  const std::string png = ::testing::TempDir() + "vis_scene.PNG";
  const std::string svg = ::testing::TempDir() + "vis_scene.svg";
  ASSERT_EQ(renderer.RenderToFile(*viewer, png), S_OK);
  ASSERT_EQ(renderer.RenderToFile(*viewer, svg), S_OK);
  EXPECT_EQ(ReadFile(png).substr(1, 3), "PNG");
  EXPECT_EQ(ReadFile(svg).find("<svg"), ReadFile(svg).find("<svg xmlns"));

  std::string error;
  // Too many pixels for a raster: refused, with the old file kept; as SVG
  // the same scale is fine, since nothing is rasterised.
  KivPictureOptions huge;
  huge.pixelsPerUnit = 100;
  huge.exactScale = true;
  EXPECT_EQ(KivPictureRenderer(huge).RenderToFile(*viewer, png, &error), E_FAIL);
  EXPECT_NE(error.find("too large"), std::string::npos) << error;
  EXPECT_EQ(ReadFile(png).substr(1, 3), "PNG");
  EXPECT_EQ(KivPictureRenderer(huge).RenderRaster(*viewer).width, 0);
  EXPECT_EQ(KivPictureRenderer(huge).RenderToFile(*viewer, svg, &error), S_OK) << error;
  std::remove(svg.c_str());
  std::remove(png.c_str());
}

// The viewer frames the scene by walking it without flattening it: the
// bounds must be those of the flat items, through rotated bags, hidden reps
// and decoration that does not count (which is still drawn).
TEST_F(PictureRendererTest, DecorationThatDoesNotCountIsDrawnButNotFramed) {
  auto grid = KivMake<Kiv2DBagRep>();
  grid->AddChild(NewLine(-500, -3, 500, 3));
  grid->SetCountsForFraming(false);
  root()->AddChild(grid);
  EXPECT_EQ(viewer->GetSceneBounds(), Kiv2DBoundingBox::FromCorners(-500, -3, 500, 3))
      << "nothing else: the decoration is the scene";
  const KivPictureRenderer renderer;
  EXPECT_EQ(renderer.FrameFor(viewer->CollectScene()).width, 4096);
  root()->AddChild(NewLine(0, -2, 10, 2));
  const KivPictureFrame frame = renderer.FrameFor(viewer->CollectScene());
  EXPECT_EQ(frame.width, 144);
  EXPECT_EQ(frame.height, 96);
  EXPECT_EQ(viewer->GetSceneBounds(), Kiv2DBoundingBox::FromCorners(0, -2, 10, 2));
  EXPECT_LT(renderer.RenderRaster(*viewer).PixelAt(2, 48).r, 200) << "drawn across the picture";

  auto turned = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Rotation(0.5, 20, 10));
  turned->AddChild(FilledSquare(8, 1));
  auto hidden = NewLine(0, 0, 900, 900);
  hidden->SetShowMode(KivRep::kHidden);
  turned->AddChild(hidden);
  root()->AddChild(turned);
  EXPECT_EQ(viewer->GetSceneBounds(), KivViewer::FramingBounds(viewer->CollectScene()));
  EXPECT_LT(viewer->GetSceneBounds().xmax, 100.0f);
}

KivVar<KivPixelImage> FromBytes(const std::vector<std::uint8_t>& bytes) {
  return KivVar<KivPixelImage>::Adopt(KivPixelImage::CreateFromMemory(bytes.data(), bytes.size()));
}

class PixelImageTest : public KivVisTest {};

TEST_F(PixelImageTest, LoadsBottomUpAndTopDownBmpsWithTheirPixelsTopRowFirst) {
  const std::string path = WriteTempFile("vis_icon.bmp", MakeColourIcon());
  auto image = KivVar<KivPixelImage>::Adopt(KivPixelImage::CreateFromFile(path, 0));
  ASSERT_TRUE(image) << KivPixelImage::LastLoadError();
  EXPECT_EQ(std::tuple(image->GetWidth(), image->GetHeight(), image->GetFormat()),
            std::tuple(16, 16, KivPixelImage::kRgb));
  EXPECT_EQ(image->GetPixel(0, 0), (KivRgba{0, 0, 255, 255})) << "BMP rows are stored bottom-up";
  EXPECT_EQ(image->GetPixel(5, 5), (KivRgba{220, 20, 20, 255}));
  EXPECT_EQ(image->GetPixel(15, 15), (KivRgba{255, 255, 255, 255}));

  // A negative height stores the rows from the top.
  std::vector<std::uint8_t> bytes = MakeBmp(2, 2, [](int x, int y) -> KivRgba {
    return {static_cast<std::uint8_t>(x * 100), static_cast<std::uint8_t>(y * 100), 0, 255};
  });
  bytes[22] = 0xfe;
  bytes[23] = bytes[24] = bytes[25] = 0xff;
  image = FromBytes(bytes);
  ASSERT_TRUE(image) << KivPixelImage::LastLoadError();
  EXPECT_EQ(image->GetPixel(0, 0), (KivRgba{0, 100, 0, 255})) << "first stored row is the top";
  bytes.resize(bytes.size() - 1);
  EXPECT_FALSE(FromBytes(bytes));
  EXPECT_EQ(KivPixelImage::LastLoadError(), "truncated pixel data");
}

TEST_F(PixelImageTest, MissingOrBrokenFilesGiveNoImageAndAReason) {
  EXPECT_EQ(KivPixelImage::CreateFromFile(::testing::TempDir() + "no_such_icon.bmp"), nullptr);
  EXPECT_NE(KivPixelImage::LastLoadError().find("no_such_icon.bmp"), std::string::npos);

  std::vector<std::uint8_t> truncated = MakeColourIcon();
  truncated.resize(60);
  const std::string path = WriteTempFile("vis_truncated.bmp", truncated);
  EXPECT_EQ(KivPixelImage::CreateFromFile(path), nullptr);
  EXPECT_NE(KivPixelImage::LastLoadError().find("vis_truncated.bmp"), std::string::npos);

  const std::string text = WriteTempFile("vis_text.bmp", {'h', 'e', 'l', 'l', 'o'});
  EXPECT_EQ(KivPixelImage::CreateFromFile(text), nullptr);
  EXPECT_EQ(KivPixelImage::CreateFromMemory(nullptr, 0), nullptr);
}

TEST_F(PixelImageTest, GreyConversionKeepsLuminanceAndTransparencyModesKeyPixels) {
  auto image = FromBytes(MakeColourIcon());
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->IsGrey());
  ASSERT_EQ(image->Convert(KivPixelImage::kGrey), S_OK);
  EXPECT_EQ(image->GetPixels().size(), 256u);
  ASSERT_EQ(image->Convert(KivPixelImage::kRgba), S_OK);
  EXPECT_TRUE(image->IsGrey());
  // 0.299 * 220 + 0.587 * 20 + 0.114 * 20 = 79.8
  EXPECT_EQ(image->GetPixel(5, 5), (KivRgba{80, 80, 80, 255}));
  EXPECT_EQ(image->Convert(7), E_INVALIDARG);
  EXPECT_EQ(image->GetFormat(), KivPixelImage::kRgba);

  auto keyed = KivMake<KivPixelImage>(2, 1, KivPixelImage::kRgb,
                                      std::vector<std::uint8_t>{255, 255, 255, 10, 20, 30});
  ASSERT_EQ(keyed->SetTransparency(KivPixelImage::kCornerColourKey), S_OK);
  EXPECT_EQ(keyed->GetFormat(), KivPixelImage::kRgba) << "transparency needs an alpha channel";
  EXPECT_EQ(keyed->GetPixel(0, 0).a, 0);
  EXPECT_EQ(keyed->GetPixel(1, 0).a, 255);
  ASSERT_EQ(keyed->SetTransparency(KivPixelImage::kOpaque), S_OK);
  EXPECT_EQ(keyed->GetPixel(0, 0).a, 255);
  EXPECT_EQ(keyed->SetTransparency(9), E_INVALIDARG);
}

TEST_F(PixelImageTest, ImageRepIsAQuarterUnitPerPixelAndMovesWithModify) {
  auto image = KivMake<KivPixelImage>(16, 8, KivPixelImage::kRgba);
  auto rep = KivMake<Kiv2DImagePixelRep>(KivMathPoint2Df(-2, -2), image.get());
  EXPECT_EQ(rep->GetBoundingElement(), Kiv2DBoundingBox::FromCorners(-2, -2, 2, 0));
  EXPECT_EQ(image->RefCount(), 2u) << "the rep holds its image";

  auto bag = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Translation(10, 0));
  bag->AddChild(rep);
  rep->Modify({-4, -2});
  EXPECT_EQ(rep->GetBoundingElement(), Kiv2DBoundingBox::FromCorners(-4, -2, 0, 0));
  EXPECT_EQ(bag->GetBoundingElement(), Kiv2DBoundingBox::FromCorners(6, -2, 10, 0));
  EXPECT_EQ((std::tuple{rep->SetAlphaMode(1), rep->SetAlphaMode(5), rep->GetAlphaMode()}),
            (std::tuple{S_OK, E_INVALIDARG, 1}));
}

TEST_F(PixelImageTest, TextBoxesFollowTheHostMetricAndArcBoxesHoldOnlyTheSweptPart) {
  // "Body side" is 9 characters: 9 x 0.6 x 1.5 = 8.1 units.
  Kiv2DTextPrimitive text({2, 1}, KivUnicodeString("Body side"), 1.5f);
  EXPECT_FLOAT_EQ(text.GetWidth(), 8.1f);
  EXPECT_EQ(text.GetBoundingBox(), Kiv2DBoundingBox::FromCorners(2.0f, 0.7f, 10.1f, 2.2f));
  // Characters, not bytes: "Tür" is three characters.
  EXPECT_FLOAT_EQ(KivTextMetric::Width(KivUnicodeString("T\xC3\xBCr"), 1.0f), 1.8f);

  const KivMathPoint2Df c(1, 1);
  auto full = KivMake<Kiv2DArcRep>(c, 0.5f, 0.0f, 6.2831855f);
  EXPECT_TRUE(full->IsFullCircle());
  EXPECT_EQ(full->GetBoundingElement(), Kiv2DBoundingBox::FromCorners(0.5f, 0.5f, 1.5f, 1.5f));
  // A quarter from 45 to 135 degrees crosses the top only.
  auto top = KivMake<Kiv2DArcRep>(c, 2.0f, std::numbers::pi / 4, 3 * std::numbers::pi / 4);
  const Kiv2DBoundingBox arc = top->GetBoundingElement();
  const float r = std::sqrt(2.0f);
  EXPECT_NEAR(arc.ymax, 3.0f, 1e-5);
  EXPECT_NEAR(arc.ymin, 1.0f + r, 1e-5);
  EXPECT_NEAR(arc.xmin, 1.0f - r, 1e-5);
  EXPECT_NEAR(arc.xmax, 1.0f + r, 1e-5);
}

KivVar<KivPixelImage> Image(int width, std::uint8_t value) {
  return KivVar<KivPixelImage>::Adopt(new KivPixelImage(
      width, 2, KivPixelImage::kRgb, std::vector<std::uint8_t>(width * 2 * 3, value)));
}

// The base64 of the image's PNG encoding; empty when it cannot be encoded.
std::string Base64Png(KivPngDataCache& cache, const KivVar<KivPixelImage>& image, int alphaMode) {
  const auto icon = cache.Encode(*image, alphaMode);
  return icon ? icon->base64 : std::string();
}

// Images equal in pixels share an encoding; a pixel, the shape or the
// transparency mode tells them apart. Beyond its bound the cache starts over
// and still encodes.
TEST(KivPngDataCacheTest, KeepsOneEncodingPerPixelContentWithinItsBound) {
  KivPngDataCache cache;
  const std::string first = Base64Png(cache, Image(3, 10), KivPixelImage::kOpaque);
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(Base64Png(cache, Image(3, 10), KivPixelImage::kOpaque), first);
  EXPECT_EQ(cache.Size(), 1u);
  EXPECT_NE(Base64Png(cache, Image(3, 11), KivPixelImage::kOpaque), first);
  EXPECT_NE(Base64Png(cache, Image(2, 10), KivPixelImage::kOpaque), first);
  Base64Png(cache, Image(3, 10), KivPixelImage::kWhiteKey);
  EXPECT_EQ(cache.Size(), 4u);

  KivPngDataCache bounded(400);
  for (std::uint8_t v = 0; v < 20; ++v)
    EXPECT_FALSE(Base64Png(bounded, Image(4, v), KivPixelImage::kOpaque).empty());
  EXPECT_LT(bounded.Size(), 20u);
  EXPECT_TRUE(Base64Png(bounded, Image(0, 1), KivPixelImage::kOpaque).empty());
}

}  // namespace
