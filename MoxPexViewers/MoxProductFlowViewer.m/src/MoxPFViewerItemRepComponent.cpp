#include "MoxPFViewerItemRepComponent.h"

#include "Kiv2DArcRep.h"
#include "Kiv2DCustomRep.h"
#include "Kiv2DImagePixelRep.h"
#include "Kiv2DLineRep.h"
#include "Kiv2DMarkerRep.h"
#include "KivClassRegistry.h"
#include "KivISPPProductIO.h"
#include "KivTextMetric.h"
#include "MoxArrowRepAdapter.h"
#include "MoxIListZitBltItem.h"
#include "MoxIListZitBltItemState.h"
#include "MoxPFViewerShowState.h"
#include "MoxPexPertVisuServices.h"

KIV_DECLARE_CLASS(MoxPFViewerItemRepComponent, "MoxPexViewers");

namespace {
constexpr float kRowStep = 2.5f;
constexpr float kTextHeight = 1.5f;
constexpr int kPlacementStart = 0;  // text starts at the origin
constexpr int kPlacementEnd = 3;    // text ends 8 units right of the origin
constexpr float kTextEnd = 8.0f;
constexpr int kOutOfRangeColour = 253;
constexpr int kBillOfMaterialSymbol = 4;

// Where a row's label and arrow go for the button's location: the label's
// translation (tx, ty0 + dir * step * row) and text placement, and the
// arrow from (ax, ay0 + dir * step * row) to (bx, by).
struct RowGeometry {
  const char* location;
  float tx, ty0;
  float dir;
  int placement;
  float ax, ay0, bx, by;
};

const RowGeometry kGeometry[] = {
    {"lefttop", -17, -2, 1, kPlacementEnd, -9, -2, -4, -2},
    {"leftmiddle", -17, -2, 1, kPlacementEnd, -9, -2, -4, -2},
    {"leftbottom", -17, -2, -1, kPlacementEnd, -9, -2, -4, -2},
    {"bottomleft", -15, -5, -1, kPlacementEnd, -5, -5, -2, -2},
    {"bottommiddle", -15, -5, -1, kPlacementEnd, -5, -5, -2, -2},
    {"bottomright", 8, -5, -1, kPlacementStart, 5, -5, 2, -2},
    {"topleft", -15, 5, 1, kPlacementEnd, -5, 5, -2, 2},
    {"topmiddle", -15, 5, 1, kPlacementEnd, -5, 5, -2, 2},
    {"topright", 8, 5, 1, kPlacementStart, 5, 5, 2, 2},
    {"righttop", 8, -2, 1, kPlacementStart, 9, -2, 4, -2},
    {"rightmiddle", 8, -2, 1, kPlacementStart, 9, -2, 4, -2},
    {"rightbottom", 8, -2, -1, kPlacementStart, 9, -2, 4, -2},
};

const RowGeometry* GeometryOf(const KivUnicodeString& location) {
  for (const RowGeometry& g : kGeometry)
    if (location == KivUnicodeString(g.location)) return &g;
  return nullptr;
}

// The label's matrix: its translation for the row (none for an unknown
// location).
Kiv3x3Matrix LabelPlace(const RowGeometry* g, int row) {
  const double place[3] = {0.0, g ? g->tx : 0.0, g ? g->ty0 + g->dir * kRowStep * row : 0.0};
  return MoxPexPertVisuServices::CreateMatrix(place);
}

KivVar<Kiv2DCustomRep> CreateLabelRep(const KivUnicodeString& text, int placement, int colour) {
  const float width = KivTextMetric::Width(text, kTextHeight);
  const float x = placement == kPlacementStart ? 0.0f : kTextEnd - width;
  auto label = KivMake<Kiv2DCustomRep>();
  label->AddPrimitive(
      std::make_unique<Kiv2DTextPrimitive>(KivMathPoint2Df(x, 0.0f), text, kTextHeight, colour));
  label->SetBoundingElement(KivTextMetric::Box(text, kTextHeight, KivMathPoint2Df(x, 0.0f)));
  return label;
}
}  // namespace

MoxPFViewerItemRepComponent::MoxPFViewerItemRepComponent(KivBaseUnknown* activityNode,
                                                         const KivBaseUnknown_var& item, int colour)
    : colour_(colour >= 256 ? kOutOfRangeColour : colour), node_(activityNode), item_(item) {}

MoxPFViewerItemRepComponent::~MoxPFViewerItemRepComponent() = default;

void MoxPFViewerItemRepComponent::SetItemPos(int row, const KivUnicodeString& location) {
  row_ = row;
  location_ = location;
  SetRepNotUpToDate();
}

KivVar<Kiv2DRep> MoxPFViewerItemRepComponent::BuildRep() {
  if (itemType_ == KivUnicodeString("ProductOutput")) return GetListLinkZitBltItemRep();
  return GetListItemRep();
}

KivVar<Kiv2DBagRep> MoxPFViewerItemRepComponent::GetListItemRep() {
  auto bag = KivMake<Kiv2DBagRep>(Kiv3x3Matrix());
  KivVar<Kiv2DBagRep> arrow = GetArrowRep();
  const RowGeometry* g = GeometryOf(location_);
  if (KivVar<Kiv2DBagRep> label = GetLabelRep(g ? g->placement : kPlacementEnd)) {
    AddBillOfMaterialMarker(*label);
    label->SetMatrix(LabelPlace(g, row_));
    bag->AddChild(label);
  }
  bag->AddChild(arrow);
  return bag;
}

KivVar<Kiv2DBagRep> MoxPFViewerItemRepComponent::GetListLinkZitBltItemRep() {
  auto bag = KivMake<Kiv2DBagRep>(Kiv3x3Matrix());
  const RowGeometry* g = GeometryOf(location_);
  const int placement = g ? g->placement : kPlacementEnd;
  KivVar<Kiv2DBagRep> label = GetLabelRep(placement);
  if (!label) return bag;
  // A short link from the side of the label that faces the button, ending
  // in a dot.
  const Kiv2DBoundingBox box = label->GetBoundingElement();
  const float near = placement == kPlacementStart ? box.xmin : box.xmax;
  const float far = placement == kPlacementStart ? box.xmin - 3.0f : box.xmax + 3.0f;
  auto link = KivMake<Kiv2DLineRep>(KivMathPoint2Df(near, 1.0f), KivMathPoint2Df(far, 1.0f));
  link->SetColor(colour_);
  auto dot = KivMake<Kiv2DArcRep>(KivMathPoint2Df(far, 1.0f), 0.5f, 0.0f, 6.2831855f);
  dot->SetColor(colour_);
  label->AddChild(link);
  label->AddChild(dot);
  label->SetMatrix(LabelPlace(g, row_));
  bag->AddChild(label);
  return bag;
}

KivVar<Kiv2DBagRep> MoxPFViewerItemRepComponent::GetArrowRep() {
  auto bag = KivMake<Kiv2DBagRep>();
  const RowGeometry* g = GeometryOf(location_);
  if (!g) return bag;
  const KivMathPoint2Df start(g->ax, g->ay0 + g->dir * kRowStep * row_);
  const KivMathPoint2Df end(g->bx, g->by);
  const MoxArrowRepAdapter adapter;
  auto arrow = KivMake<Kiv2DCustomRep>();
  arrow->AddPrimitive(adapter.CreateOrthogonalLink(start, end));
  arrow->AddPrimitive(adapter.CreateArrow(start, end));
  arrow->SetColor(colour_);
  arrow->SetThickness(1);
  arrow->SetLineType(1);
  bag->AddChild(arrow);
  return bag;
}

KivVar<Kiv2DBagRep> MoxPFViewerItemRepComponent::GetLabelRep(int placement) {
  MoxIListZitBltItem_var listed(item_.get());
  KivUnicodeString text;
  if (!listed || FAILED(listed->GetLabel(text))) return NULL_var;
  auto bag = KivMake<Kiv2DBagRep>();
  bag->AddChild(CreateLabelRep(text, placement, colour_));
  if (itemType_ == KivUnicodeString("ProductInput")) AddShowStateIcon(*bag, placement);
  return bag;
}

void MoxPFViewerItemRepComponent::AddShowStateIcon(Kiv2DBagRep& label, int placement) {
  KivISPPProductIO_var link(item_.get());
  if (!link) return;
  KivBaseUnknown_var product = link->GetInputProduct();
  KivVar<KivPixelImage> icon =
      MoxPFViewerShowState::GetShowHiddenIcon(MoxPFViewerShowState::GetIconName(product.get()));
  if (!icon) return;
  // Before the text of a label that ends at the button's side, after the
  // text of one that starts there, so that the arrow stays clear.
  const Kiv2DBoundingBox box = label.GetBoundingElement();
  const float x = placement == kPlacementStart ? box.xmax + 1.0f : box.xmin - 3.0f;
  auto holder = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Translation(x, 0.0));
  auto image = KivMake<Kiv2DImagePixelRep>(KivMathPoint2Df(0.0f, 0.0f), icon.get());
  image->SetAlphaMode(1);
  holder->AddChild(image);
  label.AddChild(holder);
}

void MoxPFViewerItemRepComponent::AddBillOfMaterialMarker(Kiv2DBagRep& label) {
  MoxIListZitBltItemState_var state(item_.get());
  if (!state || !state->IsIncludedInBOM()) return;
  const Kiv2DBoundingBox box = label.GetBoundingElement();
  auto marker = KivMake<Kiv2DMarkerRep>(KivMathPoint2Df(box.xmax + 1.0f, box.ymax + 1.0f),
                                        kBillOfMaterialSymbol);
  marker->SetColor(colour_);
  label.AddChild(marker);
}
