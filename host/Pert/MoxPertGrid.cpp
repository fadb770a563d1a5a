#include "MoxPertGrid.h"

#include <cmath>
#include <memory>
#include <vector>

#include "Kiv2DCustomRep.h"
#include "MoxPertClientVisuServices.h"

namespace {
constexpr double kStep = MoxPertClientVisuServices::kGridStep;

// The grid lines around `box` with one cell to spare.
Kiv2DBoundingBox CellsAround(const Kiv2DBoundingBox& box) {
  if (box.IsEmpty()) return {};
  const double x0 = (std::floor(box.xmin / kStep) - 1.0) * kStep;
  const double x1 = (std::ceil(box.xmax / kStep) + 1.0) * kStep;
  const double y0 = (std::floor(box.ymin / kStep) - 1.0) * kStep;
  const double y1 = (std::ceil(box.ymax / kStep) + 1.0) * kStep;
  return Kiv2DBoundingBox::FromCorners(static_cast<float>(x0), static_cast<float>(y0),
                                       static_cast<float>(x1), static_cast<float>(y1));
}
}  // namespace

MoxPertGrid::~MoxPertGrid() = default;

void MoxPertGrid::Fit(const Kiv2DBoundingBox& box) {
  const Kiv2DBoundingBox cells = CellsAround(box);
  if (cells == covered_) return;
  Build(cells);
}

void MoxPertGrid::Extend(const Kiv2DBoundingBox& box) {
  if (box.IsEmpty()) return;
  Kiv2DBoundingBox wanted = CellsAround(box);
  // Only grow: a box inside the covered area changes nothing.
  if (!covered_.IsEmpty()) {
    if (covered_.Contains({box.xmin, box.ymin}) && covered_.Contains({box.xmax, box.ymax})) return;
    wanted.Extend(covered_);
  }
  Build(wanted);
}

void MoxPertGrid::Build(const Kiv2DBoundingBox& cells) {
  RemoveAllChildren();
  covered_ = cells;
  lines_ = 0;
  if (cells.IsEmpty()) return;
  SetColor(kLineColor);
  SetThickness(1);
  const long columns = std::lround((cells.xmax - cells.xmin) / kStep);
  const long rows = std::lround((cells.ymax - cells.ymin) / kStep);
  std::vector<KivMathPoint2Df> vertical;
  vertical.reserve(static_cast<std::size_t>(2 * (columns + 1)));
  for (long i = 0; i <= columns; ++i) {
    const float x = static_cast<float>(cells.xmin + i * kStep);
    const bool up = i % 2 == 0;
    vertical.emplace_back(x, up ? cells.ymin : cells.ymax);
    vertical.emplace_back(x, up ? cells.ymax : cells.ymin);
  }
  std::vector<KivMathPoint2Df> horizontal;
  horizontal.reserve(static_cast<std::size_t>(2 * (rows + 1)));
  for (long j = 0; j <= rows; ++j) {
    const float y = static_cast<float>(cells.ymin + j * kStep);
    const bool right = j % 2 == 0;
    horizontal.emplace_back(right ? cells.xmin : cells.xmax, y);
    horizontal.emplace_back(right ? cells.xmax : cells.xmin, y);
  }
  auto lines = KivMake<Kiv2DCustomRep>();
  lines->AddPrimitive(std::make_unique<Kiv2DPolylinePrimitive>(std::move(vertical)));
  lines->AddPrimitive(std::make_unique<Kiv2DPolylinePrimitive>(std::move(horizontal)));
  AddChild(lines);
  lines_ = static_cast<int>(columns + 1 + rows + 1);
}
