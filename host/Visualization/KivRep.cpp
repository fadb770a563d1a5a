#include "KivRep.h"

KivRep::~KivRep() = default;

HRESULT KivRep::SetShowMode(int mode) {
  if (mode != kShown && mode != kHidden) return E_INVALIDARG;
  if (mode == showMode_) return S_OK;
  showMode_ = mode;
  OnChanged(true);
  return S_OK;
}

bool KivRep::IsVisibleInTree() const {
  for (const KivRep* r = this; r; r = r->father_)
    if (!r->IsShown()) return false;
  return true;
}

KivManipulator* KivRep::GetManipulator() const {
  for (const KivRep* r = this; r; r = r->father_) {
    if (r->manipulator_) return r->manipulator_;
    if (r->source_)
      if (KivManipulator* made = r->source_->MakeManipulator(const_cast<KivRep*>(r))) return made;
  }
  return nullptr;
}

KivBaseUnknown* KivRep::FindModelObject() const {
  for (const KivRep* r = this; r; r = r->father_)
    if (r->model_) return r->model_.get();
  return nullptr;
}
