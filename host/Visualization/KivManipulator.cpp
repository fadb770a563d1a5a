#include "KivManipulator.h"

#include <algorithm>

#include "Kiv2DRep.h"
#include "KivManipulatorNotification.h"
#include "KivViewer.h"
#include "KivVisManager.h"

const char* KivManipulator::GetKivActivate() { return "KivActivateNotification"; }
const char* KivManipulator::GetKivManipulate() { return "KivManipulateNotification"; }
const char* KivManipulator::GetKivEndManipulate() { return "KivEndManipulateNotification"; }
const char* KivManipulator::GetKivPreactivate() { return "KivPreactivateNotification"; }
const char* KivManipulator::GetKivEndPreactivate() { return "KivEndPreactivateNotification"; }
const char* KivManipulator::GetKivContext() { return "KivContext"; }

KivManipulator::KivManipulator(KivCommand* father, const KivString& name, int style)
    : KivCommand(father, name), style_(style) {}

KivManipulator::~KivManipulator() { RemoveAllRepsToManipulate(); }

KivViewer* KivManipulator::GetViewer() const {
  return KivVisManager::GetVisManager()->IsLiveViewer(viewer_) ? viewer_ : nullptr;
}

HRESULT KivManipulator::AddRepToManipulate(KivRep* rep) {
  if (!rep) return E_FAIL;
  KivVar<KivRep> keep(rep);  // the previous manipulator may hold the only reference
  if (rep->GetOwnManipulator() && rep->GetOwnManipulator() != this)
    rep->GetOwnManipulator()->RemoveRepToManipulate(rep);
  if (std::none_of(reps_.begin(), reps_.end(), [rep](const auto& r) { return r.get() == rep; }))
    reps_.emplace_back(rep);
  rep->AttachManipulator(this);
  return S_OK;
}

HRESULT KivManipulator::RemoveRepToManipulate(KivRep* rep) {
  auto it =
      std::find_if(reps_.begin(), reps_.end(), [rep](const auto& r) { return r.get() == rep; });
  if (!rep || it == reps_.end()) return E_FAIL;
  if (rep->GetOwnManipulator() == this) rep->AttachManipulator(nullptr);
  reps_.erase(it);  // may release the last reference to `rep`
  return S_OK;
}

void KivManipulator::RemoveAllRepsToManipulate() {
  std::vector<KivVar<KivRep>> reps;
  reps.swap(reps_);
  for (auto& rep : reps)
    if (rep->GetOwnManipulator() == this) rep->AttachManipulator(nullptr);
}

void KivManipulator::PickAllUnder(KivListValKivBaseUnknown_var& objects) const {
  KivViewer* viewer = GetViewer();
  if (!viewer) return;
  for (const auto& rep : viewer->PickAll(pointer_.x, pointer_.y)) {
    KivBaseUnknown* model = rep->FindModelObject();
    KivBaseUnknown_var object(model ? model : static_cast<KivBaseUnknown*>(rep.get()));
    if (objects.Locate(object) == 0) objects.Append(object);
  }
}

void KivManipulator::Track(KivViewer* viewer, const KivMathPoint2Df& at) {
  viewer_ = viewer;
  pointer_ = at;
}

int KivManipulator::Send(KivNotification* notification) {
  KivBaseUnknown_var keepNotification(notification);
  KivBaseUnknown_var keepThis(this);
  if (!GetFather()) return 0;
  return SendNotification(nullptr, notification);
}

int KivManipulator::Click(KivViewer* viewer, const KivMathPoint2Df& at) {
  Track(viewer, at);
  return Send(KivMake<KivActivateNotification>(this, viewer, at));
}

void KivManipulator::BeginDrag(KivViewer* viewer, const KivMathPoint2Df& at) {
  Track(viewer, at);
  dragging_ = true;
}

int KivManipulator::DragTo(KivViewer* viewer, const KivMathPoint2Df& at) {
  if (!dragging_) BeginDrag(viewer, at);
  const KivMathVector2Df delta = at - pointer_;
  Track(viewer, at);
  OnDragStep(delta);
  return Send(KivMake<KivManipulateNotification>(this, viewer, at));
}

int KivManipulator::EndDrag(KivViewer* viewer, const KivMathPoint2Df& at) {
  if (dragging_ && !(at == pointer_)) DragTo(viewer, at);
  Track(viewer, at);
  dragging_ = false;
  return Send(KivMake<KivEndManipulateNotification>(this, viewer, at));
}

int KivManipulator::Enter(KivViewer* viewer, const KivMathPoint2Df& at) {
  Track(viewer, at);
  return Send(KivMake<KivPreactivateNotification>(this, viewer, at));
}

int KivManipulator::Leave(KivViewer* viewer, const KivMathPoint2Df& at) {
  Track(viewer, at);
  return Send(KivMake<KivEndPreactivateNotification>(this, viewer, at));
}

int KivManipulator::Context(KivViewer* viewer, const KivMathPoint2Df& at, KivBaseUnknown* menu) {
  Track(viewer, at);
  return Send(KivMake<KivContext>(this, viewer, at, menu));
}
