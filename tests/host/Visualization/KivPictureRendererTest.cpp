#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "Kiv2DArcRep.h"
#include "Kiv2DCustomRep.h"
#include "Kiv2DImagePixelRep.h"
#include "Kiv2DLineRep.h"
#include "Kiv2DMarkerRep.h"
#include "Kiv2DPolygonRep.h"
#include "KivColorPalette.h"
#include "KivPictureRenderer.h"
#include "KivViewer.h"
#include "KivVisTestSupport.h"

namespace {
// The elements of an SVG text: tag name and attributes, in document order.
struct SvgElement {
  std::string tag;
  std::map<std::string, std::string> attributes;
  // The named attributes joined by spaces, "-" for a missing one.
  std::string Get(std::initializer_list<const char*> names) const {
    std::string out;
    for (const char* name : names) {
      const auto it = attributes.find(name);
      out += (out.empty() ? "" : " ") + (it == attributes.end() ? "-" : it->second);
    }
    return out;
  }
};

// Reads every start tag (`<name attr="value" ...>`); text, closing tags and
// the XML declaration are skipped.
std::vector<SvgElement> ParseSvg(const std::string& svg) {
  static const std::regex tag(R"re(<([a-zA-Z]+)([^>]*)>)re");
  static const std::regex attribute(R"re(([\w:-]+)="([^"]*)")re");
  std::vector<SvgElement> elements;
  for (std::sregex_iterator t(svg.begin(), svg.end(), tag), end; t != end; ++t) {
    SvgElement& e = elements.emplace_back(SvgElement{(*t)[1], {}});
    const std::string attributes = (*t)[2];
    for (std::sregex_iterator a(attributes.begin(), attributes.end(), attribute); a != end; ++a)
      e.attributes[(*a)[1]] = (*a)[2];
  }
  return elements;
}

// The tag and the named attributes of the one element of class `cls`.
std::string One(const std::vector<SvgElement>& all, const std::string& cls,
                std::initializer_list<const char*> names) {
  std::vector<const SvgElement*> found;
  for (const auto& e : all)
    if (e.Get({"class"}) == cls) found.push_back(&e);
  if (found.size() != 1) return std::to_string(found.size()) + " of class " + cls;
  return found[0]->tag + " " + found[0]->Get(names);
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
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
}  // namespace

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
  // Neither a hidden rep nor what a hidden bag holds is drawn.
  auto hidden = NewLine(-50, -50, 80, 80);
  hidden->SetShowMode(KivRep::kHidden);
  root()->AddChild(hidden);
  auto hiddenBag = KivMake<Kiv2DBagRep>();
  hiddenBag->AddChild(NewLine(-60, -60, 90, 90));
  hiddenBag->SetShowMode(KivRep::kHidden);
  root()->AddChild(hiddenBag);

  const std::string text = KivPictureRenderer().RenderSvg(*viewer);
  const std::vector<SvgElement> svg = ParseSvg(text);
  ASSERT_FALSE(svg.empty());
  EXPECT_EQ(svg[0].tag + " " + svg[0].Get({"width", "height"}), "svg 312 176");
  EXPECT_EQ(One(svg, "background", {"class"}), "rect background");
  EXPECT_EQ(One(svg, "line", {"points"}), "polyline 164,112 276,112");
  EXPECT_EQ(One(svg, "polygon", {"points", "fill", "stroke"}),
            std::string("polygon 36,144 164,144 164,80 36,80 ") + KivColorPalette::Hex(10) + " " +
                KivColorPalette::Hex(8));

  // y grows upwards: 3 units up is 120 pixels down from 18; the text is 12
  // characters x 0.6 x 1.5 units x 8 long.
  EXPECT_EQ(One(svg, "text", {"x", "y", "font-size", "textLength", "font-family", "fill"}),
            std::string("text 44 120 12 86.4 DejaVu Sans Mono ") + KivColorPalette::Hex(249));
  EXPECT_NE(text.find("Station &lt;10&gt;"), std::string::npos) << "text is escaped";

  EXPECT_EQ(One(svg, "arc", {"cx", "cy", "r"}), "circle 276 112 4");
  EXPECT_EQ(One(svg, "marker", {"class"}), "g marker");
  // The image uses its icon, a symbol that holds the PNG.
  const std::string image = One(svg, "image", {"x", "y", "width", "href"});
  ASSERT_EQ(image.rfind("use 196 32 32 #", 0), 0u) << image;
  const std::string id = image.substr(image.find('#') + 1);
  const auto symbol = std::find_if(svg.begin(), svg.end(), [&](const SvgElement& e) {
    return e.tag == "symbol" && e.Get({"id"}) == id;
  });
  ASSERT_TRUE(symbol != svg.end() && symbol + 1 != svg.end()) << id;
  EXPECT_EQ((symbol + 1)->Get({"href"}).rfind("data:image/png;base64,iVBORw0KGgo", 0), 0u);
}

TEST_F(PictureRendererTest, RotatedAndTranslatedBagsPlaceTheirContent) {
  auto bag = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Rotation(std::numbers::pi / 2, 10, 0));
  bag->AddChild(NewLine(0, 0, 2, 0));
  auto text = KivMake<Kiv2DCustomRep>();
  text->AddPrimitive(
      std::make_unique<Kiv2DTextPrimitive>(KivMathPoint2Df(0, 0), KivUnicodeString("up"), 1.0f));
  bag->AddChild(text);
  root()->AddChild(bag);
  const auto svg = ParseSvg(KivPictureRenderer().RenderSvg(*viewer));
  // The segment now runs upwards from (10, 0) to (10, 2): same x pixel, smaller y pixel.
  const std::string line = One(svg, "line", {"points"});
  float x0, y0, x1, y1;
  ASSERT_EQ(std::sscanf(line.c_str(), "%*s %f,%f %f,%f", &x0, &y0, &x1, &y1), 4) << line;
  EXPECT_FLOAT_EQ(x0, x1);
  EXPECT_FLOAT_EQ(y0 - y1, 16.0f);
  EXPECT_NE(One(svg, "text", {"transform"}).find("rotate(-90"), std::string::npos);
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
  ASSERT_EQ(picture.width, 176);
  ASSERT_EQ(picture.height, 96);
  const KivRgba inGrey = picture.PixelAt(45, 45);
  EXPECT_EQ(inGrey.r, inGrey.g);
  EXPECT_EQ(inGrey.g, inGrey.b);
  EXPECT_NEAR(inGrey.r, 80, 1);
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
  EXPECT_EQ(Slurp(png).substr(1, 3), "PNG");
  EXPECT_EQ(Slurp(svg).find("<svg"), Slurp(svg).find("<svg xmlns"));

  std::string error;
  const std::string nowhere = ::testing::TempDir() + "no/such/dir/picture.svg";
  EXPECT_EQ(renderer.RenderToFile(*viewer, nowhere, &error), E_FAIL);
  EXPECT_NE(error.find("picture.svg"), std::string::npos);
  EXPECT_FALSE(std::ifstream(nowhere).good());

  const std::string pdf = ::testing::TempDir() + "vis_scene.pdf";
  EXPECT_EQ(renderer.RenderToFile(*viewer, pdf, &error), E_FAIL);
  EXPECT_NE(error.find("known formats: png svg"), std::string::npos) << error;
  EXPECT_FALSE(std::ifstream(pdf).good());

  // Too many pixels for a raster: refused, with the old file kept; as SVG
  // the same scale is fine, since nothing is rasterised.
  KivPictureOptions huge;
  huge.pixelsPerUnit = 100;
  huge.exactScale = true;
  EXPECT_EQ(KivPictureRenderer(huge).RenderToFile(*viewer, png, &error), E_FAIL);
  EXPECT_NE(error.find("too large"), std::string::npos) << error;
  EXPECT_EQ(Slurp(png).substr(1, 3), "PNG");
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
