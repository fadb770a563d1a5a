// Session scripts as a person runs them, with their error reporting, and the
// picture options of `pexhost view` and the render step, and what they
// refuse; what `view` draws and lists is checked with the status buttons.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "../PexHostRunner.h"

namespace {

using PexHostScriptTest = PexHostFolderTest;  // scripts, and the pictures of `view`

// A failing step names its line and what is wrong, and no later step runs;
// a script that cannot be read runs no step at all.
TEST_F(PexHostScriptTest, AFailureNamesTheLineAndStopsTheScript) {
  const std::string opened = "open " + kExample + "\nview\n";
  const struct {
    std::string script;
    int status, line;
    const char* says;
  } cases[] = {
      {"open " + kExample + "\n\n# comment\nfrobnicate now\nview\n", 1, 4,
       "frobnicate: unknown verb"},
      {opened + "move \"Rear floor cell\" far 10\nview\n", 1, 3, "move: \"far\" is not a number"},
      {"open\nview\n", 1, 1, "open: expects FILE, got 0 arguments"},
      {"open " + kExample + "\nview \"Rear floor cell\" extra\nview\n", 1, 2,
       "view: expects [ACTIVITY], got 2 arguments"},
      {"open " + kExample + "\nview \"Rear floor cell\n", 2, 2, "a quoted word is not closed"},
      {opened + "expect position A1/Start 0 0\nview\n", 1, 3,
       "expect: \"A1/Start\" is at (12.5, 212.5), not (0, 0)"},
      {opened + "expect level Elsewhere\nview\n", 1, 3,
       "expect: the current level is \"Underbody line\", not \"Elsewhere\""},
      {opened + "expect colour blue\nview\n", 1, 3, "expect: unknown expectation \"colour\""},
      {"open " + kExample + "\nexpect nodes 1\nsave kept.xml\n", 1, 2,
       "expect: the current window shows no PERT level"},
  };
  for (const auto& c : cases) {
    const PexHostRunResult r = RunScript(c.script);
    EXPECT_EQ(r.status, c.status) << c.script << r.out;
    EXPECT_TRUE(Shows(r.out, ":" + std::to_string(c.line) + ": " + c.says)) << c.script;
    const int ran = c.status == 2 ? 1 : c.line + 1;
    EXPECT_FALSE(Shows(r.out, ":" + std::to_string(ran) + ":")) << "a step ran: " << c.script;
  }
}

TEST_F(PexHostScriptTest, EveryExampleScriptRunsThrough) {
  int scripts = 0;
  for (const auto& entry : std::filesystem::directory_iterator(KIV_SOURCE_DIR "/examples")) {
    if (entry.path().extension() != ".pexs") continue;
    ++scripts;
    const PexHostRunResult r = RunPexHost("run " + entry.path().string(), folder_.string());
    EXPECT_EQ(r.status, 0) << entry.path() << "\n" << r.out;
  }
  EXPECT_GE(scripts, 2);
  // What they write lands in the current folder, not beside the scripts (a
  // PNG drawn and a document saved are checked with the picture options and
  // the unsafe-input tests).
  EXPECT_TRUE(Shows(ReadFile(folder_ / "underbody_root.svg"), "</svg>"));
}

// Width and height from a PNG's header.
std::pair<std::uint32_t, std::uint32_t> PngSize(const std::string& png) {
  auto big = [&](std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(png.at(at + i));
    return v;
  };
  return {big(16), big(20)};
}


TEST_F(PexHostScriptTest, FitAndCropSizeThePicture) {
  const std::string png = (folder_ / "fit.png").string();
  const PexHostRunResult fit = RunPexHost("view " + kExample + " -o " + png + " --fit=400x300");
  ASSERT_EQ(fit.status, 0) << fit.out;
  const auto [width, height] = PngSize(ReadFile(png));
  EXPECT_LE(width, 400u);
  EXPECT_LE(height, 300u);
  EXPECT_TRUE(width == 400u || height == 300u) << width << " x " << height;

  const std::string svg = (folder_ / "crop.svg").string();
  const PexHostRunResult crop =
      RunPexHost("view " + kExample + " -o " + svg + " --crop 0,0,50,25 --scale 10");
  ASSERT_EQ(crop.status, 0) << crop.out;
  // 50 units and two 4-unit margins at 10 pixels per unit.
  EXPECT_TRUE(Shows(ReadFile(svg), "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"580\""));
  // Standard output gets the same picture, options and decorations included.
  const PexHostRunResult piped =
      RunPexHost("view " + kExample + " -o - --crop 0,0,50,25 --scale 10");
  ASSERT_EQ(piped.status, 0) << piped.out;
  EXPECT_EQ(piped.out, ReadFile(svg));
}

TEST_F(PexHostScriptTest, RefusesWhatItCannotDrawBeforeOpeningAnything) {
  const struct {
    const char* arguments;
    const char* message;
  } cases[] = {
      {"-o line.pdf", "unknown picture format \"pdf\"; known formats: png svg"},
      {"-o line", "no picture format in 'line'; known formats: png svg"},
      {"-o v1.2/line", "no picture format in 'v1.2/line'; known formats: png svg"},
      {"-o a.svg --scale 0", "--scale needs pixels per viewer unit"},
      {"-o a.svg --scale", "--scale needs a value"},
      {"-o a.svg --fit 400x", "--fit needs WIDTHxHEIGHT"},
      {"-o a.svg --crop 1,2,3", "--crop needs XMIN,YMIN,XMAX,YMAX"},
      {"-o a.svg --crop 5,0,1,9", "--crop needs XMIN,YMIN,XMAX,YMAX"},
      {"--fit 400x300", "--fit sizes a picture: add -o FILE.svg|FILE.png"},
  };
  for (const auto& c : cases) {
    const PexHostRunResult r = RunPexHost("view " + kExample + " " + c.arguments, folder_.string());
    EXPECT_EQ(r.status, 2) << c.arguments << "\n" << r.out;
    EXPECT_TRUE(Shows(r.out, c.message)) << c.arguments;
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder_));
}

TEST_F(PexHostScriptTest, TheRenderStepTakesThePictureOptions) {
  const PexHostRunResult r =
      RunUnderbodyScript("render small.png --fit 200x200\nrender big.svg --scale=2 --fit 10\n");
  EXPECT_NE(r.status, 0);
  EXPECT_TRUE(Shows(r.out, "--fit needs WIDTHxHEIGHT"));
  const auto [width, height] = PngSize(ReadFile(folder_ / "small.png"));
  EXPECT_LE(width, 200u);
  EXPECT_LE(height, 200u);
}

}  // namespace
