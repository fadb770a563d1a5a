#include "KivViewer.h"

#include <algorithm>

#include "KivHitTest.h"
#include "KivManipulatorNotification.h"
#include "KivVisManager.h"

KivViewer::KivViewer(const KivString& name, int style, int width, int height)
    : name_(name),
      style_(style),
      width_(std::max(1, width)),
      height_(std::max(1, height)),
      root_(KivMake<Kiv2DBagRep>()),
      viewpoint_(KivMake<Kiv2DViewpoint>(width_, height_)),
      events_(KivMake<KivEventPublisher>()) {
  KivVisManager::GetVisManager()->RegisterViewer(this);
}

KivViewer::~KivViewer() { KivVisManager::GetVisManager()->UnregisterViewer(this); }

void KivViewer::SetGraphicSize(int width, int height) {
  width_ = std::max(1, width);
  height_ = std::max(1, height);
  viewpoint_->SetWindowSize(width_, height_);
}

HRESULT KivViewer::AttachRegistry(KivVis2DRegistry* registry) {
  if (!registry) return E_FAIL;
  for (const auto& r : registries_)
    if (r.get() == registry) return E_FAIL;
  registries_.emplace_back(registry);
  Kiv2DRep::TouchScene();
  return S_OK;
}

HRESULT KivViewer::DetachRegistry(KivVis2DRegistry* registry) {
  auto it = std::find_if(registries_.begin(), registries_.end(),
                         [registry](const auto& r) { return r.get() == registry; });
  if (!registry || it == registries_.end()) return E_FAIL;
  registries_.erase(it);
  Kiv2DRep::TouchScene();
  return S_OK;
}

std::vector<KivDrawItem> KivViewer::CollectScene() const {
  std::vector<KivDrawItem> items;
  const Kiv3x3Matrix identity;
  const KivGraphicAttributes defaults = KivGraphicAttributes::Defaults();
  root_->CollectDrawItems(items, identity, defaults);
  for (const auto& registry : registries_)
    for (const auto& model : registry->GetModels())
      if (Kiv2DRep* rep = model->GetRep()) rep->CollectDrawItems(items, identity, defaults);
  return items;
}

Kiv2DBoundingBox KivViewer::GetSceneBounds() const {
  // The same walk as CollectScene, each leaf's items dropped once measured.
  Kiv2DBoundingBox framed, all;
  std::vector<KivDrawItem> scratch;
  const Kiv3x3Matrix identity;
  const KivGraphicAttributes defaults = KivGraphicAttributes::Defaults();
  root_->ExtendSceneBounds(framed, all, identity, defaults, true, scratch);
  for (const auto& registry : registries_)
    for (const auto& model : registry->GetModels())
      if (Kiv2DRep* rep = model->GetRep())
        rep->ExtendSceneBounds(framed, all, identity, defaults, true, scratch);
  return framed.IsEmpty() ? all : framed;
}

Kiv2DBoundingBox KivViewer::FramingBounds(const std::vector<KivDrawItem>& items) {
  Kiv2DBoundingBox framed, all;
  for (const auto& item : items)
    for (const auto& p : item.outline) {
      all.Extend(p);
      if (item.framed) framed.Extend(p);
    }
  return framed.IsEmpty() ? all : framed;
}

std::vector<KivVar<Kiv2DRep>> KivViewer::PickAll(float x, float y, float tolerance) const {
  const std::vector<KivDrawItem> items = CollectScene();
  std::vector<KivVar<Kiv2DRep>> picked;
  const KivMathPoint2Df point(x, y);
  for (auto it = items.rbegin(); it != items.rend(); ++it) {
    if (!KivHitTest(*it, point, tolerance)) continue;
    auto* rep = const_cast<Kiv2DRep*>(it->source);
    if (std::none_of(picked.begin(), picked.end(), [rep](const auto& p) { return p.get() == rep; }))
      picked.emplace_back(rep);
  }
  return picked;
}

void KivViewer::Draw() {
  ++redraws_;
  drawnGeneration_ = Kiv2DRep::SceneGeneration();
  everDrawn_ = true;
}

bool KivViewer::NeedsRedraw() const {
  return !everDrawn_ || drawnGeneration_ != Kiv2DRep::SceneGeneration();
}

void KivViewer::InitialSetup() {
  background_[0] = background_[1] = background_[2] = 1.0f;
  viewpoint_->Frame(GetSceneBounds());
  setUp_ = true;
}

void KivViewer::ResetViewpoint() {
  viewpoint_->Frame(GetSceneBounds());
  Draw();
}

HRESULT KivViewer::SetBackgroundColor(float r, float g, float b, int redraw) {
  background_[0] = std::clamp(r, 0.0f, 1.0f);
  background_[1] = std::clamp(g, 0.0f, 1.0f);
  background_[2] = std::clamp(b, 0.0f, 1.0f);
  if (redraw) Draw();
  return S_OK;
}

void KivViewer::GetBackgroundColor(float& r, float& g, float& b) const {
  r = background_[0];
  g = background_[1];
  b = background_[2];
}

KivManipulator* KivViewer::ManipulatorAt(float x, float y) const {
  for (const auto& rep : PickAll(x, y))
    if (KivManipulator* m = rep->GetManipulator()) return m;
  return nullptr;
}

bool KivViewer::Click(float x, float y) {
  KivVar<KivManipulator> target(ManipulatorAt(x, y));
  if (!target) return false;
  target->Click(this, {x, y});
  return true;
}

bool KivViewer::DragStart(float x, float y) {
  if (grabber_) DragEnd(x, y);  // a press without release ends the previous drag first
  grabber_ = ManipulatorAt(x, y);
  if (!grabber_) return false;
  grabber_->BeginDrag(this, {x, y});
  return true;
}

bool KivViewer::DragStep(float x, float y) {
  if (!grabber_) return false;
  KivVar<KivManipulator> keep = grabber_;
  keep->DragTo(this, {x, y});
  return true;
}

bool KivViewer::DragEnd(float x, float y) {
  if (!grabber_) return false;
  KivVar<KivManipulator> released = std::move(grabber_);
  grabber_ = NULL_var;
  released->EndDrag(this, {x, y});
  return true;
}

void KivViewer::MoveTo(float x, float y) {
  KivVar<KivManipulator> under(ManipulatorAt(x, y));
  if (under == hovered_) return;
  KivVar<KivManipulator> left = std::move(hovered_);
  hovered_ = under;
  if (left) left->Leave(this, {x, y});
  if (under) under->Enter(this, {x, y});
}

int KivViewer::ContextMenu(float x, float y, KivBaseUnknown* menu) {
  int receivers = 0;
  if (KivVar<KivManipulator> target = ManipulatorAt(x, y))
    receivers += target->Context(this, {x, y}, menu);
  auto context = KivMake<KivContext>(nullptr, this, KivMathPoint2Df(x, y), menu);
  receivers += events_->Dispatch(context);
  return receivers;
}
