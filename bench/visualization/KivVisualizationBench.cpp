// The 2D display on PERT-sized scenes: picking under a point, the bounding
// box after a node moves, and pictures in SVG and PNG.
#include <benchmark/benchmark.h>

#include "Kiv2DCustomRep.h"
#include "Kiv2DLineRep.h"
#include "Kiv2DPolygonRep.h"
#include "KivPictureRenderer.h"
#include "KivViewer.h"

namespace {
// `count` nodes on a 25-unit grid, ten to a row: a box, a label and a link
// to the next node, as the PERT controller draws them.
KivViewer_var MakeScene(int count, std::vector<Kiv2DBagRep*>* nodes = nullptr) {
  auto viewer = KivMake<KivViewer>("bench");
  for (int i = 0; i < count; ++i) {
    const float x = 12.5f + 25.0f * (i % 10);
    const float y = 12.5f + 25.0f * (i / 10);
    auto node = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Translation(x, y));
    auto box =
        KivMake<Kiv2DPolygonRep>(std::vector<KivMathPoint2Df>{{-8, -4}, {8, -4}, {8, 4}, {-8, 4}});
    box->SetFill(true);
    box->SetFillColor(255);
    node->AddChild(box);
    auto label = KivMake<Kiv2DCustomRep>();
    label->AddPrimitive(std::make_unique<Kiv2DTextPrimitive>(
        KivMathPoint2Df(-7, -0.5f), KivUnicodeString("Station " + std::to_string(i)), 1.5f));
    node->AddChild(label);
    viewer->GetRootBag()->AddChild(node);
    if (nodes) nodes->push_back(node);
    if (i % 10 != 9)
      viewer->GetRootBag()->AddChild(
          KivMake<Kiv2DLineRep>(KivMathPoint2Df(x + 8, y), KivMathPoint2Df(x + 17, y)));
  }
  return viewer;
}

void BM_PickAll(benchmark::State& state) {
  KivViewer_var viewer = MakeScene(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(viewer->PickAll(12.5f, 12.5f));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PickAll)->Range(10, 1000)->Complexity();

void BM_BoundsAfterMove(benchmark::State& state) {
  std::vector<Kiv2DBagRep*> nodes;
  KivViewer_var viewer = MakeScene(static_cast<int>(state.range(0)), &nodes);
  float dx = 0;
  for (auto _ : state) {
    nodes.front()->SetMatrix(Kiv3x3Matrix::Translation(12.5 + (dx += 0.25f), 12.5));
    benchmark::DoNotOptimize(viewer->GetRootBag()->GetBoundingElement());
  }
}
BENCHMARK(BM_BoundsAfterMove)->Range(10, 1000);

void BM_Svg(benchmark::State& state) {
  KivViewer_var viewer = MakeScene(static_cast<int>(state.range(0)));
  const KivPictureRenderer renderer;
  for (auto _ : state) benchmark::DoNotOptimize(renderer.RenderSvg(*viewer));
}
BENCHMARK(BM_Svg)->Arg(10)->Arg(100);

void BM_Raster(benchmark::State& state) {
  KivViewer_var viewer = MakeScene(static_cast<int>(state.range(0)));
  const KivPictureRenderer renderer;
  for (auto _ : state) benchmark::DoNotOptimize(renderer.RenderRaster(*viewer));
}
BENCHMARK(BM_Raster)->Arg(10)->Arg(100);
}  // namespace

BENCHMARK_MAIN();
