#include "KivCCP_Actor.h"

#include "KivClipboard.h"
#include "KivISPPActivity.h"

KivCCP_Actor::KivCCP_Actor(int clipboardType, KivFrmEditor* editor)
    : clipboardType_(clipboardType), editor_(editor) {}

KivCCP_Actor::~KivCCP_Actor() = default;

bool KivCCP_Actor::Init() {
  initialised_ = clipboardType_ == 0 && editor_ && editor_->GetProcessDocument();
  return initialised_;
}

bool KivCCP_Actor::SetMode(int mode) {
  if (!initialised_ || (mode != CopyMode && mode != PasteMode)) return false;
  mode_ = mode;
  return true;
}

bool KivCCP_Actor::ReadSelection() {
  read_.RemoveAll();
  if (!initialised_ || mode_ != CopyMode) return false;
  KivProcessDocument* document = editor_->GetProcessDocument();
  for (const auto& element : editor_->GetCSO()->GetElements()) {
    KivPathElement* path = KivAsPathElement(element.get());
    KivISPPActivity_var activity = path ? path->GetLeaf() : nullptr;
    if (!activity || !activity->IsAttached()) continue;
    if (KivIdentity(activity->GetProcessDocument().get()) != KivIdentity(document)) continue;
    if (!read_.Locate(KivBaseUnknown_var(activity.get())))
      read_.Append(KivBaseUnknown_var(activity.get()));
  }
  return !read_.IsEmpty();
}

bool KivCCP_Actor::CanCopy() const { return initialised_ && mode_ == CopyMode && !read_.IsEmpty(); }

HRESULT KivCCP_Actor::Copy() {
  if (!CanCopy()) return E_FAIL;
  KivClipboard::Put(editor_->GetProcessDocument(), read_);
  return S_OK;
}

bool KivCCP_Actor::CanCut() const {
  if (!CanCopy()) return false;
  for (const auto& held : read_) {
    KivISPPActivity_var activity = held;
    if (!activity || !activity->ParentActivity()) return false;  // the root stays
  }
  return true;
}

HRESULT KivCCP_Actor::Cut() {
  if (!CanCut()) return E_FAIL;
  const KivListValKivBaseUnknown_var doomed = read_;
  const HRESULT hr = editor_->GetProcessDocument()->DeleteActivities(doomed);
  if (FAILED(hr)) return hr;
  read_.RemoveAll();
  // Deleted objects (and anything below them) must not stay selected.
  for (KivCSO* set : {editor_->GetCSO(), editor_->GetHSO(), editor_->GetPSO()}) {
    for (const auto& element : set->GetElements()) {
      KivPathElement* path = KivAsPathElement(element.get());
      for (int i = 1; path && i <= path->GetSize(); ++i) {
        KivISPPActivity_var activity = path->GetElement(i);
        if (activity && !activity->IsAttached()) {
          set->RemoveElement(path);
          break;
        }
      }
    }
  }
  return S_OK;
}

KivBaseUnknown* KivCCP_Actor::TargetActivity(KivPathElement* target) const {
  if (!target) return nullptr;
  KivISPPActivity_var activity = target->GetLeaf();
  if (!activity || !activity->IsAttached()) return nullptr;
  if (KivIdentity(activity->GetProcessDocument().get()) !=
      KivIdentity(editor_->GetProcessDocument()))
    return nullptr;
  return target->GetLeaf();
}

bool KivCCP_Actor::CanPaste(KivPathElement* target) const {
  if (!initialised_ || mode_ != PasteMode) return false;
  if (KivClipboard::GetDocument() != editor_->GetProcessDocument() || KivClipboard::IsEmpty())
    return false;
  KivBaseUnknown* where = TargetActivity(target);
  if (!where) return false;
  // Not into one of the copied activities or below one.
  const KivListValKivBaseUnknown_var copied = KivClipboard::GetActivities();
  for (KivISPPActivity_var up = where; up; up = up->ParentActivity())
    if (copied.Locate(KivBaseUnknown_var(up.get()))) return false;
  return true;
}

HRESULT KivCCP_Actor::Paste(KivPathElement* target) {
  pasted_.RemoveAll();
  if (!CanPaste(target)) return E_FAIL;
  KivListValKivBaseUnknown_var copies = editor_->GetProcessDocument()->CopyActivities(
      KivClipboard::GetActivities(), TargetActivity(target));
  if (copies.IsEmpty()) return E_FAIL;
  pasted_ = copies;
  KivListValKivBaseUnknown_var paths;
  for (const auto& copy : copies)
    paths.Append(KivBaseUnknown_var(editor_->BuildPathElement(copy).get()));
  KivCSO* cso = editor_->GetCSO();
  cso->Empty();
  cso->AddElements(paths);
  return S_OK;
}

void KivCCP_Actor::OpenClipboard() { KivClipboard::Open(); }
void KivCCP_Actor::CloseClipboard() { KivClipboard::Close(); }
