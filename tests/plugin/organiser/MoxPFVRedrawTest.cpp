// A layout draws each node of the level once and each link once, however
// many writes and notifications a placement makes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KivDelayedDestruction.h"
#include "KivProcessDocument.h"
#include "KivViewer.h"
#include "MoxIPertNode.h"
#include "MoxPFVNodeOrganiser.h"
#include "MoxPertController.h"

namespace {

TEST(MoxPFVRedraw, ALayoutDrawsEveryNodeAndEveryLinkOnce) {
  const long live = KivBaseUnknown::LiveInstances();
  {
    auto doc = KivProcessDocument::Create();
    KivBaseUnknown_var root = doc->CreateRootActivity("Line");
    std::vector<KivBaseUnknown_var> nodes;
    for (int i = 0; i < 40; ++i) {
      nodes.emplace_back(doc->CreateActivity(root.get(), "BIWActivityStation",
                                             KivUnicodeString("S" + std::to_string(i))));
      if (i >= 1) doc->AddPrecedence(nodes[i - 1].get(), nodes[i].get());
      if (i >= 3) doc->AddPrecedence(nodes[i - 3].get(), nodes[i].get());
    }
    auto viewer = KivMake<KivViewer>("chart");
    auto controller = KivVar<MoxPertController>::Adopt(
        new MoxPertController(nullptr, root, viewer.get(), 1, 1, 1, NULL_var));
    for (const auto& n : nodes) controller->AddPertNode(n);
    for (const auto& n : nodes) controller->BuildLinks(n, 0);
    ASSERT_EQ(controller->LinkCount(), 39 + 37);
    const long linksBefore = controller->GetLinkDrawCount();

    auto organiser = KivMake<MoxPFVNodeOrganiser>();
    ASSERT_TRUE(organiser->ArrangeNodes(root, controller.get()));
    for (const auto& n : nodes) {
      EXPECT_EQ(controller->GetNodeDrawCount(n), 2) << "drawn when added, then once by the layout";
      double x = 0.0, y = 0.0;
      MoxIPertNode_var(n.get())->GetPosition(x, y, 0);
      const Kiv2DBoundingBox box = controller->GetNodeRep(n)->GetBoundingElement();
      EXPECT_FLOAT_EQ((box.xmin + box.xmax) / 2.0f, static_cast<float>(x)) << "at its place";
    }
    EXPECT_EQ(controller->GetLinkDrawCount() - linksBefore, controller->LinkCount());
    controller = NULL_var;
    organiser = NULL_var;
  }
  KivDelayedDestruction::Flush();
  EXPECT_EQ(KivBaseUnknown::LiveInstances(), live) << "a component was not released";
}

}  // namespace
