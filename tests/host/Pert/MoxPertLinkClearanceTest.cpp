// Links that keep clear of what a client draws around the boxes: the arrow
// of S1 -> S2 between boxes 16 units wide.
#include "KivDrawItem.h"
#include "MoxPertController.h"
#include "MoxPertTestSupport.h"

namespace {

class MoxPertLinkClearance : public MoxPertTest {
 protected:
  // The x of the line's two ends, or NaN when there is no line.
  std::pair<float, float> LineEnds(const KivViewer& viewer) const {
    for (const auto& item : viewer.CollectScene())
      if (item.kind == KivDrawItem::Kind::Polyline)
        return {item.outline.front().x, item.outline.back().x};
    return {NAN, NAN};
  }
};

TEST_F(MoxPertLinkClearance, ArrowsStopShortOfTheBoxesWhenThereIsRoom) {
  const struct {
    const char* what;
    double s2x;
    float clearance;
    float startX, endX;
  } cases[] = {
      {"borders by default", 62.5, 0.0f, 20.5f, 54.5f},
      {"clear of both boxes", 62.5, 5.0f, 25.5f, 49.5f},
      {"boxes too close keep the borders", 37.5, 5.0f, 20.5f, 29.5f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Place(s1_, 12.5, 12.5);
    Place(s2_, c.s2x, 12.5);
    auto viewer = KivMake<KivViewer>("chart");
    auto controller = KivVar<MoxPertController>::Adopt(
        new MoxPertController(nullptr, root_, viewer.get(), 0, 1, 1, NULL_var));
    // Set before and after the nodes are drawn: both give the same links.
    controller->SetLinkClearance(c.clearance);
    ASSERT_EQ(controller->AddPertNode(s1_), S_OK);
    ASSERT_EQ(controller->AddPertNode(s2_), S_OK);
    controller->BuildLinks(s1_, 0);
    EXPECT_EQ(LineEnds(*viewer), std::make_pair(c.startX, c.endX));
    controller->SetLinkClearance(0.0f);
    controller->SetLinkClearance(c.clearance);
    EXPECT_EQ(LineEnds(*viewer), std::make_pair(c.startX, c.endX));
  }
}

}  // namespace
