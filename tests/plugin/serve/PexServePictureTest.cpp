// The edits from one picture to the next, applied to the older one, give the
// newer one; pictures drawn in another frame are sent whole.
#include "PexServePicture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {
const char* const kHead = "<?xml version=\"1.0\"?>\n<svg width=\"10\" height=\"10\">\n";

std::string Svg(const std::vector<std::string>& elements, const char* head = kHead) {
  std::string text = head;
  for (const std::string& e : elements) text += e + "\n";
  return text + "</svg>\n";
}

std::vector<std::string> Apply(std::vector<std::string> lines, const PexServePicturePatch& patch) {
  std::vector<std::string> inserted;
  std::istringstream in(patch.lines);
  for (std::string line; std::getline(in, line);) inserted.push_back(line);
  std::size_t next = inserted.size();
  for (auto e = patch.edits.rbegin(); e != patch.edits.rend(); ++e) {
    lines.erase(lines.begin() + e->at, lines.begin() + e->at + e->removed);
    lines.insert(lines.begin() + e->at, inserted.begin() + (next - e->inserted), inserted.begin() + next);
    next -= e->inserted;
  }
  return lines;
}
}  // namespace

TEST(PexServePictureTest, TheEditsTurnTheOlderPictureIntoTheNewer) {
  struct Case {
    std::vector<std::string> before, after;
    std::size_t edits;
  };
  for (const Case& c : std::vector<Case>{
           {{"<a/>", "<b/>", "<c/>"}, {"<a/>", "<b/>", "<c/>"}, 0},
           {{"<a/>", "<b/>", "<c/>"}, {"<a/>", "<B/>", "<c/>"}, 1},
           {{"<a/>", "<b/>"}, {"<z/>", "<a/>", "<b/>"}, 1},
           {{"<a/>", "<b/>", "<c/>"}, {"<a/>", "<b/>"}, 1},
           {{"<a/>", "<b/>", "<c/>", "<d/>", "<e/>"}, {"<x/>", "<b/>", "<d/>", "<e/>", "<y/>", "<z/>"}, 3},
           {{"<a/>", "<a/>", "<b/>", "<a/>"}, {"<b/>", "<a/>", "<a/>", "<a/>"}, 2},
           {{}, {"<a/>", "<b/>"}, 1},
           {{"<a/>", "<b/>"}, {}, 1}}) {
    const std::optional<PexServePicturePatch> patch =
        PexServePicture(Svg(c.after)).PatchFrom(PexServePicture(Svg(c.before)), 100);
    ASSERT_TRUE(patch);
    EXPECT_EQ(Apply(c.before, *patch), c.after);
    EXPECT_EQ(patch->edits.size(), c.edits);
  }
}

TEST(PexServePictureTest, AnotherFrameOrTooManyChangesSendTheWholePicture) {
  const PexServePicture before(Svg({"<a/>", "<b/>", "<c/>"}));
  EXPECT_FALSE(PexServePicture(Svg({"<a/>"}, "<svg width=\"20\" height=\"10\">\n")).PatchFrom(before, 100));
  EXPECT_FALSE(PexServePicture(Svg({"<x/>", "<y/>", "<z/>"})).PatchFrom(before, 5));
  EXPECT_FALSE(PexServePicture(Svg({"<a/>", "text", "<c/>"})).PatchFrom(before, 100));
  // The last element may end where the closing tag begins.
  EXPECT_EQ(PexServePicture(std::string(kHead) + "<a/>\n<b/></svg>").ElementCount(), 2u);
}
