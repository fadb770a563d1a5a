#include "MoxPertGrid.h"

#include <algorithm>
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

// The smallest power-of-two multiple of the cell that keeps an extent under
// the line limit.
double SpacingFor(double extent) {
  double spacing = kStep;
  while (extent / spacing >= static_cast<double>(MoxPertGrid::kMaxLines)) spacing *= 2.0;
  return spacing;
}

// The lines at multiples of `spacing` from `from` to `to`, both included.
std::vector<double> LinesBetween(double from, double to, double spacing) {
  std::vector<double> at;
  for (double c = std::ceil(from / spacing) * spacing; c <= to; c += spacing) at.push_back(c);
  if (at.empty() || at.front() != from) at.insert(at.begin(), from);
  if (at.back() != to) at.push_back(to);
  return at;
}
}  // namespace

MoxPertGrid::~MoxPertGrid() = default;

void MoxPertGrid::Fit(const Kiv2DBoundingBox& box) {
  const Kiv2DBoundingBox cells = CellsAround(box);
  if (cells == covered_) return;
  Cover(cells);
}

void MoxPertGrid::Extend(const Kiv2DBoundingBox& box) {
  if (box.IsEmpty()) return;
  Kiv2DBoundingBox wanted = CellsAround(box);
  // Only grow: a box inside the covered area changes nothing.
  if (!covered_.IsEmpty()) {
    if (covered_.Contains({box.xmin, box.ymin}) && covered_.Contains({box.xmax, box.ymax})) return;
    wanted.Extend(covered_);
  }
  Cover(wanted);
}

void MoxPertGrid::Cover(const Kiv2DBoundingBox& cells) {
  covered_ = cells;
  built_ = false;
  GeometryChanged();
  TouchScene();
}

int MoxPertGrid::GetLineCount() const {
  Build();
  return lines_;
}

double MoxPertGrid::GetLineSpacing() const {
  return SpacingFor(std::max<double>(covered_.Width(), covered_.Height()));
}

void MoxPertGrid::CollectDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                                   const KivGraphicAttributes& outer) const {
  Build();
  Kiv2DBagRep::CollectDrawItems(out, world, outer);
}

Kiv2DBoundingBox MoxPertGrid::ComputeBoundingBox() const {
  Build();
  return Kiv2DBagRep::ComputeBoundingBox();
}

void MoxPertGrid::Build() const {
  if (built_) return;
  built_ = true;
  // The lines are the grid's own make-up, not a change of its contract.
  auto* self = const_cast<MoxPertGrid*>(this);
  self->RemoveAllChildren();
  lines_ = 0;
  if (covered_.IsEmpty()) return;
  self->SetColor(kLineColor);
  self->SetThickness(1);
  const double spacing = GetLineSpacing();
  const std::vector<double> columns = LinesBetween(covered_.xmin, covered_.xmax, spacing);
  const std::vector<double> rows = LinesBetween(covered_.ymin, covered_.ymax, spacing);
  std::vector<KivMathPoint2Df> vertical;
  vertical.reserve(2 * columns.size());
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const auto x = static_cast<float>(columns[i]);
    const bool up = i % 2 == 0;
    vertical.emplace_back(x, up ? covered_.ymin : covered_.ymax);
    vertical.emplace_back(x, up ? covered_.ymax : covered_.ymin);
  }
  std::vector<KivMathPoint2Df> horizontal;
  horizontal.reserve(2 * rows.size());
  for (std::size_t j = 0; j < rows.size(); ++j) {
    const auto y = static_cast<float>(rows[j]);
    const bool right = j % 2 == 0;
    horizontal.emplace_back(right ? covered_.xmin : covered_.xmax, y);
    horizontal.emplace_back(right ? covered_.xmax : covered_.xmin, y);
  }
  auto lines = KivMake<Kiv2DCustomRep>();
  lines->AddPrimitive(std::make_unique<Kiv2DPolylinePrimitive>(std::move(vertical)));
  lines->AddPrimitive(std::make_unique<Kiv2DPolylinePrimitive>(std::move(horizontal)));
  self->AddChild(lines);
  lines_ = static_cast<int>(columns.size() + rows.size());
}
