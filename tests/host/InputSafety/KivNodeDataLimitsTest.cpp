// The document stores only node positions and sizes that its files can
// hold, so that a saved document always loads again.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "KivProcessDocument.h"

TEST(KivNodeDataLimitsTest, PositionsAndSizesTheFilesCannotHoldAreRefused) {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  KivISPPActivity_var root = document->CreateRootActivity("Line", "root");
  KivPertNodeData kept;
  kept.x = 1.0e9;  // the limit itself is stored
  kept.y = -1.0e9;
  ASSERT_EQ(document->SetPertNodeData(root.get(), kept), S_OK);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    double x, y, width, height;
  } refused[] = {
      {2.0e9, 0, 16, 8}, {0, -1.0e9 - 1, 16, 8}, {nan, 0, 16, 8},
      {0, 0, 1.0e10, 8}, {0, 0, 16, -1},         {0, 0, 16, INFINITY},
  };
  for (const auto& r : refused) {
    KivPertNodeData data;
    data.x = r.x;
    data.y = r.y;
    data.width = r.width;
    data.height = r.height;
    EXPECT_EQ(document->SetPertNodeData(root.get(), data), E_INVALIDARG) << r.x << " " << r.y;
    EXPECT_EQ(document->GetPertNodeData(root.get()), kept);
  }
}
