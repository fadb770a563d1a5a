#include "MoxPertController.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "Kiv2DCustomRep.h"
#include "Kiv2DLineRep.h"
#include "Kiv2DManipulator.h"
#include "Kiv2DPolygonRep.h"
#include "KivCSO.h"
#include "KivCallback.h"
#include "KivCommandStarter.h"
#include "KivISPPActivity.h"
#include "KivISPPFlowMgt.h"
#include "KivManipulatorNotification.h"
#include "KivPathElement.h"
#include "KivSPPActivityNotification.h"
#include "KivTextMetric.h"
#include "MoxIBIWActivityGrouping.h"
#include "MoxIBIWActivityStation.h"
#include "MoxIPertNode.h"
#include "MoxIPertPosition.h"
#include "MoxPertAppInfoNotify.h"
#include "MoxPertClientVisuServices.h"
#include "MoxPertNodeAccess.h"
#include "MoxPertNodeLook.h"
#include "MoxPertPositionNotify.h"

namespace {

// Look of the chart (palette indices, see KivColorPalette).
constexpr int kBorderColor = 249;   // dark slate
constexpr int kHighlightColor = 9;  // orange
constexpr int kTextColor = 0;       // black
constexpr int kTypeTextColor = 1;   // dark grey
constexpr int kLinkColor = 1;       // dark grey
constexpr int kFrameFill = 231;     // white-ish frame of an expanded super node
constexpr int kShadowFill = 10;     // the stacked look of a collapsed super node
constexpr int kBorderThickness = 2;
constexpr int kHighlightThickness = 5;
constexpr float kLabelHeight = 1.5f;
constexpr float kTypeHeight = 1.0f;
constexpr float kLabelPadding = 0.5f;
constexpr float kShadowOffset = 0.8f;
constexpr float kArrowLength = 1.6f;
constexpr float kArrowHalfWidth = 0.7f;

std::vector<MoxPertController*>& LiveControllers() {
  static std::vector<MoxPertController*> live;
  return live;
}

// The text cut to fit `width` at `height`, ending with an ellipsis when cut.
KivUnicodeString FitText(const KivUnicodeString& text, float height, float width) {
  if (KivTextMetric::Width(text, height) <= width) return text;
  const int fits =
      static_cast<int>(std::floor(width / (KivTextMetric::kAdvancePerHeight * height)));
  if (fits <= 1) return KivUnicodeString("\u2026");
  return text.Left(fits - 1) + KivUnicodeString("\u2026");
}

// The text on at most two lines that fit `width`: the first line breaks at
// the last blank that lets it fit (or inside a word too long for a line);
// the second is cut with an ellipsis when the rest does not fit.
std::vector<KivUnicodeString> WrapText(const KivUnicodeString& text, float height, float width) {
  if (text.IsEmpty()) return {};
  if (KivTextMetric::Width(text, height) <= width) return {text};
  const int perLine =
      static_cast<int>(std::floor(width / (KivTextMetric::kAdvancePerHeight * height)));
  if (perLine < 2) return {FitText(text, height, width)};
  const std::u32string& chars = text.Characters();
  int cut = perLine;  // a break inside the word when there is no blank
  for (int i = perLine; i > 0; --i)
    if (chars[static_cast<std::size_t>(i)] == U' ') {
      cut = i;
      break;
    }
  int rest = cut;
  while (rest < text.GetLengthInChar() && chars[static_cast<std::size_t>(rest)] == U' ') ++rest;
  return {text.Left(cut), FitText(text.SubString(rest), height, width)};
}

// " · CT 52.5 s" for a station or grouping with a cycle time, else nothing.
KivUnicodeString CycleTimeText(KivBaseUnknown* node) {
  double seconds = 0.0;
  if (MoxIBIWActivityStation_var station(node); station) {
    seconds = station->StationCycleTime();
  } else if (MoxIBIWActivityGrouping_var grouping(node); grouping) {
    seconds = grouping->GroupCycleTime();
  }
  if (!(seconds > 0.0)) return KivUnicodeString();
  char text[48];
  std::snprintf(text, sizeof text, " \u00b7 CT %g s", seconds);
  return KivUnicodeString(text);
}

std::vector<KivMathPoint2Df> Rectangle(float x0, float y0, float x1, float y1) {
  return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

// Adds a new rep to the bag, which then holds the only reference.
template <class Rep, class... Args>
Rep* AddNew(Kiv2DBagRep* bag, Args&&... args) {
  auto rep = KivMake<Rep>(std::forward<Args>(args)...);
  return SUCCEEDED(bag->AddChild(rep)) ? rep.get() : nullptr;
}

// Where the segment from the box's centre towards `target` leaves the box.
KivMathPoint2Df ExitPoint(const Kiv2DBoundingBox& box, const KivMathPoint2Df& target) {
  const float cx = (box.xmin + box.xmax) / 2.0f;
  const float cy = (box.ymin + box.ymax) / 2.0f;
  const float dx = target.x - cx;
  const float dy = target.y - cy;
  const float hw = box.Width() / 2.0f;
  const float hh = box.Height() / 2.0f;
  float t = 1.0f;
  if (dx != 0.0f) t = std::min(t, hw / std::fabs(dx));
  if (dy != 0.0f) t = std::min(t, hh / std::fabs(dy));
  return {cx + dx * t, cy + dy * t};
}

Kiv2DBoundingBox Grown(const Kiv2DBoundingBox& box, float by) {
  return Kiv2DBoundingBox::FromCorners(box.xmin - by, box.ymin - by, box.xmax + by, box.ymax + by);
}

void DispatchToOwner(KivBaseUnknown* node, KivNotification* notification) {
  KivBaseUnknown_var keep(notification);
  MoxIPertPosition_var position(node);
  if (!position) return;
  KivBaseUnknown_var owner = position->GetPertPositionOwner();
  KivIModelEvents_var events(owner.get());
  if (events) events->Dispatch(notification);
}

void SendPositionNotify(KivBaseUnknown* node) {
  MoxIPertNode_var pertNode(node);
  double x = 0.0, y = 0.0;
  if (!pertNode || FAILED(pertNode->GetPosition(x, y, 1))) return;
  DispatchToOwner(node, KivMake<MoxPertPositionNotify>(KivBaseUnknown_var(node), x, y).get());
}

void SendAppInfoNotify(KivBaseUnknown* node, int mode) {
  MoxIPertNode_var pertNode(node);
  double x = 0.0, y = 0.0;
  if (pertNode) pertNode->GetPosition(x, y, 1);
  DispatchToOwner(node, KivMake<MoxPertAppInfoNotify>(KivBaseUnknown_var(node), x, y, mode).get());
}

}  // namespace

// An entry makes its node's manipulator when the viewer first picks the node:
// most nodes of a large chart are never dragged.
struct MoxPertController::NodeEntry : KivManipulatorSource {
  virtual ~NodeEntry() = default;
  KivManipulator* MakeManipulator(KivRep*) override { return owner->MakeNodeManipulator(*this); }

  MoxPertController* owner = nullptr;
  KivBaseUnknown_var node;
  KivBaseUnknown* impl = nullptr;
  // The super node inside which the node is drawn; null on the chart's level.
  KivBaseUnknown* inside = nullptr;
  KivVar<Kiv2DBagRep> bag;
  KivVar<Kiv2DManipulator> manipulator;
  KivCommand::AnalyseCallbackId activateCallback = 0;
  KivCommand::AnalyseCallbackId manipulateCallback = 0;
  KivCommand::AnalyseCallbackId endCallback = 0;
  // The entries drawn directly inside this one, and the links that touch it:
  // both kept so that a redraw costs what the node touches, not the chart.
  std::vector<NodeEntry*> inner;
  std::set<std::pair<KivBaseUnknown*, KivBaseUnknown*>> links;
  int drawCount = 0;
  // The strongest refresh asked while a batch is open: -1 none, else the flag.
  int pendingFlag = -1;
  bool expanded = false;
  bool highlighted = false;
  bool dragging = false;
  float baseX = 0.0f;
  float baseY = 0.0f;
};

struct MoxPertController::LinkEntry {
  KivVar<Kiv2DBagRep> bag;
};

MoxPertController::MoxPertController(KivCommand* window, const KivBaseUnknown_var& root,
                                     KivViewer* viewer, int viewerName, int viewerMode, int flag,
                                     const KivBaseUnknown_var& reference)
    : KivCommand(window, "MoxPertController"),
      viewer_(viewer),
      root_(root),
      reference_(reference),
      viewerName_(viewerName),
      viewerMode_(viewerMode),
      linkFlag_(flag) {
  chart_ = KivMake<Kiv2DBagRep>();
  frames_ = KivMake<Kiv2DBagRep>();
  linkLayer_ = KivMake<Kiv2DBagRep>();
  boxes_ = KivMake<Kiv2DBagRep>();
  chart_->AddChild(frames_);
  chart_->AddChild(linkLayer_);
  chart_->AddChild(boxes_);
  if (viewer_) viewer_->GetRootBag()->AddChild(chart_);
  LiveControllers().push_back(this);
  RememberChildren(root_.get());
  Listen();
}

void MoxPertController::SetRoot(const KivBaseUnknown_var& root) {
  StopListening();
  root_ = root;
  known_.clear();
  RememberChildren(root_.get());
  Listen();
}

void MoxPertController::Listen() {
  MoxIPertPosition_var position(root_.get());
  KivBaseUnknown_var owner = position ? position->GetPertPositionOwner() : KivBaseUnknown_var();
  KivIModelEvents_var events(owner.get());
  if (!events) return;
  documentEvents_ = events->GetNotificationDispatcher();
  documentCallback_ = documentEvents_->AddCallback(
      "KivSPPActivityNotification",
      [this](KivBaseUnknown* p, KivNotification* n, void* d) { OnDocumentChange(p, n, d); });
}

void MoxPertController::StopListening() {
  if (documentEvents_) documentEvents_->RemoveCallback(documentCallback_);
  documentEvents_ = NULL_var;
  documentCallback_ = -1;
}

void MoxPertController::RememberChildren(KivBaseUnknown* level) {
  for (const auto& child : MoxPertNodeAccess::Children(level))
    if (KivBaseUnknown* impl = KivIdentity(child.get())) known_[impl] = KivBaseUnknown_var(impl);
}

void MoxPertController::OnDocumentChange(KivBaseUnknown*, KivNotification* n, void*) {
  auto* change = dynamic_cast<KivSPPActivityNotification*>(n);
  if (!change) return;
  KivBaseUnknown_var father(KivIdentity(change->GetFather()));
  if (!father) return;
  if (change->GetNotificationKind() == SPPActivityDeleted) {
    RemovePertNode(father);
    known_.erase(father.get());
    return;
  }
  if (change->GetNotificationKind() != SPPDataModified) return;
  // New children of the level, or of a super node drawn expanded.
  NodeEntry* entry = Find(father.get());
  const bool isLevel = father.get() == KivIdentity(root_.get());
  if (isLevel || (entry && entry->expanded)) {
    KivListValKivBaseUnknown_var added;
    for (const auto& child : MoxPertNodeAccess::Children(father.get())) {
      KivBaseUnknown* impl = KivIdentity(child.get());
      if (!impl || known_.count(impl)) continue;
      known_[impl] = KivBaseUnknown_var(impl);
      if (Find(impl)) continue;
      DrawNode(KivBaseUnknown_var(impl), isLevel ? nullptr : father.get(), &added);
    }
    for (const auto& node : added)
      if (NodeEntry* e = Find(node.get())) DrawLinksOf(*e);
    // The window gives the new nodes what it gives every node it shows.
    for (const auto& node : added) SendAppInfoNotify(node.get(), MoxPertAppInfoNotify::kAttach);
  }
  if ((entry = Find(father.get()))) RefreshPertNode(father, 1);
}

MoxPertController::~MoxPertController() {
  auto& live = LiveControllers();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
  StopListening();
  EraseAllNodes();
  if (viewer_) viewer_->GetRootBag()->RemoveChild(chart_.get());
}

MoxPertController::NodeEntry* MoxPertController::Find(KivBaseUnknown* impl) const {
  auto it = index_.find(impl);
  return it == index_.end() ? nullptr : it->second;
}

HRESULT MoxPertController::AddPertNode(const KivBaseUnknown_var& node) {
  KivBaseUnknown* impl = KivIdentity(node.get());
  if (!impl) return E_FAIL;
  if (Find(impl)) return S_FALSE;
  KivPertNodeData data;
  if (!MoxPertNodeAccess::Read(impl, data)) return E_FAIL;
  DrawNode(KivBaseUnknown_var(impl), nullptr, nullptr);
  return S_OK;
}

MoxPertController::NodeEntry* MoxPertController::DrawNode(
    const KivBaseUnknown_var& node, KivBaseUnknown* drawnInside,
    KivListValKivBaseUnknown_var* newlyDrawn) {
  auto owned = std::make_unique<NodeEntry>();
  NodeEntry& entry = *owned;
  entry.node = node;
  entry.impl = node.get();
  entry.inside = drawnInside;
  entry.bag = KivMake<Kiv2DBagRep>();
  entry.bag->SetModelObject(entry.impl);
  nodes_.push_back(std::move(owned));
  index_[entry.impl] = &entry;
  if (NodeEntry* outer = Find(drawnInside)) outer->inner.push_back(&entry);
  if (newlyDrawn) newlyDrawn->Append(node);

  entry.expanded = MoxPertNodeAccess::EffectiveState(entry.impl) == 1;
  PlaceInLayer(entry);
  DrawBox(entry);
  GrowGrid(entry.impl);

  entry.owner = this;
  entry.bag->SetManipulatorSource(&entry);

  if (entry.expanded) {
    RememberChildren(entry.impl);
    KivListValKivBaseUnknown_var children = MoxPertNodeAccess::Children(entry.impl);
    for (const auto& child : children)
      if (child && !Find(KivIdentity(child.get())))
        DrawNode(KivBaseUnknown_var(KivIdentity(child.get())), entry.impl, newlyDrawn);
    for (const auto& child : children)
      if (NodeEntry* c = Find(KivIdentity(child.get()))) DrawLinksOf(*c);
  }
  return &entry;
}

void MoxPertController::PlaceInLayer(NodeEntry& entry) {
  Kiv2DBagRep* wanted = entry.expanded ? frames_.get() : boxes_.get();
  Kiv2DBagRep* current = entry.bag->GetFather();
  if (current == wanted) return;
  if (current) current->RemoveChild(entry.bag.get());
  wanted->AddChild(entry.bag);
}

void MoxPertController::DrawBox(NodeEntry& entry) {
  ++entry.drawCount;
  Kiv2DBagRep* bag = entry.bag.get();
  bag->RemoveAllChildren();
  KivPertNodeData data;
  if (!MoxPertNodeAccess::Read(entry.impl, data)) return;
  const KivString type = MoxPertNodeAccess::TypeName(entry.impl);
  const KivUnicodeString label = MoxPertNodeAccess::Label(entry.impl);
  const int border = entry.highlighted ? kHighlightColor : kBorderColor;
  const int thickness = entry.highlighted ? kHighlightThickness : kBorderThickness;

  if (entry.expanded) {
    // A frame around the children, in world coordinates, its label in the
    // band at its top.
    const Kiv2DBoundingBox box = MoxPertNodeAccess::DrawnBox(entry.impl);
    entry.baseX = entry.baseY = 0.0f;
    bag->SetMatrix(Kiv3x3Matrix::Translation(0.0, 0.0));
    if (auto* frame =
            AddNew<Kiv2DPolygonRep>(bag, Rectangle(box.xmin, box.ymin, box.xmax, box.ymax))) {
      frame->SetFill(true);
      frame->SetFillColor(kFrameFill);
      frame->SetColor(border);
      frame->SetThickness(thickness);
    }
    if (auto* text = AddNew<Kiv2DCustomRep>(bag)) {
      const float room = box.Width() - 2.0f * kLabelPadding;
      text->AddPrimitive(std::make_unique<Kiv2DTextPrimitive>(
          KivMathPoint2Df(box.xmin + kLabelPadding,
                          box.ymax - MoxPertNodeAccess::kSuperNodeHeader + 0.7f),
          FitText(
              label + KivUnicodeString("  (") + MoxPertShortTypeName(type) + KivUnicodeString(")"),
              kLabelHeight, room),
          kLabelHeight, kTextColor));
    }
    return;
  }

  entry.baseX = static_cast<float>(data.x);
  entry.baseY = static_cast<float>(data.y);
  bag->SetMatrix(Kiv3x3Matrix::Translation(data.x, data.y));
  const float hw = static_cast<float>(data.width / 2.0);
  const float hh = static_cast<float>(data.height / 2.0);
  if (MoxPertNodeAccess::EffectiveState(entry.impl, data) == 2) {
    // A collapsed super node looks like a stack of boxes.
    if (auto* shadow =
            AddNew<Kiv2DPolygonRep>(bag, Rectangle(-hw + kShadowOffset, -hh - kShadowOffset,
                                                   hw + kShadowOffset, hh - kShadowOffset))) {
      shadow->SetFill(true);
      shadow->SetFillColor(kShadowFill);
      shadow->SetColor(kBorderColor);
      shadow->SetThickness(kBorderThickness);
    }
  }
  if (auto* box = AddNew<Kiv2DPolygonRep>(bag, Rectangle(-hw, -hh, hw, hh))) {
    box->SetFill(true);
    box->SetFillColor(MoxPertNodeFillColor(type));
    box->SetColor(border);
    box->SetThickness(thickness);
  }
  if (auto* text = AddNew<Kiv2DCustomRep>(bag)) {
    const float room = 2.0f * hw - 2.0f * kLabelPadding;
    auto centred = [&](const KivUnicodeString& line, float height, float baseline, int color) {
      const float width = KivTextMetric::Width(line, height);
      text->AddPrimitive(std::make_unique<Kiv2DTextPrimitive>(
          KivMathPoint2Df(-width / 2.0f, baseline), line, height, color));
    };
    if (MoxPertNodeAccess::IsControlNode(entry.impl)) {
      // Start and Stop: one word, centred.
      centred(FitText(label, kLabelHeight, room), kLabelHeight,
              (KivTextMetric::kDescentPerHeight - 0.5f) * kLabelHeight, kTextColor);
    } else {
      // The name on one or two lines, the activity type under it.
      const std::vector<KivUnicodeString> lines = WrapText(label, kLabelHeight, room);
      const float typeBaseline = lines.size() > 1 ? -2.9f : -2.2f;
      if (lines.size() > 1) {
        centred(lines[0], kLabelHeight, 1.4f, kTextColor);
        centred(lines[1], kLabelHeight, -0.6f, kTextColor);
      } else if (!lines.empty()) {
        centred(lines[0], kLabelHeight, 0.2f, kTextColor);
      }
      centred(FitText(MoxPertShortTypeName(type) + CycleTimeText(entry.impl), kTypeHeight, room),
              kTypeHeight, typeBaseline, kTypeTextColor);
    }
  }
}

Kiv2DManipulator* MoxPertController::MakeNodeManipulator(NodeEntry& entry) {
  if (entry.manipulator) return entry.manipulator.get();
  entry.manipulator = KivVar<Kiv2DManipulator>::Adopt(
      new Kiv2DManipulator(this, "PertNodeManip", entry.bag.get(), 1));
  entry.activateCallback = AddAnalyseNotificationCB(
      entry.manipulator.get(), KivManipulator::GetKivActivate(),
      [this](KivCommand* s, KivNotification* n, void* d) { OnNodeActivate(s, n, d); }, entry.impl);
  if (moveCallbacksOn_ && viewerMode_ == 1) AddMoveCallbacks(entry);
  return entry.manipulator.get();
}

void MoxPertController::AddMoveCallbacks(NodeEntry& entry) {
  if (!entry.manipulator || entry.manipulateCallback) return;
  entry.manipulateCallback = AddAnalyseNotificationCB(
      entry.manipulator.get(), KivManipulator::GetKivManipulate(),
      [this](KivCommand* s, KivNotification* n, void* d) { OnNodeManipulate(s, n, d); },
      entry.impl);
  entry.endCallback = AddAnalyseNotificationCB(
      entry.manipulator.get(), KivManipulator::GetKivEndManipulate(),
      [this](KivCommand* s, KivNotification* n, void* d) { OnNodeEndManipulate(s, n, d); },
      entry.impl);
}

void MoxPertController::RemoveMoveCallbacks(NodeEntry& entry) {
  if (entry.manipulateCallback) RemoveAnalyseNotificationCB(entry.manipulateCallback);
  if (entry.endCallback) RemoveAnalyseNotificationCB(entry.endCallback);
  entry.manipulateCallback = entry.endCallback = 0;
}

std::vector<MoxPertController::NodeEntry*> MoxPertController::EntriesInside(
    KivBaseUnknown* impl) const {
  std::vector<NodeEntry*> found;
  NodeEntry* start = Find(impl);
  if (!start) return found;
  found = start->inner;
  for (std::size_t i = 0; i < found.size(); ++i)
    found.insert(found.end(), found[i]->inner.begin(), found[i]->inner.end());
  return found;
}

void MoxPertController::EraseNode(KivBaseUnknown* impl) {
  NodeEntry* entry = Find(impl);
  if (!entry) return;
  // The nodes drawn inside go first; each takes its own inner nodes along.
  std::vector<KivBaseUnknown*> inner;
  for (NodeEntry* e : entry->inner) inner.push_back(e->impl);
  for (KivBaseUnknown* i : inner) EraseNode(i);
  entry = Find(impl);
  if (!entry) return;
  EraseLinksOf(impl);
  entry->bag->SetManipulatorSource(nullptr);
  if (entry->activateCallback) RemoveAnalyseNotificationCB(entry->activateCallback);
  RemoveMoveCallbacks(*entry);
  if (entry->manipulator) entry->manipulator->RemoveAllRepsToManipulate();
  if (Kiv2DBagRep* layer = entry->bag->GetFather()) layer->RemoveChild(entry->bag.get());
  if (NodeEntry* outer = Find(entry->inside))
    outer->inner.erase(std::remove(outer->inner.begin(), outer->inner.end(), entry),
                       outer->inner.end());
  index_.erase(impl);
  // From the back: emptying a chart erases its last nodes first.
  auto it = std::find_if(nodes_.rbegin(), nodes_.rend(),
                         [impl](const auto& e) { return e->impl == impl; });
  if (it != nodes_.rend()) nodes_.erase(std::next(it).base());
}

void MoxPertController::EraseLinksOf(KivBaseUnknown* impl) {
  NodeEntry* entry = Find(impl);
  if (!entry) return;
  const auto keys = std::move(entry->links);
  entry->links.clear();
  for (const auto& key : keys) {
    auto it = links_.find(key);
    if (it == links_.end()) continue;
    linkLayer_->RemoveChild(it->second->bag.get());
    links_.erase(it);
    KivBaseUnknown* other = key.first == impl ? key.second : key.first;
    if (NodeEntry* o = Find(other)) o->links.erase(key);
  }
}

HRESULT MoxPertController::BuildLinks(const KivBaseUnknown_var& node, int flag) {
  NodeEntry* entry = Find(KivIdentity(node.get()));
  if (!entry) return E_FAIL;
  if (!linkFlag_) return S_FALSE;
  if (flag == 1) EraseLinksOf(entry->impl);
  DrawLinksOf(*entry);
  return S_OK;
}

void MoxPertController::DrawLinksOf(NodeEntry& entry) {
  if (!linkFlag_) return;
  KivISPPFlowMgt_var flow(entry.impl);
  if (!flow) return;
  // Only links to nodes drawn on the same level: a link that leaves the
  // level has no second box to point at.
  auto sameLevel = [&](KivBaseUnknown* other) {
    NodeEntry* o = Find(other);
    return o && o->inside == entry.inside && o != &entry;
  };
  if (KivSPPList next = flow->NextActivities("")) {
    for (const auto& n : *next)
      if (sameLevel(KivIdentity(n.get()))) DrawLink(entry.impl, KivIdentity(n.get()));
  }
  if (KivSPPList previous = flow->PreviousActivities("")) {
    for (const auto& p : *previous)
      if (sameLevel(KivIdentity(p.get()))) DrawLink(KivIdentity(p.get()), entry.impl);
  }
}

void MoxPertController::DrawLink(KivBaseUnknown* from, KivBaseUnknown* to) {
  const auto key = std::make_pair(from, to);
  if (links_.count(key)) return;
  const Kiv2DBoundingBox a = MoxPertNodeAccess::DrawnBox(from);
  const Kiv2DBoundingBox b = MoxPertNodeAccess::DrawnBox(to);
  if (a.IsEmpty() || b.IsEmpty()) return;
  const KivMathPoint2Df ca{(a.xmin + a.xmax) / 2.0f, (a.ymin + a.ymax) / 2.0f};
  const KivMathPoint2Df cb{(b.xmin + b.xmax) / 2.0f, (b.ymin + b.ymax) / 2.0f};
  KivMathPoint2Df start = ExitPoint(a, cb);
  KivMathPoint2Df end = ExitPoint(b, ca);
  if (linkClearance_ > 0.0f) {
    // Kept only while the link still runs from the source towards the target.
    const KivMathPoint2Df clearStart = ExitPoint(Grown(a, linkClearance_), cb);
    const KivMathPoint2Df clearEnd = ExitPoint(Grown(b, linkClearance_), ca);
    const KivMathVector2Df along = cb - ca;
    const KivMathVector2Df rest = clearEnd - clearStart;
    if (rest.x * along.x + rest.y * along.y > 0.0f) {
      start = clearStart;
      end = clearEnd;
    }
  }

  auto link = std::make_unique<LinkEntry>();
  link->bag = KivMake<Kiv2DBagRep>();
  link->bag->SetColor(kLinkColor);
  AddNew<Kiv2DLineRep>(link->bag.get(), start, end);
  const KivMathVector2Df d = end - start;
  const float length = d.Norm();
  if (length > 0.0f) {
    const KivMathVector2Df u = d * (1.0f / length);
    const KivMathVector2Df n{-u.y, u.x};
    const KivMathPoint2Df back = end + u * (-std::min(kArrowLength, length));
    if (auto* head = AddNew<Kiv2DPolygonRep>(
            link->bag.get(), std::vector<KivMathPoint2Df>{end, back + n * kArrowHalfWidth,
                                                          back + n * (-kArrowHalfWidth)})) {
      head->SetFill(true);
      head->SetFillColor(kLinkColor);
    }
  }
  linkLayer_->AddChild(link->bag);
  ++linkDraws_;
  links_[key] = std::move(link);
  if (NodeEntry* f = Find(from)) f->links.insert(key);
  if (NodeEntry* t = Find(to)) t->links.insert(key);
}

void MoxPertController::SetLinkClearance(float units) {
  const float clearance = std::max(0.0f, units);
  if (clearance == linkClearance_) return;
  linkClearance_ = clearance;
  for (const auto& entry : nodes_) {
    EraseLinksOf(entry->impl);
    DrawLinksOf(*entry);
  }
}

HRESULT MoxPertController::RefreshPertNode(const KivBaseUnknown_var& node, int flag) {
  NodeEntry* entry = Find(KivIdentity(node.get()));
  if (!entry) return E_FAIL;
  if (batchDepth_ > 0) {
    if (entry->pendingFlag < 0) pending_.push_back(entry->impl);
    entry->pendingFlag = std::max(entry->pendingFlag, flag);
    return S_OK;
  }
  entry->dragging = false;
  entry->expanded = MoxPertNodeAccess::EffectiveState(entry->impl) == 1;
  PlaceInLayer(*entry);
  std::vector<NodeEntry*> inner = EntriesInside(entry->impl);
  // Inner nodes first: the frame of an expanded node encloses them.
  for (auto it = inner.rbegin(); it != inner.rend(); ++it) DrawBox(**it);
  DrawBox(*entry);
  if (flag == 1) {
    EraseLinksOf(entry->impl);
    DrawLinksOf(*entry);
    for (NodeEntry* e : inner) {
      EraseLinksOf(e->impl);
      DrawLinksOf(*e);
    }
  }
  RedrawEnclosingSuperNodes(*entry);
  GrowGrid(entry->impl);
  for (NodeEntry* outer = Find(entry->inside); outer; outer = Find(outer->inside))
    GrowGrid(outer->impl);
  return S_OK;
}

void MoxPertController::RedrawEnclosingSuperNodes(NodeEntry& entry) {
  for (NodeEntry* outer = Find(entry.inside); outer; outer = Find(outer->inside)) {
    DrawBox(*outer);
    EraseLinksOf(outer->impl);
    DrawLinksOf(*outer);
  }
}

HRESULT MoxPertController::RemovePertNode(const KivBaseUnknown_var& node) {
  KivBaseUnknown* impl = KivIdentity(node.get());
  NodeEntry* entry = Find(impl);
  if (!entry) return S_FALSE;
  KivBaseUnknown* inside = entry->inside;
  EraseNode(impl);
  if (NodeEntry* outer = Find(inside)) RefreshPertNode(outer->node, 1);
  UpdateGrid();
  return S_OK;
}

void MoxPertController::RemoveAllPertNodes() {
  EraseAllNodes();
  UpdateGrid();
}

void MoxPertController::EraseAllNodes() {
  for (auto& entry : nodes_) {
    entry->bag->SetManipulatorSource(nullptr);
    if (entry->activateCallback) RemoveAnalyseNotificationCB(entry->activateCallback);
    RemoveMoveCallbacks(*entry);
    if (entry->manipulator) entry->manipulator->RemoveAllRepsToManipulate();
  }
  // The layers hold nothing but the chart's node and link bags.
  frames_->RemoveAllChildren();
  linkLayer_->RemoveAllChildren();
  boxes_->RemoveAllChildren();
  links_.clear();
  index_.clear();
  pending_.clear();
  // Last drawn first, as the node-by-node erasing did.
  while (!nodes_.empty()) nodes_.pop_back();
}

int MoxPertController::GetNodeDrawCount(const KivBaseUnknown_var& node) const {
  NodeEntry* entry = Find(KivIdentity(node.get()));
  return entry ? entry->drawCount : 0;
}

MoxPertController::RedrawBatch::RedrawBatch(MoxPertController* controller)
    : controller_(controller) {
  if (controller_) ++controller_->batchDepth_;
}

MoxPertController::RedrawBatch::~RedrawBatch() {
  if (controller_ && --controller_->batchDepth_ == 0) controller_->DrawPending();
}

void MoxPertController::DrawPending() {
  // Boxes are drawn from the document, not from each other, so one pass in
  // any order gives what refreshing node by node gave.
  std::vector<NodeEntry*> drawn;
  std::vector<NodeEntry*> relinked;
  std::set<NodeEntry*> seen;
  std::set<NodeEntry*> seenLinks;
  auto take = [&](NodeEntry* e, bool links) {
    if (seen.insert(e).second) drawn.push_back(e);
    if (links && seenLinks.insert(e).second) relinked.push_back(e);
  };
  const std::vector<KivBaseUnknown*> pending = std::move(pending_);
  pending_.clear();
  for (KivBaseUnknown* impl : pending) {
    NodeEntry* entry = Find(impl);
    if (!entry || entry->pendingFlag < 0) continue;
    const bool links = entry->pendingFlag == 1;
    entry->pendingFlag = -1;
    entry->dragging = false;
    entry->expanded = MoxPertNodeAccess::EffectiveState(entry->impl) == 1;
    PlaceInLayer(*entry);
    take(entry, links);
    for (NodeEntry* inner : EntriesInside(entry->impl)) take(inner, links);
  }
  // The super nodes around them enclose them again, links and all.
  const std::size_t refreshed = drawn.size();
  for (std::size_t i = 0; i < refreshed; ++i)
    for (NodeEntry* outer = Find(drawn[i]->inside); outer; outer = Find(outer->inside))
      take(outer, true);
  for (NodeEntry* e : drawn) DrawBox(*e);
  for (NodeEntry* e : relinked) EraseLinksOf(e->impl);
  for (NodeEntry* e : relinked) DrawLinksOf(*e);
  Kiv2DBoundingBox grown;
  for (NodeEntry* e : drawn) grown.Extend(MoxPertNodeAccess::DrawnBox(e->impl));
  MoxPertClientVisuServices::ExtendGrid(viewer_.get(), grown);
}

HRESULT MoxPertController::ResetPertNodeState(const KivBaseUnknown_var& node) {
  NodeEntry* entry = Find(KivIdentity(node.get()));
  if (!entry) return E_FAIL;
  entry->highlighted = false;
  if (entry->manipulator) entry->manipulator->ResetAxis();
  return RefreshPertNode(entry->node, 1);
}

void MoxPertController::RemoveNodeManipCmdCB() {
  moveCallbacksOn_ = false;
  for (auto& entry : nodes_) RemoveMoveCallbacks(*entry);
}

HRESULT MoxPertController::SetNodeHighlight(const KivBaseUnknown_var& node, bool on) {
  NodeEntry* entry = Find(KivIdentity(node.get()));
  if (!entry) return E_FAIL;
  if (entry->highlighted == on) return S_FALSE;
  entry->highlighted = on;
  DrawBox(*entry);
  return S_OK;
}

bool MoxPertController::IsNodeDrawn(const KivBaseUnknown_var& node) const {
  return Find(KivIdentity(node.get())) != nullptr;
}

KivListValKivBaseUnknown_var MoxPertController::GetDrawnNodes() const {
  KivListValKivBaseUnknown_var out;
  out.Reserve(static_cast<int>(nodes_.size()));
  for (const auto& e : nodes_)
    if (!e->inside) out.Append(e->node);
  for (const auto& e : nodes_)
    if (e->inside) out.Append(e->node);
  return out;
}

Kiv2DBagRep* MoxPertController::GetNodeRep(const KivBaseUnknown_var& node) const {
  NodeEntry* entry = Find(KivIdentity(node.get()));
  return entry ? entry->bag.get() : nullptr;
}

Kiv2DManipulator* MoxPertController::GetNodeManipulator(const KivBaseUnknown_var& node) const {
  NodeEntry* entry = Find(KivIdentity(node.get()));
  return entry ? const_cast<MoxPertController*>(this)->MakeNodeManipulator(*entry) : nullptr;
}

KivBaseUnknown_var MoxPertController::FindNodeOfRep(const void* rep) const {
  // A node's bag carries the node as its model object.
  for (const KivRep* r = static_cast<const KivRep*>(rep); r; r = r->GetFatherRep())
    if (NodeEntry* e = Find(r->GetModelObject());
        e && static_cast<const KivRep*>(e->bag.get()) == r)
      return e->node;
  return {};
}

bool MoxPertController::IsNodeDrawnAnywhere(KivBaseUnknown* node) {
  KivBaseUnknown* impl = KivIdentity(node);
  for (MoxPertController* c : LiveControllers())
    if (c->Find(impl)) return true;
  return false;
}

void MoxPertController::RefreshEverywhere(KivBaseUnknown* node, int flag) {
  KivBaseUnknown_var keep(node);
  // A copy: a refresh never creates or destroys controllers, but stay safe.
  const std::vector<MoxPertController*> live = LiveControllers();
  for (MoxPertController* c : live)
    if (c->Find(KivIdentity(node))) c->RefreshPertNode(keep, flag);
}

HRESULT MoxPertController::ShowChildren(const KivBaseUnknown_var& superNode) {
  NodeEntry* entry = Find(KivIdentity(superNode.get()));
  if (!entry) return E_FAIL;
  if (!EntriesInside(entry->impl).empty()) return S_FALSE;
  MoxPertClientVisuServices::SetChildPertPositions(entry->node, 1);
  KivBaseUnknown* outer = entry->impl;
  RememberChildren(outer);
  KivListValKivBaseUnknown_var drawn;
  KivListValKivBaseUnknown_var children = MoxPertNodeAccess::Children(outer);
  for (const auto& child : children)
    if (child && !Find(KivIdentity(child.get())))
      DrawNode(KivBaseUnknown_var(KivIdentity(child.get())), outer, &drawn);
  for (const auto& child : children)
    if (NodeEntry* c = Find(KivIdentity(child.get()))) DrawLinksOf(*c);
  if (NodeEntry* e = Find(outer)) RefreshPertNode(e->node, 1);
  for (const auto& node : drawn) SendAppInfoNotify(node.get(), MoxPertAppInfoNotify::kAttach);
  return drawn.IsEmpty() ? S_FALSE : S_OK;
}

HRESULT MoxPertController::HideChildren(const KivBaseUnknown_var& superNode) {
  NodeEntry* entry = Find(KivIdentity(superNode.get()));
  if (!entry) return E_FAIL;
  KivListValKivBaseUnknown_var hidden;
  for (NodeEntry* inner : EntriesInside(entry->impl)) hidden.Append(inner->node);
  if (hidden.IsEmpty()) return S_FALSE;
  for (const auto& node : hidden) EraseNode(node.get());
  if (NodeEntry* e = Find(KivIdentity(superNode.get()))) RefreshPertNode(e->node, 1);
  for (const auto& node : hidden) SendAppInfoNotify(node.get(), MoxPertAppInfoNotify::kRemove);
  return S_OK;
}

void MoxPertController::ShowDragOffset(NodeEntry& entry, float dx, float dy) {
  entry.bag->SetMatrix(Kiv3x3Matrix::Translation(entry.baseX + dx, entry.baseY + dy));
  for (NodeEntry* inner : EntriesInside(entry.impl))
    inner->bag->SetMatrix(Kiv3x3Matrix::Translation(inner->baseX + dx, inner->baseY + dy));
}

void MoxPertController::OnNodeActivate(KivCommand*, KivNotification*, void* data) {
  NodeEntry* entry = Find(static_cast<KivBaseUnknown*>(data));
  if (!entry) return;
  KivBaseUnknown_var node = entry->node;
  for (auto& e : nodes_)
    if (e.get() != entry && e->highlighted) {
      e->highlighted = false;
      DrawBox(*e);
    }
  SetNodeHighlight(node, true);
  // The path of the node's parents down from the document's root activity.
  KivListValKivBaseUnknown_var rootToLeaf;
  for (KivBaseUnknown_var n = node; n; n = MoxPertNodeAccess::Parent(n.get()))
    rootToLeaf.InsertAt(1, n);
  auto path = KivMake<KivPathElement>(rootToLeaf);
  // A command waiting for picks gets the clicked node, as a pick; otherwise
  // (or when it does not take it) the click selects the node in the current
  // editor.
  if (KivStateCommand* command = KivCommandStarter::GetActiveStateCommand()) {
    KivStateCommand_var keep(command);
    if (command->OfferPicks(KivListValKivBaseUnknown_var{KivBaseUnknown_var(path.get())}) > 0)
      return;
  }
  if (KivCSO* cso = KivCSO::GetCurrent()) {
    cso->Empty();
    cso->AddElement(path.get());
  }
}

void MoxPertController::OnNodeManipulate(KivCommand* sender, KivNotification*, void* data) {
  NodeEntry* entry = Find(static_cast<KivBaseUnknown*>(data));
  auto* manipulator = dynamic_cast<Kiv2DManipulator*>(sender);
  if (!entry || !manipulator) return;
  entry->dragging = true;
  const KivMathPoint2Df offset = manipulator->GetCurrentAxis().GetOrigin();
  ShowDragOffset(*entry, offset.x, offset.y);
}

void MoxPertController::OnNodeEndManipulate(KivCommand* sender, KivNotification*, void* data) {
  NodeEntry* entry = Find(static_cast<KivBaseUnknown*>(data));
  auto* manipulator = dynamic_cast<Kiv2DManipulator*>(sender);
  if (!entry || !manipulator) return;
  KivBaseUnknown_var node = entry->node;
  const KivMathPoint2Df offset = manipulator->GetCurrentAxis().GetOrigin();
  manipulator->ResetAxis();
  entry->dragging = false;
  MoxIPertNode_var pertNode(node.get());
  double x = 0.0, y = 0.0;
  if (!pertNode || FAILED(pertNode->GetPosition(x, y, 0)) ||
      (offset.x == 0.0f && offset.y == 0.0f)) {
    RefreshPertNode(node, 1);
    return;
  }
  x += offset.x;
  y += offset.y;
  MoxPertClientVisuServices::CalculateSnapPositionInPert(x, y, 1, node);
  // Stores the place (the node's children follow) and redraws every chart
  // that shows the node.
  pertNode->SetPosition(x, y, 1);
  RefreshPertNode(node, 1);
  // Everything whose place or box changed tells its listeners: the node,
  // the nodes drawn inside it and the super nodes drawn around it. The list
  // is made first: a listener may redraw the chart.
  KivListValKivBaseUnknown_var changed;
  changed.Append(node);
  if (NodeEntry* moved = Find(node.get())) {
    for (NodeEntry* inner : EntriesInside(moved->impl)) changed.Append(inner->node);
    for (NodeEntry* outer = Find(moved->inside); outer; outer = Find(outer->inside))
      changed.Append(outer->node);
  }
  for (const auto& n : changed) SendPositionNotify(n.get());
}

void MoxPertController::UpdateGrid() { MoxPertClientVisuServices::UpdateGrid(viewer_.get()); }

void MoxPertController::GrowGrid(KivBaseUnknown* impl) {
  MoxPertClientVisuServices::ExtendGrid(viewer_.get(), MoxPertNodeAccess::DrawnBox(impl));
}
