#include "MoxBaseScrollListZitBltRep.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "Kiv2DLineRep.h"
#include "Kiv2DPolygonRep.h"
#include "KivClassRegistry.h"
#include "KivCreationDictionary.h"
#include "KivDisplayAttribute.h"
#include "KivDlgNotifications.h"
#include "KivDlgPushItem.h"
#include "KivEnvironment.h"
#include "KivManipulatorNotification.h"
#include "MoxIListZitBltItem.h"
#include "MoxIListZitBltItemState.h"
#include "MoxPexTraces.h"
#include "MoxScrollListRowDrag.h"

extern "C" KivBaseUnknown* fctCreateMoxBaseScrollListZitBltRep(KivBaseUnknown* owner) {
  return static_cast<MoxZitBltRep*>(new MoxBaseScrollListZitBltRep(owner, 5));
}

KIV_DECLARE_CLASS(MoxBaseScrollListZitBltRep, "MoxPexViewers");
static const KivCreationRegistrar kMoxBaseScrollListZitBltRepFactory(
    "MoxBaseScrollListZitBltRep", &fctCreateMoxBaseScrollListZitBltRep, "MoxPexViewers");

namespace {
constexpr const char* kMenuItem = "HideShowScrollBar";

// Lists that grow downwards from their button: scrolling forward moves their
// rows up.
bool ScrollsRowsUp(const KivUnicodeString& location) {
  for (const char* keyword :
       {"leftbottom", "bottomleft", "bottommiddle", "leftmiddle", "rightbottom", "bottomright"})
    if (location == KivUnicodeString(keyword)) return true;
  return false;
}

// The scroll bar track of a location: its first corner, its side across
// (dx) and along the list (length direction, 1 upwards), and whether the
// list grows upwards. Middle locations on the left and right have none.
struct Track {
  float x, y, across;
  bool upward;
};

bool TrackOf(const KivUnicodeString& location, Track& track) {
  struct Entry {
    const char* locations[3];
    Track track;
  };
  static const Entry table[] = {
      {{"lefttop"}, {-5.0f, 0.0f, 0.2f, true}},
      {{"righttop"}, {5.0f, 0.0f, -0.2f, true}},
      {{"leftbottom"}, {-5.0f, 0.0f, 0.2f, false}},
      {{"rightbottom"}, {5.0f, 0.0f, -0.2f, false}},
      {{"bottommiddle", "bottomright", "bottomleft"}, {0.0f, -5.0f, 0.2f, false}},
      {{"topmiddle", "topright", "topleft"}, {0.0f, 5.0f, 0.2f, true}},
  };
  for (const Entry& e : table)
    for (const char* keyword : e.locations)
      if (keyword && location == KivUnicodeString(keyword)) {
        track = e.track;
        return true;
      }
  return false;
}

// "ScrollListRange" when it holds a number of rows, else the given range.
int RangeFromEnvironment(int given) {
  const char* text = KivGetEnv("ScrollListRange");
  if (!text) return given;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || errno == ERANGE || value < 1 || value > 10000) {
    MoxZitBltModelTrace().Print("ScrollListRange \"%s\" is not a number of rows; %d rows are shown",
                                text, given);
    return given;
  }
  return static_cast<int>(value);
}

Kiv2DRep* MainGraphic(Kiv2DRep* row) {
  auto* bag = dynamic_cast<Kiv2DBagRep*>(row);
  return bag ? bag->GetChild(1) : nullptr;
}

Kiv2DRep* SecondGraphic(Kiv2DRep* row) {
  auto* bag = dynamic_cast<Kiv2DBagRep*>(row);
  return bag ? bag->GetChild(2) : nullptr;
}

void Translate(Kiv2DRep* rep, float dy) {
  auto* bag = dynamic_cast<Kiv2DBagRep*>(rep);
  if (!bag) return;
  const KivMathVector2Df t =
      bag->GetMatrix() ? bag->GetMatrix()->GetTranslation() : KivMathVector2Df(0.0f, 0.0f);
  bag->SetMatrix(Kiv3x3Matrix::Translation(t.x, t.y + dy));
}
}  // namespace

MoxBaseScrollListZitBltRep::MoxBaseScrollListZitBltRep(KivBaseUnknown* owner, int range)
    : owner_(owner), range_(RangeFromEnvironment(range)) {}

Kiv2DManipulator* MoxBaseScrollListZitBltRep::GetScrollManipulator() {
  // Made with the first scroll bar or reading: most lists of a large level
  // are never scrolled.
  if (!scrollManipulator_) {
    scrollManipulator_ = KivVar<Kiv2DManipulator>::Adopt(
        new Kiv2DManipulator(this, KivString("ScrollManip"), nullptr, 1));
    scrollManipulator_->SetDirection(KivMathDirection2D(0.0, 1.0));
    scrollManipulator_->SetReferenceAxis(KivMathAxis2D());
  }
  return scrollManipulator_.get();
}

MoxBaseScrollListZitBltRep::~MoxBaseScrollListZitBltRep() {
  ReleaseRows();
  rowDrag_.reset();
  RemoveScroller();
  items_.clear();
  listed_.clear();
  if (scrollManipulator_) KivCommandDeletion(scrollManipulator_.Detach());
}

void MoxBaseScrollListZitBltRep::BuildRep(KivViewer* viewer) {
  if (!viewer) return;
  // New bags replace the old ones: the rows and scroll bar drawn in the old
  // expanded bag go with it.
  ReleaseRows();
  RemoveScroller();
  MoxZitBltRep::BuildRep(viewer);
  if (!GetZitBltExpanded()) return;
  if (items_.empty()) {
    SetZitbltButtonGrey(1);
    return;
  }
  DrawScrollList();
}

void MoxBaseScrollListZitBltRep::ExpandZitBlt() {
  MoxZitBltRep::ExpandZitBlt();
  if (rowsStale_) DrawRows();
}

bool MoxBaseScrollListZitBltRep::IsItDuplicate(const KivBaseUnknown_var& item) const {
  return item && listed_.count(KivIdentity(item.get())) > 0;
}

void MoxBaseScrollListZitBltRep::AppendItem(const KivBaseUnknown_var& item, int state) {
  if (!item || IsItDuplicate(item)) return;
  // A row must say what it is: an item without a label (a link whose
  // product is gone) is not listed.
  MoxIListZitBltItem_var listed(item.get());
  KivUnicodeString label;
  if (!listed || listed->GetLabel(label) != S_OK) {
    MoxZitBltModelTrace().Print("list \"%s\": an item without a label is left out",
                                GetName().ConvertToUTF8().c_str());
    return;
  }
  if (MoxIListZitBltItemState_var assign = item.get())
    assign->SetAssignState(static_cast<MoxIListZitBltItemState::AssignState>(state));
  items_.push_back({item, state});
  listed_.insert(KivIdentity(item.get()));
}

bool MoxBaseScrollListZitBltRep::HoldsRow(const KivBaseUnknown* row) const {
  const KivBaseUnknown* identity = KivIdentity(const_cast<KivBaseUnknown*>(row));
  return std::any_of(rows_.begin(), rows_.end(),
                     [identity](const auto& own) { return KivIdentity(own.get()) == identity; });
}

void MoxBaseScrollListZitBltRep::ReleaseRows() {
  if (rowDrag_) rowDrag_->ForgetRows(rows_);
  for (const auto& row : rows_) {
    KivVar<Kiv2DRep> rep(row->GiveRep());
    row->UnreferenceRep();
    if (rep && rep->GetFather()) rep->GetFather()->RemoveChild(rep.get());
  }
  rows_.clear();
}

void MoxBaseScrollListZitBltRep::RemoveAllItems(unsigned char grey) {
  rowsStale_ = false;
  ReleaseRows();
  RemoveScroller();
  items_.clear();
  listed_.clear();
  Kiv2DBagRep* expanded = GetZitBltExpanded();
  if (!expanded) return;
  if (grey && !IsGreyed()) SetZitbltButtonGrey(1);
  expanded->RemoveAllChildren();
  ReDraw();
}

void MoxBaseScrollListZitBltRep::ReFreshZitBltReps(const KivUnicodeString& location) {
  SetLocation(location);
  const std::vector<Entry> content = items_;
  RemoveAllItems(0);
  for (const Entry& e : content) AppendItem(e.item, e.state);
  if (!content.empty()) DrawScrollList();
}

void MoxBaseScrollListZitBltRep::DrawScrollList() {
  if (!items_.empty() && IsGreyed() && GetZitBltExpanded()) SetZitbltButtonGrey(0);
  if (!IsButtonCollapse()) return DrawRows();
  ReleaseRows();
  RemoveScroller();
  rowsStale_ = true;
  ReDraw();
}

void MoxBaseScrollListZitBltRep::DrawRows() {
  // Drawing twice does not draw the rows twice.
  rowsStale_ = false;
  ReleaseRows();
  RemoveScroller();
  const int n = static_cast<int>(items_.size());
  if (firstVisible_ + range_ - 1 > n) firstVisible_ = std::max(1, n - range_ + 1);
  if (range_ < n && !scrollBarHidden_)
    AddScroller();
  else
    firstVisible_ = 1;
  for (const Entry& e : items_) AppendScrollList(e.item, ColourOf(e));
  if (!scrollBarHidden_) {
    ShiftRows(firstVisible_ - 1);
    ShowWindow();
  }
  ReDraw();
}

void MoxBaseScrollListZitBltRep::AppendScrollList(const KivBaseUnknown_var& item, int colour) {
  Kiv2DBagRep* expanded = GetZitBltExpanded();
  if (!item || !expanded) return;
  AddListItemRep(expanded, item, static_cast<int>(rows_.size()) + 1, colour);
}

void MoxBaseScrollListZitBltRep::AddListItemRep(Kiv2DBagRep* bag, const KivBaseUnknown_var& item,
                                                int index, int colour) {
  MoxIScrollListZitBltItemVisu_var row = MoxCreateScrollListItemVisu(owner_, item, colour);
  if (!row) return;
  row->SetItemPos(index, GetLocation());
  row->SetItemType(GetName());
  if (Kiv2DRep* rep = row->GetRep()) bag->AddChild(KivVar<Kiv2DRep>(rep));
  rows_.push_back(row);
  // Rows are dragged only once a list shows some: a closed list neither
  // listens to the selection nor holds a manipulator.
  if (!rowDrag_) rowDrag_ = std::make_unique<MoxScrollListRowDrag>(this);
  rowDrag_->AddRow(row);
}

void MoxBaseScrollListZitBltRep::ShiftRows(int steps) {
  if (steps == 0) return;
  const float dy = (ScrollsRowsUp(GetLocation()) ? kRowStep : -kRowStep) * steps;
  for (const auto& row : rows_) Translate(MainGraphic(row->GiveRep()), dy);
}

void MoxBaseScrollListZitBltRep::ShowWindow() {
  const int last = firstVisible_ + range_ - 1;
  for (int j = 1; j <= static_cast<int>(rows_.size()); ++j) {
    Kiv2DRep* rep = rows_[static_cast<std::size_t>(j - 1)]->GiveRep();
    if (Kiv2DRep* label = MainGraphic(rep))
      label->SetShowMode(j >= firstVisible_ && j <= last ? KivRep::kShown : KivRep::kHidden);
    // The arrows of the window's places stay; the labels move to them.
    if (Kiv2DRep* arrow = SecondGraphic(rep))
      arrow->SetShowMode(j <= range_ ? KivRep::kShown : KivRep::kHidden);
  }
}

void MoxBaseScrollListZitBltRep::AddScroller() {
  Track track;
  if (!TrackOf(GetLocation(), track)) return;
  upward_ = track.upward;
  const int n = static_cast<int>(items_.size());
  const float r = static_cast<float>(range_);
  const float length = upward_ ? 3.0f * r : -3.0f * r;
  const float d = static_cast<float>(firstVisible_ - 1) * r * 3.0f / static_cast<float>(n - range_);
  const float along = upward_ ? d : -d;
  // The track runs along x = track.x for the side lists, along y for the
  // top and bottom ones.
  const bool vertical = track.x != 0.0f;
  std::vector<KivMathPoint2Df> corners;
  float x1 = track.x, x2 = track.x + track.across;
  if (vertical) {
    corners = {
        {track.x, track.y}, {x2, track.y}, {x2, track.y + length}, {track.x, track.y + length}};
  } else {
    x1 = 0.0f;
    x2 = track.across;
    corners = {{x1, track.y}, {x2, track.y}, {x2, track.y + length}, {x1, track.y + length}};
  }
  const float left = std::min(x1, x2), right = std::max(x1, x2);
  thumb_ = KivMake<Kiv2DLineRep>(KivMathPoint2Df(left - 0.75f, track.y + along),
                                 KivMathPoint2Df(right + 0.75f, track.y + along));
  Kiv2DBagRep* expanded = GetZitBltExpanded();
  if (!expanded) return;
  track_ = KivMake<Kiv2DPolygonRep>(std::move(corners));
  KivApplyDisplayAttribute(*track_, kKivDisplayBackground);
  expanded->AddChild(track_);
  KivApplyDisplayAttribute(*thumb_, kKivDisplayGrip);
  GetScrollManipulator()->AddRepToManipulate(thumb_.get());
  expanded->AddChild(thumb_);
}

void MoxBaseScrollListZitBltRep::RemoveScroller() {
  for (KivVar<Kiv2DRep>* part : {&thumb_, &track_}) {
    if (!*part) continue;
    if (scrollManipulator_) scrollManipulator_->RemoveRepToManipulate(part->get());
    if (Kiv2DBagRep* bag = (*part)->GetFather()) bag->RemoveChild(part->get());
    *part = NULL_var;
  }
}

float MoxBaseScrollListZitBltRep::ScrollReading() const {
  const float y = scrollManipulator_ ? scrollManipulator_->GetCurrentAxis().origin.y : 0.0f;
  return upward_ ? y : -y;
}

void MoxBaseScrollListZitBltRep::SetScrollReading(float reading) {
  Kiv2DManipulator* manipulator = GetScrollManipulator();
  KivMathAxis2D axis = manipulator->GetCurrentAxis();
  axis.origin.y = upward_ ? reading : -reading;
  manipulator->SetCurrentAxis(axis);
}

void MoxBaseScrollListZitBltRep::OnScrollbarManipulate() {
  if (!scrollManipulator_) return;
  float y = ScrollReading();
  if (y < 1.0f) {
    y = 1.0f;
    SetScrollReading(y);
  }
  const int n = static_cast<int>(items_.size());
  firstVisible_ = static_cast<int>(y);
  if (range_ + firstVisible_ - 1 > n) {
    // Past the end: the thumb stops at the last window, and the rows follow.
    firstVisible_ = std::max(1, n - range_ + 1);
    SetScrollReading(static_cast<float>(firstVisible_));
  }
  OnScrollerMoved();
  previousFirst_ = firstVisible_;
}

void MoxBaseScrollListZitBltRep::OnScrollerMoved() {
  const int p = previousFirst_;
  const int f = firstVisible_;
  const int c = static_cast<int>(rows_.size());
  if (f == p) return;
  if (f == 1) return ReFreshZitBltReps(GetLocation());
  if (c == 0) return;
  const int lastFirst = c - range_ + 1;
  if (f > lastFirst) firstVisible_ = lastFirst;
  // Jumps, and the two ends, rebuild the list; a one-row step moves it.
  if (f >= lastFirst || std::abs(p - f) != 1) return ReFreshZitBltReps(GetLocation());
  RemoveScroller();
  AddScroller();
  ShiftRows(f - p);
  ShowWindow();
  ReDraw();
}

void MoxBaseScrollListZitBltRep::SetScrollRange(int range) {
  range_ = range;
  ReFreshZitBltReps(GetLocation());
}

void MoxBaseScrollListZitBltRep::SetZitbltScrollBarHideState(unsigned char hidden) {
  scrollBarHidden_ = hidden != 0;
  ReFreshZitBltReps(GetLocation());
}

int MoxBaseScrollListZitBltRep::AnalyseNotification(KivCommand* sender,
                                                    KivNotification* notification) {
  MoxZitBltRep::AnalyseNotification(sender, notification);
  if (!notification || !sender) return 1;
  if (rowDrag_ && sender == rowDrag_->GetManipulator()) {
    rowDrag_->OnManipulatorNotification(notification);
  } else if (sender == scrollManipulator_.get()) {
    if (notification->IsAKindOf(KivManipulator::GetKivManipulate())) OnScrollbarManipulate();
  } else if (IsOwnManipulator(sender)) {
    if (notification->IsAKindOf(KivManipulator::GetKivContext()))
      OnZitBtnContextMenu(notification);
    else if (notification->IsAKindOf(KivManipulator::GetKivManipulate()))
      OnButtonMoved();
  } else if (notification->IsAKindOf("KivDlgMenuIActivateNotification") &&
             sender->GetName() == kMenuItem) {
    SetZitbltScrollBarHideState(scrollBarHidden_ ? 0 : 1);
  }
  return 1;
}

void MoxBaseScrollListZitBltRep::OnZitBtnContextMenu(KivNotification* notification) {
  auto* context = dynamic_cast<KivContext*>(notification);
  auto* menu =
      context ? dynamic_cast<KivDlgContextualMenu*>(context->GetContextualMenu()) : nullptr;
  if (!menu || static_cast<int>(items_.size()) < range_ + 1) return;
  menu->RemoveAllItems();
  auto* item = new KivDlgPushItem(menu, KivString(kMenuItem));
  item->SetFather(this);
  item->SetTitle(KivUnicodeString(scrollBarHidden_ ? "ShowScrollBar" : "HideScrollBar"));
}

void MoxBaseScrollListZitBltRep::OnButtonMoved() {
  double xmin = 0, ymin = 0, xmax = 0, ymax = 0, x = 0, y = 0;
  GetPositioningLimits(xmin, ymin, xmax, ymax);
  GetPoDPosition(x, y);
  const double mx = xmin + (xmax - xmin) / 2.0;
  const double my = ymin + (ymax - ymin) / 2.0;
  const bool upper = my <= y && y <= ymax;
  auto moveTo = [this](const char* location) {
    if (GetLocation() != KivUnicodeString(location)) ReFreshZitBltReps(KivUnicodeString(location));
  };
  auto startsWith = [this](const char* prefix) {
    return GetLocation().ConvertToUTF8().rfind(prefix, 0) == 0;
  };
  // A button at the middle of a side keeps its list on that side.
  if (x == mx && upper) moveTo("topmiddle");
  if (y == my && xmin <= x && x <= mx) moveTo("leftmiddle");
  if (xmin <= x && x < mx) {
    if (upper)
      moveTo(startsWith("left") ? "lefttop" : "topleft");
    else
      moveTo(startsWith("left") ? "leftbottom" : "bottomleft");
  }
  if (mx < x && x <= xmax) {
    if (upper)
      moveTo(startsWith("right") ? "righttop" : "topright");
    else
      moveTo(startsWith("right") ? "rightbottom" : "bottomright");
  }
}

bool MoxBaseScrollListZitBltRep::GetRow(int row, MoxScrollListRow& out) {
  if (row < 1 || row > static_cast<int>(items_.size())) return false;
  const Entry& entry = items_[static_cast<std::size_t>(row - 1)];
  out.item = entry.item;
  out.label = KivUnicodeString();
  if (MoxIListZitBltItem_var listed = entry.item.get()) listed->GetLabel(out.label);
  out.colour = ColourOf(entry);
  out.visu = NULL_var;
  out.visible = false;
  if (row <= static_cast<int>(rows_.size())) {
    const auto& visu = rows_[static_cast<std::size_t>(row - 1)];
    out.visu = KivBaseUnknown_var(visu.get());
    Kiv2DRep* label = MainGraphic(visu->GiveRep());
    out.visible = label && label->IsShown();
  }
  return true;
}

KivMathVector2Df MoxBaseScrollListZitBltRep::GetThumbDragTo(int first) {
  // Half a row past the wanted index, so that the reading truncates to it.
  const float delta = static_cast<float>(first) + 0.5f - ScrollReading();
  return {0.0f, upward_ ? delta : -delta};
}
