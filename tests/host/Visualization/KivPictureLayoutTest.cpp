// The size, crop and decorations of a picture, and what its files accept.
#include <gtest/gtest.h>

#include <algorithm>

#include "KivPictureRenderer.h"
#include "KivSvgWriter.h"
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

struct FrameCase {
  const char* what;
  KivPictureOptions options;
  double scale;
  int width, height;
};

KivPictureOptions With(void (*set)(KivPictureOptions&)) {
  KivPictureOptions o;
  set(o);
  return o;
}

TEST(KivPictureLayout, ScaleFitAndCropSizeThePicture) {
  const FrameCase cases[] = {
      {"default: 8 pixels per unit", {}, 8.0, 864, 464},
      {"the cap shrinks the default", With([](KivPictureOptions& o) { o.maxPixels = 540; }), 5.0,
       540, 290},
      {"an exact scale ignores the cap", With([](KivPictureOptions& o) {
         o.pixelsPerUnit = 50;
         o.exactScale = true;
       }),
       50.0, 5400, 2900},
      {"a fit takes the tighter side", With([](KivPictureOptions& o) {
         o.fitWidth = 216;
         o.fitHeight = 500;
       }),
       2.0, 216, 116},
      {"a crop frames its box",
       With([](KivPictureOptions& o) { o.crop = Kiv2DBoundingBox::FromCorners(0, 0, 10, 10); }),
       8.0, 144, 144},
  };
  for (const FrameCase& c : cases) {
    SCOPED_TRACE(c.what);
    const KivPictureFrame frame = KivFramePicture(c.options, Box());
    EXPECT_DOUBLE_EQ(frame.scale, c.scale);
    EXPECT_EQ(frame.width, c.width);
    EXPECT_EQ(frame.height, c.height);
  }
  // A crop leaves out what it does not show.
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
  EXPECT_EQ(items[3].text.ConvertToUTF8(), options.title);
  EXPECT_EQ(items[4].attributes.fillColor, 153);
  EXPECT_EQ(notes[4].tooltip, "Station");
  EXPECT_EQ(items[7].text.ConvertToUTF8(), "Grouping");
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

TEST(KivPictureLayout, OnlyKnownExtensionsNameAFormat) {
  const struct {
    const char* path;
    bool known;
    const char* message;
  } cases[] = {
      {"a.svg", true, ""},
      {"dir/a.PNG", true, ""},
      {"a.pdf", false, "unknown picture format \"pdf\"; known formats: png svg"},
      {"a", false, "no picture format in 'a'; known formats: png svg"},
      {"v1.2/picture", false, "no picture format in 'v1.2/picture'; known formats: png svg"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_EQ(KivPictureRenderer::IsKnownFormat(c.path, &error), c.known) << c.path;
    EXPECT_EQ(error, c.message) << c.path;
  }
}

}  // namespace
